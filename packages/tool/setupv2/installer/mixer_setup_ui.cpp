#include "installer/mixer_setup_ui.h"

#include "common/log/log_file.h"
#include "installer/setup_types.h"

namespace kivo {
namespace {

MixerSetupUI* volatile g_instance = nullptr;

// Posts to a window that may not exist: the message, and any heap value in
// it, is then lost, as a message to a closed window would be.
void post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  if (window != nullptr) ::PostMessageW(window, message, wParam, lParam);
}

}  // namespace

// Until the check window exists, nothing can show the user a check result;
// the wizard run then ends with 0, as a wizard closed by its user does.
bool MixerSetupUI::endWizardWithoutWindow() {
  if (checkWindow_ != nullptr) return false;
  ::PostThreadMessageW(uiThreadId_, WM_QUIT, 0, 0);
  return true;
}

MixerSetupUI* MixerSetupUI::instance() {
  if (g_instance == nullptr) {
    MixerSetupUI* created = new MixerSetupUI();
    if (::InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(&g_instance),
                                            created, nullptr) != nullptr) {
      delete created;
    }
  }
  return g_instance;
}

void MixerSetupUI::release() {
  MixerSetupUI* old = static_cast<MixerSetupUI*>(
      ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_instance), nullptr));
  delete old;
}

MixerSetupUI::MixerSetupUI() : uiThreadId_(::GetCurrentThreadId()) {}

MixerSetupUI::~MixerSetupUI() {
  if (checkWindow_ != nullptr) ::DestroyWindow(checkWindow_);
  if (mainWindow_ != nullptr) ::DestroyWindow(mainWindow_);
}

void MixerSetupUI::showCheckUI() {}

void MixerSetupUI::showSetupMainUI(const std::wstring& path) {
  logPrintf(L"MixerSetupUI::showSetupMainUI, setup path is %s", path.c_str());
}

void MixerSetupUI::setControl(ISetupCommand* control) { control_ = control; }

void MixerSetupUI::onShowRetryUI() {
  logPrintf(L"MixerSetupUI::onShowRetryUI, post message MSG_RETRY_DECOMPRESS to main window.");
  post(mainWindow_, MSG_RETRY_DECOMPRESS);
}

void MixerSetupUI::onShowKivoRunning() {
  logPrintf(L"MixerSetupUI::onShowKivoRunning, post message MSG_KIVO_RUNNING to main window.");
  post(mainWindow_, MSG_KIVO_RUNNING);
}

void MixerSetupUI::onShowAxUsing() {
  logPrintf(L"MixerSetupUI::onShowAxUsing, post message MSG_AX_USIMG to main window.");
  post(checkWindow_, MSG_AX_USIMG);
}

void MixerSetupUI::onShowVirtualCamUsers() {}

void MixerSetupUI::onShowSetupExist() {
  logPrintf(L"MixerSetupUI::onShowSetupExist, post message MSG_SETUP_EXIST to check window.");
  if (!endWizardWithoutWindow()) post(checkWindow_, MSG_SETUP_EXIST);
}

void MixerSetupUI::onShowSetupInvalid() {
  logPrintf(L"MixerSetupUI::onShowSetupInvalid, post message MSG_SETUP_INVALID to check window.");
  if (!endWizardWithoutWindow()) post(checkWindow_, MSG_SETUP_INVALID);
}

void MixerSetupUI::progress(double fraction, const std::wstring& text) {
  if (mainWindow_ == nullptr) return;
  double* value = new double(fraction);
  std::wstring* status = new std::wstring(text);
  if (!::PostMessageW(mainWindow_, MSG_DECOMPRESS_PROGRESS, reinterpret_cast<WPARAM>(value),
                      reinterpret_cast<LPARAM>(status))) {
    delete value;
    delete status;
  }
}

void MixerSetupUI::onPrepareShowMainUI(const std::wstring& path) {
  logPrintf(L"MixerSetupUI::onPrepareShowMainUI, post message MSG_SHOW_MAIN_UI to main window.");
  if (endWizardWithoutWindow()) return;
  std::wstring* directory = new std::wstring(path);
  if (!::PostMessageW(checkWindow_, MSG_SHOW_MAIN_UI, reinterpret_cast<WPARAM>(directory), 0))
    delete directory;
}

void MixerSetupUI::onDecompressFinish() {
  logPrintf(L"MixerSetupUI::onDecompressFinish, post message MSG_DECOMPRESS_FINISH to main window.");
  post(mainWindow_, MSG_DECOMPRESS_FINISH);
}

void MixerSetupUI::onQuitSetup(int result) {
  logPrintf(L"MixerSetupUI::onQuitSetup, post message MSG_QUIT_SETUP to main window.");
  post(mainWindow_, MSG_QUIT_SETUP, static_cast<WPARAM>(result));
}

}  // namespace kivo
