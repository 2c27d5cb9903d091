// The installer's control: chooses the run mode from the command line,
// drives check -> extraction -> post-install steps, and decides per mode
// whether a worker's report becomes a window message (wizard) or the end of
// the run with an exit code (silent).
//
// Windows call the command interface on the UI thread; workers call the
// observer interface, possibly on their threads. The control touches only
// flags that the workers poll, so nothing here is locked.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "installer/mixer_setup_core.h"
#include "installer/setup_interfaces.h"

namespace kivo {

class MixerSetupUI;

class MixerSetupControl : public ISetupCommand, public ISetupObserver {
 public:
  using CoreFactory = std::function<MixerSetupCore*(ISetupObserver*)>;

  MixerSetupControl();
  // Tests hand in a core of their own.
  explicit MixerSetupControl(const CoreFactory& makeCore);
  ~MixerSetupControl() override;

  // Analyses the process command line (or |commandLine|, program name
  // first) and starts the run. In a silent run everything happens inside
  // this call and ends with a posted WM_QUIT.
  void startSetup();
  void startSetup(const std::wstring& commandLine);

  // ISetupCommand
  void recheck(bool skipSingleInstanceTest) override;
  void stopCheck() override;
  void setSetupPath(const std::wstring& path) override;
  void forceQuit() override;
  void startDecompress(bool newThread) override;
  void stopDecompress() override;
  void runKivoRun() override;
  void setAutoRun() override;
  void viewReleaseNote() override;
  void collectTarlan() override;
  void finishPageDone() override;
  void openFullInstallerPage() override;
  void setHomePage() override;
  void sendInstallStastics() override;

  // ISetupObserver
  void onCheckResult(int result) override;
  void onKivoRunning() override;
  void onDecompressProgress(double fraction, const std::wstring& text) override;
  void onDecompressFail(const std::wstring& file) override;
  void onDecompressFinish(int result) override;
  bool isSilence() const override { return silence_ != 0; }

  const std::wstring& installDirectory() const { return installDirectory_; }
  MixerSetupCore* core() const { return core_.get(); }

  // The address that openFullInstallerPage opens.
  static std::wstring fullInstallerAddress();

 private:
  int _analyzeInstallModel(const std::wstring& commandLine);
  void initSetupPath();
  void runSilentDecompress();
  void quit(int exitCode);

  MixerSetupUI* ui_;
  std::unique_ptr<MixerSetupCore> core_;
  std::wstring installDirectory_;
  unsigned char silence_ = 0;
};

}  // namespace kivo
