// The extraction worker: lays the embedded payload down in the install
// directory and reports one DecompressResult to the observer (synchronously
// in a silent run, from its own thread in the wizard).
#pragma once

#include <windows.h>

#include <string>

#include "common/setup_thread.h"

namespace kivo {

class ISetupObserver;

class MixerSetupDecompressor : public SetupThread {
 public:
  explicit MixerSetupDecompressor(ISetupObserver* observer);
  ~MixerSetupDecompressor() override;

  void setInstallDirectory(const std::wstring& directory) { installDirectory_ = directory; }
  void setSilence(bool silence) { silence_ = silence ? 1 : 0; }
  bool silence() const { return silence_ != 0; }
  // Check mode: writes only the virtual camera filter into
  // |checkDirectory|, reports no progress and no result.
  void extractCheckFile(const std::wstring& checkDirectory);

  // The user agreed to close the running client; the worker polls this.
  void forceQuit() { ::InterlockedExchange(&forceQuit_, 1); }

 protected:
  void run(void* argument) override;

 private:
  ISetupObserver* observer_;
  std::wstring installDirectory_;
  BYTE silence_ = 0;
  volatile LONG forceQuit_ = 0;
};

}  // namespace kivo
