// The extraction worker: closes a running client of the install directory,
// lays the embedded payload down there and reports one DecompressResult to
// the observer.
//
// start(true) runs the wizard body (execute) on a new thread; start(false)
// runs the silent body (_syncDecompress) on the caller's thread. forceQuit
// and stop come from the main thread and only raise flags that the worker
// polls (every 10 ms while waiting for the user, after every entry while
// extracting). Observer calls happen on the worker's thread; on success
// the observer runs the post-install steps inside onDecompressFinish.
//
// The environment check uses a worker of its own (no observer, install
// directory never set) only for extractFilterForCheck.
#pragma once

#include <windows.h>

#include <string>

#include "common/setup_thread.h"
#include "installer/extract/extract_sink.h"

namespace kivo {

class ISetupObserver;

class MixerSetupDecompressor : public SetupThread, public CancelSource {
 public:
  explicit MixerSetupDecompressor(ISetupObserver* observer);
  // Stops the thread, then removes the per-installation data directory if
  // it is empty.
  ~MixerSetupDecompressor() override;

  // true: execute on a new thread (wizard); false: _syncDecompress inline.
  bool start(bool newThread);
  void setObserver(ISetupObserver* observer) { observer_ = observer; }
  // The user agreed to close the running client; the waiting worker does.
  void forceQuit();

  // Ends with a backslash (the core stores it so).
  void setInstallDirectory(const std::wstring& directory) { installDirectory_ = directory; }
  void setSilence(bool silence) { silence_ = silence ? 1 : 0; }
  bool silence() const { return silence_ != 0; }
  int downloadState() const { return downloadState_; }
  bool componentFlag() const { return componentFlag_ != 0; }

  // Tests point the worker at another module's payload (default: this
  // program's own).
  void setPayloadModule(HMODULE module) { payloadModule_ = module; }

  // CancelSource: the stop flag.
  bool isCancelled() const override { return stopRequested(); }

  // Check mode for the environment check: writes only the virtual camera
  // filter, to <installDirectory>Check\KivoVirtualCam.ax, and reports no
  // progress. Runs on the caller's thread.
  bool extractFilterForCheck(const std::wstring& installDirectory);

  // Loads the payload and extracts it below |baseDirectory|.
  bool _decompress(const std::wstring& baseDirectory, ISetupObserver* observer,
                   const CancelSource* cancel, bool fullInstall);

  // Extracts the archive |bytes| below |baseDirectory| through a
  // CDiskOutputer. With |fullInstall| false only the filter is written.
  static bool extractArchive(const unsigned char* bytes, size_t size, const std::wstring& baseDirectory,
                             ISetupObserver* observer, const CancelSource* cancel, bool fullInstall);

  // The running client of this install directory: a KivoMixer.exe whose
  // main module is <install directory>KivoMixer.exe.
  bool _isKivoRunning(DWORD& processId) const;
  // Posts the close message to the client's window, waits 500 ms, and
  // terminates it if it is still there.
  static void _quitKivo(DWORD processId);
  // Closes clients until none is found; gives up (false) after
  // kMaxCloseRounds rounds, when a client survives even termination.
  bool closeRunningClients();
  static const int kMaxCloseRounds = 5;

 protected:
  void run(void* argument) override;

 private:
  void execute();
  void _syncDecompress();
  void report(int result);

  ISetupObserver* observer_;
  std::wstring installDirectory_;
  volatile LONG forceQuit_ = 0;
  BYTE silence_ = 0;
  int downloadState_ = 0;
  BYTE componentFlag_ = 1;
  HMODULE payloadModule_ = nullptr;
};

}  // namespace kivo
