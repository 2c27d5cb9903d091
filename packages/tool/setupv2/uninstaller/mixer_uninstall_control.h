// The uninstaller's control: picks the run model from the command line and
// drives check -> self-copy -> restart from the copy -> deletion -> exit.
//
// Windows call the command interface on the UI thread; the workers call the
// observer interface on their threads. In silent runs the workers report
// nothing, and the control runs the finish actions itself after the
// deletion.
#pragma once

#include <memory>
#include <string>

#include "uninstaller/mixer_uninstall_core.h"
#include "uninstaller/mixer_uninstall_ui.h"
#include "uninstaller/uninstall_interfaces.h"

namespace kivo {

class MixerUninstallControl : public IUninstallCommand, public IUninstallObserver {
 public:
  MixerUninstallControl();
  // Stops the workers (waiting for them), then the core, then the windows.
  ~MixerUninstallControl() override;

  // Once, on the main thread, before the message loop. |commandLine| is
  // the whole command line (program name first).
  void uninstall();
  void uninstall(const std::wstring& commandLine);

  int model() const { return model_; }
  MixerUninstallCore* core() const { return core_.get(); }

  // IUninstallCommand
  void startCheck() override;
  void noOperation() override {}

  // IUninstallObserver
  void onKivoMixerRunning() override;
  void onCheckPassed() override;
  void onCheckNotice(const std::wstring& text) override;
  void onCleanProgress(const std::wstring& text, int index, int total) override;
  void onCleanFinish() override;

 private:
  int _analyzeUninstallModel(const std::wstring& commandLine);
  void _initPath();
  // Registry values and shortcuts, when the deletion really ran.
  void finishActions();

  std::unique_ptr<MixerUninstallCore> core_;
  std::unique_ptr<MixerUninstallUI> ui_;
  int model_ = -1;
};

}  // namespace kivo
