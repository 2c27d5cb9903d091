// The two faces of MixerSetupControl.
//
// ISetupCommand is what the windows call, on the UI thread only.
// ISetupObserver is what the workers call, possibly on their own threads;
// its operations only post messages or, in a silent run (main thread),
// end the run with an exit code.
// The slot orders are part of the design: keep new operations at the end.
#pragma once

#include <string>

#include "installer/setup_types.h"

namespace kivo {

class ISetupCommand {
 public:
  virtual ~ISetupCommand() = default;
  virtual void recheck(bool skipSingleInstanceTest) = 0;
  virtual void stopCheck() = 0;
  virtual void setSetupPath(const std::wstring& path) = 0;
  virtual void forceQuit() = 0;
  virtual void startDecompress(bool newThread) = 0;
  virtual void stopDecompress() = 0;
  virtual void runKivoRun() = 0;
  virtual void setAutoRun() = 0;
  virtual void viewReleaseNote() = 0;
  virtual void collectTarlan() = 0;
  virtual void finishPageDone() = 0;  // the finish page's no-op
  virtual void openFullInstallerPage() = 0;
  virtual void setHomePage() = 0;
  virtual void sendInstallStastics() = 0;
};

class ISetupObserver {
 public:
  virtual ~ISetupObserver() = default;
  virtual void onCheckResult(int result) = 0;
  virtual void onKivoRunning() = 0;
  virtual void onDecompressProgress(double fraction, const std::wstring& text) = 0;
  virtual void onDecompressFail(const std::wstring& file) = 0;
  virtual void onDecompressFinish(int result) = 0;
  virtual bool isSilence() const = 0;
};

}  // namespace kivo
