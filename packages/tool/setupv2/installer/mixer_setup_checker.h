// The environment check that runs before anything is installed. It reports
// exactly one CheckResult per run to the observer:
//  - another installer holds the single-instance mutex -> CR_SetupExist
//    (on the calling thread);
//  - silent -> CR_Success at once (on the calling thread, the main thread);
//  - wizard -> the virtual camera filter is first extracted into D\Check,
//    then CR_Success arrives 1,000 ms later on the UI thread, from the
//    completion timer (or at once after a retry, when the filter is there).
// The checker is created on the UI thread (the timer belongs to it).
#pragma once

#include <memory>
#include <string>

#include "common/setup_thread.h"
#include "installer/check_completion_timer.h"

namespace kivo {

class ISetupObserver;
class MixerSetupDecompressor;

// The single-instance mutex of the installer.
constexpr const wchar_t kSetupMutexName[] = L"{F990D2B8-6CAE-AAAE-539B-21B38122ACA7}";

class MixerSetupChecker : public SetupThread {
 public:
  explicit MixerSetupChecker(ISetupObserver* observer);
  ~MixerSetupChecker() override;

  // On a new thread the skip flag is taken over; inline it stays as it is.
  void start(bool newThread, bool skipSingleInstanceTest);
  void setObserver(ISetupObserver* observer) { observer_ = observer; }
  void setInstallDirectory(const std::wstring& directory) { installDirectory_ = directory; }

  // Runs on the UI thread when the timer fires.
  void completeCheck();

  const std::wstring& checkFile() const { return checkFile_; }

 protected:
  void run(void* argument) override;
  // Writes the filter from the payload into |checkDirectory|. A failure is
  // logged by the extractor and does not change the check's result.
  virtual void extractCheckFile(const std::wstring& checkDirectory);

 private:
  bool _isSetupExist();

  std::unique_ptr<MixerSetupDecompressor> checkExtractor_;
  ISetupObserver* observer_;
  std::wstring installDirectory_;
  std::wstring checkFile_;
  CheckCompletionTimer timer_;
  unsigned char skipSingleInstanceTest_ = 0;
};

}  // namespace kivo
