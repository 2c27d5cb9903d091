#include "uninstaller/mixer_uninstall_ui.h"

namespace kivo {

MixerUninstallUI::MixerUninstallUI() : uiThread_(::GetCurrentThreadId()) {}

MixerUninstallUI::~MixerUninstallUI() {
  if (mainWindow_ != nullptr) ::DestroyWindow(mainWindow_);
  if (promptWindow_ != nullptr) ::DestroyWindow(promptWindow_);
}

void MixerUninstallUI::endLoop() { ::PostThreadMessageW(uiThread_, WM_QUIT, 0, 0); }

void MixerUninstallUI::showPromptWindow() {
  if (command_ != nullptr) command_->startCheck();
}

void MixerUninstallUI::showMixerRunning(const std::wstring&) {
  if (promptWindow_ != nullptr) {
    ::PostMessageW(promptWindow_, MSG_UNINSTALL_MIXER_RUNNING, 0, 0);
    return;
  }
  endLoop();
}

void MixerUninstallUI::closePromptWindow() {
  if (promptWindow_ != nullptr) {
    ::PostMessageW(promptWindow_, MSG_UNINSTALL_CHECK_PASSED, 0, 0);
    return;
  }
  endLoop();
}

void MixerUninstallUI::showMainWindow() {}

void MixerUninstallUI::postCleanProgress(const std::wstring& text, int index, int total) {
  if (mainWindow_ == nullptr) return;
  std::wstring* path = new std::wstring(text);
  double* value = new double(static_cast<double>(index) / total);
  if (!::PostMessageW(mainWindow_, MSG_UNINSTALL_PROGRESS, reinterpret_cast<WPARAM>(path),
                      reinterpret_cast<LPARAM>(value))) {
    delete path;
    delete value;
  }
}

void MixerUninstallUI::postCleanFinish() {
  if (mainWindow_ != nullptr) {
    ::PostMessageW(mainWindow_, MSG_UNINSTALL_FINISH, 0, 0);
    return;
  }
  endLoop();
}

}  // namespace kivo
