#include "uninstaller/mixer_uninstall_checker.h"

#include <tlhelp32.h>

#include "common/log/log_file.h"
#include "common/system/process_utils.h"
#include "common/system/win_handle.h"

namespace kivo {
std::wstring MixerUninstallChecker::virtualCamNotice(const std::vector<std::wstring>& executables) {
  std::wstring text =
      L"\u68c0\u6d4b\u5230\u4ee5\u4e0b\u7a0b\u5e8f\u6b63\u5728\u4f7f\u7528kivo\u4f34\u4fa3\u865a\u62df"
      L"\u6444\u50cf\u5934\uff0c\u8bf7\u5148\u5173\u95ed\u4ee5\u4e0b\u7a0b\u5e8f:";
  text += L"\r\n\r\n[";
  for (size_t i = 0; i < executables.size(); ++i) {
    if (i > 0) text += L"\n";
    text += executables[i];
  }
  text += L"]";
  text += L"\r\n\r\n";
  text += L"\u70b9\u51fb\u201c\u662f\u201d\u91cd\u8bd5\uff0c\u70b9\u51fb\u201c\u5426\u201d\u9000\u51fa\u5378\u8f7d"
          L"\u7a0b\u5e8f\u3002";
  return text;
}

void MixerUninstallChecker::run(void*) {
  if (!execute()) fail_();
}

bool MixerUninstallChecker::execute() {
  IUninstallObserver* const observer = observer_;
  if (observer == nullptr) return true;

  while (_isKivoMixerRunning()) {
    ::InterlockedExchange(&retry_, 0);
    ::InterlockedExchange(&waiting_, 1);
    observer->onKivoMixerRunning();
    while (retry_ == 0 && !stopRequested()) ::Sleep(10);
    ::InterlockedExchange(&waiting_, 0);
    if (stopRequested()) return false;
  }

  std::wstring text;
  while (_isVirtualCamInUse(text)) {
    // No owner: modal to this thread only, the windows stay responsive.
    const int answer = ::MessageBoxW(nullptr, text.c_str(), L"Kivo\u4f34\u4fa3\u5378\u8f7d\u7a0b\u5e8f",
                                     MB_ICONWARNING | MB_YESNO);
    if (answer == IDNO) return false;
  }

  observer->onCheckPassed();
  return true;
}

bool MixerUninstallChecker::_isKivoMixerRunning() {
  UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    // Wherever it lies: a client from another folder also holds the filter
    // and the user data.
    if (std::wstring(entry.szExeFile) != L"KivoMixer.exe") continue;
    logPrintf(L"MixerUninstallChecker::_isKivoMixerRunning, exePath is : %s",
              processImagePath(entry.th32ProcessID).c_str());
    return true;
  }
  return false;
}

bool MixerUninstallChecker::_isVirtualCamInUse(std::wstring& text) {
  std::vector<std::wstring> executables;
  if (!findProcessesWithModule(L"KivoVirtualCam.ax", executables) || executables.empty()) return false;
  text = virtualCamNotice(executables);
  return true;
}

void MixerUninstallChecker::terminateSelf() { ::TerminateProcess(::GetCurrentProcess(), 0); }

}  // namespace kivo
