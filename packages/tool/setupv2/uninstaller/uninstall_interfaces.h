// The two small interfaces between the uninstaller's control, its windows
// and its workers.
//
// IUninstallCommand: called by the windows, on the UI thread only.
// IUninstallObserver: called by the workers on their own threads (the
// checker thread, the cleaner thread) or, when a worker runs inline, on the
// main thread. Implementations touch only flags the workers poll and post
// window messages; nothing is locked.
#pragma once

#include <string>

namespace kivo {

class IUninstallCommand {
 public:
  virtual ~IUninstallCommand() = default;
  // "确定" and "重试" of the prompt window: run the check (again).
  virtual void startCheck() = 0;
  virtual void noOperation() = 0;
};

class IUninstallObserver {
 public:
  virtual ~IUninstallObserver() = default;
  virtual void onKivoMixerRunning() = 0;
  virtual void onCheckPassed() = 0;
  virtual void onCheckNotice(const std::wstring& text) = 0;
  // |index| of |total|; the value shown is index / total.
  virtual void onCleanProgress(const std::wstring& text, int index, int total) = 0;
  virtual void onCleanFinish() = 0;
};

// Window messages that reach the uninstaller's windows (posted, never sent).
enum UninstallMessage : unsigned {
  MSG_UNINSTALL_MIXER_RUNNING = 0x0400 + 200,  // prompt window; no parameters
  // main window; wParam: new std::wstring (path just handled), lParam: new
  // double (progress). The receiver deletes both.
  MSG_UNINSTALL_PROGRESS = 0x0400 + 201,
  MSG_UNINSTALL_CHECK_PASSED = 0x0400 + 202,  // prompt window; no parameters
  MSG_UNINSTALL_FINISH = 0x0400 + 203,        // main window; no parameters
};

}  // namespace kivo
