// The bridge between the uninstaller's control and its two windows (the
// prompt window that asks and the main window that shows progress).
//
// Until those windows exist the bridge stands in for them, so that the
// interactive models run their worker logic and end cleanly:
//  - showPromptWindow answers "确定" at once (command startCheck);
//  - showMixerRunning answers "取消": the run ends;
//  - closePromptWindow and postCleanFinish end the message loop, as closing
//    the last window would;
//  - progress reports are dropped (nothing would receive them).
// The loop is ended by posting WM_QUIT (code 0) to the thread that created
// the bridge, so the calls may come from the workers' threads.
#pragma once

#include <windows.h>

#include <string>

#include "uninstaller/uninstall_interfaces.h"

namespace kivo {

class MixerUninstallUI {
 public:
  // Create on the UI thread.
  MixerUninstallUI();
  ~MixerUninstallUI();

  MixerUninstallUI(const MixerUninstallUI&) = delete;
  MixerUninstallUI& operator=(const MixerUninstallUI&) = delete;

  void showPromptWindow();
  void showMixerRunning(const std::wstring& text);
  void closePromptWindow();
  void showMainWindow();
  void postCleanProgress(const std::wstring& text, int index, int total);
  void postCleanFinish();
  void setControl(IUninstallCommand* command) { command_ = command; }

 private:
  void endLoop();

  HWND promptWindow_ = nullptr;
  HWND mainWindow_ = nullptr;
  IUninstallCommand* command_ = nullptr;
  DWORD uiThread_;
};

}  // namespace kivo
