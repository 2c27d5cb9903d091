#include "installer/mixer_setup_checker.h"

#include <windows.h>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "installer/mixer_setup_decompressor.h"
#include "installer/setup_interfaces.h"

namespace kivo {

MixerSetupChecker::MixerSetupChecker(ISetupObserver* observer)
    : observer_(observer), timer_([this] { completeCheck(); }) {}

MixerSetupChecker::~MixerSetupChecker() {
  // The thread uses the extractor and the timer: it goes first.
  stop();
  timer_.stop();
}

void MixerSetupChecker::start(bool newThread, bool skipSingleInstanceTest) {
  if (newThread) skipSingleInstanceTest_ = skipSingleInstanceTest ? 1 : 0;
  SetupThread::start(newThread);
}

namespace {

// The mutex this process holds once it has claimed to be the running
// installer. Kept open on purpose for the life of the process; the system
// releases it at exit.
HANDLE g_ownMutex = nullptr;

}  // namespace

bool MixerSetupChecker::_isSetupExist() {
  // A later check of the same process (a second checker, a retry) must not
  // mistake this installer's own mutex for another installer's.
  if (g_ownMutex != nullptr) return false;
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, kSetupMutexName);
  if (mutex == nullptr) return false;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return true;
  }
  g_ownMutex = mutex;
  return false;
}

void MixerSetupChecker::run(void*) {
  if (!skipSingleInstanceTest_ && _isSetupExist()) {
    logPrintf(L"Check step, _isSetupExist return false [CR_SetupExist].");
    observer_->onCheckResult(CR_SetupExist);
    return;
  }
  if (observer_->isSilence()) {
    logPrintf(L"Check step finish, return [CR_Success].");
    observer_->onCheckResult(CR_Success);
    return;
  }
  if (!checkFile_.empty() && fileExists(checkFile_)) {
    completeCheck();
    return;
  }
  std::wstring checkDirectory = installDirectory_;
  appendPath(checkDirectory, L"Check");
  extractCheckFile(checkDirectory);
  timer_.start(1000);
}

void MixerSetupChecker::extractCheckFile(const std::wstring&) {
  if (!checkExtractor_) checkExtractor_.reset(new MixerSetupDecompressor(observer_));
  // The extractor derives <install directory>Check itself.
  checkExtractor_->extractFilterForCheck(installDirectory_);
}

void MixerSetupChecker::completeCheck() {
  if (timer_.isActive()) timer_.stop();
  std::wstring file = installDirectory_;
  appendPath(file, L"Check");
  appendPath(file, L"KivoVirtualCam.ax");
  checkFile_ = file;
  observer_->onCheckResult(CR_Success);
}

}  // namespace kivo
