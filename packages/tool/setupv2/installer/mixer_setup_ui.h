// The bridge between the control and the installer's windows. It owns the
// windows and turns each report into one posted window message (after its
// log line); it never calls a window directly from a worker thread.
//
// A process-wide singleton: created on first use, released by the control.
#pragma once

#include <windows.h>

#include <string>

namespace kivo {

class ISetupCommand;

class MixerSetupUI {
 public:
  static MixerSetupUI* instance();
  static void release();

  virtual ~MixerSetupUI();

  virtual void showCheckUI();
  virtual void showSetupMainUI(const std::wstring& path);
  virtual void setControl(ISetupCommand* control);
  virtual void onShowRetryUI();
  virtual void onShowKivoRunning();
  virtual void onShowAxUsing();
  virtual void onShowVirtualCamUsers();
  virtual void onShowSetupExist();
  virtual void onShowSetupInvalid();
  virtual void progress(double fraction, const std::wstring& text);
  virtual void onPrepareShowMainUI(const std::wstring& path);
  virtual void onDecompressFinish();
  virtual void onQuitSetup(int result);

  ISetupCommand* control() const { return control_; }

 protected:
  MixerSetupUI();

 private:
  bool endWizardWithoutWindow();

  // The windows are not built yet; until they are, their handles stay null,
  // every message to them is lost, and a wizard run ends once its check has
  // answered (see onPrepareShowMainUI).
  HWND checkWindow_ = nullptr;
  HWND mainWindow_ = nullptr;
  ISetupCommand* control_ = nullptr;
  DWORD uiThreadId_ = 0;
};

}  // namespace kivo
