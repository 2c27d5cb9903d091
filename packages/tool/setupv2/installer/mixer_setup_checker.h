// The environment check that runs before anything is installed. It reports
// one CheckResult to the observer: synchronously in a silent run, from its
// own thread in the wizard.
#pragma once

#include <string>

#include "common/setup_thread.h"

namespace kivo {

class ISetupObserver;

class MixerSetupChecker : public SetupThread {
 public:
  explicit MixerSetupChecker(ISetupObserver* observer);
  ~MixerSetupChecker() override;

  void setInstallDirectory(const std::wstring& directory) { installDirectory_ = directory; }
  // Set by recheck(): the retry after "already running" skips that test.
  void setSkipSingleInstanceTest(bool skip) { skipSingleInstanceTest_ = skip; }

 protected:
  void run(void* argument) override;

 private:
  ISetupObserver* observer_;
  std::wstring installDirectory_;
  bool skipSingleInstanceTest_ = false;
};

}  // namespace kivo
