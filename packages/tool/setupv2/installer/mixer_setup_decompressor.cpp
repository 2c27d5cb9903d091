#include "installer/mixer_setup_decompressor.h"

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "installer/clean_up_file.h"
#include "installer/disk_outputer.h"
#include "installer/extract/archive_extraction.h"
#include "installer/payload_resource.h"
#include "installer/setup_interfaces.h"

namespace kivo {
namespace {

// start()'s argument tells run() which body to take.
int g_threadMarker = 0;

}  // namespace

MixerSetupDecompressor::MixerSetupDecompressor(ISetupObserver* observer) : observer_(observer) {}

MixerSetupDecompressor::~MixerSetupDecompressor() {
  stop();
  // Only an installation directory has a data directory of its own (and
  // without one dataDirectoryFor would name the user data directory).
  if (!installDirectory_.empty()) ::RemoveDirectoryW(dataDirectoryFor(installDirectory_).c_str());
}

bool MixerSetupDecompressor::start(bool newThread) {
  return SetupThread::start(newThread, newThread ? &g_threadMarker : nullptr);
}

void MixerSetupDecompressor::run(void* argument) {
  if (argument == &g_threadMarker) execute();
  else _syncDecompress();
}

void MixerSetupDecompressor::forceQuit() {
  logPrintf(L"MixerSetupDecompressor::forceQuit, User want to force quit Kivo.");
  ::InterlockedExchange(&forceQuit_, 1);
}

void MixerSetupDecompressor::report(int result) {
  if (observer_ != nullptr) observer_->onDecompressFinish(result);
}

void MixerSetupDecompressor::execute() {
  logPrintf(L"MixerSetupDecompressor::execute, aync decompress.");
  bool clientsClosed = true;
  DWORD processId = 0;
  if (_isKivoRunning(processId)) {
    if (observer_ != nullptr) observer_->onKivoRunning();
    while (!stopRequested()) {
      if (::InterlockedCompareExchange(&forceQuit_, 0, 0) != 0) {
        clientsClosed = closeRunningClients();
        break;
      }
      ::Sleep(10);
    }
  }
  if (stopRequested()) return;

  bool ok = false;
  if (clientsClosed) {
    if (!silence()) cleanUpFile(installDirectory_);
    ok = _decompress(installDirectory_, observer_, this, true);
  }
  if (!ok) {
    logPrintf(L"MixerSetupDecompressor::execute, _decompress return false.");
    report(DR_DecompressInstallFailed);
    return;
  }
  if (!silence()) downloadState_ = 0;
  report(DR_Success);
}

void MixerSetupDecompressor::_syncDecompress() {
  logPrintf(L"MixerSetupDecompressor::_syncDecompress begin [silence model].");
  DWORD processId = 0;
  if (observer_ != nullptr && !observer_->isSilence() && _isKivoRunning(processId)) {
    logPrintf(L"MixerSetupDecompressor::_syncDecompress, _isKivoRunning return true.");
    observer_->onKivoRunning();
    return;
  }
  PayloadResource payload;
  if (!payload.load(payloadModule_)) {
    report(DR_DecompressInstallFailed);
    return;
  }
  if (!silence()) cleanUpFile(installDirectory_);
  const bool ok = extractArchive(payload.bytes(), payload.size(), installDirectory_, observer_, nullptr, true);
  report(ok ? DR_Success : DR_DecompressInstallFailed);
}

bool MixerSetupDecompressor::_decompress(const std::wstring& baseDirectory, ISetupObserver* observer,
                                         const CancelSource* cancel, bool fullInstall) {
  PayloadResource payload;
  if (!payload.load(payloadModule_)) {
    logPrintf(L"MixerSetupDecompressor::_decompress, _load7zDataFromResource fail.");
    return false;
  }
  return extractArchive(payload.bytes(), payload.size(), baseDirectory, observer, cancel, fullInstall);
}

bool MixerSetupDecompressor::extractFilterForCheck(const std::wstring& installDirectory) {
  std::wstring base = installDirectory;
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  base += L"Check";
  return _decompress(base, nullptr, nullptr, false);
}

bool MixerSetupDecompressor::extractArchive(const unsigned char* bytes, size_t size,
                                            const std::wstring& baseDirectory, ISetupObserver* observer,
                                            const CancelSource* cancel, bool fullInstall) {
  CDiskOutputer sink(baseDirectory, observer, cancel);
  const ExtractOutcome outcome = extractEntries(bytes, size, sink, cancel, fullInstall);
  if (!outcome.refusedName.empty()) {
    logPrintf(L"MixerSetupDecompressor::extractArchive, entry %s would leave the install directory, archive refused.",
              outcome.refusedName.c_str());
  } else if (!outcome.ok()) {
    logPrintf(L"MixerSetupDecompressor::extractArchive, extraction failed, error is %d.", outcome.error);
  }
  return outcome.ok();
}


}  // namespace kivo
