// MixerSetupCore: the programs an installation starts or opens, and the
// favourites link.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "common/system/process_utils.h"
#include "common/system/win_handle.h"
#include "installer/mixer_setup_core.h"
#include "installer/setup_settings.h"

#include <sstream>

namespace kivo {
void MixerSetupCore::runInstallstat() {
  std::wstring program = paths_[kPathInstallDir] + kProductVersion;
  program += L"\\installstat.exe";
  // Download state 0 and component flag 1: what this installer always is.
  const unsigned int downloadState = 0;
  const bool componentFlag = true;
  std::wostringstream text;
  text << L"\"|" << kProductVersion << L"|" << 1 << L"|i|" << downloadState << L"|"
       << (componentFlag ? 1 : 0) << L"|\"";
  const std::wstring arguments = text.str();
  runProcess(program.c_str(), arguments.c_str(), paths_[kPathInstallDir].c_str(), false);
  logPrintf(L"MixerSetupCore::runInstallstat, run %s parameter is %s.", program.c_str(),
            arguments.c_str());
}

void MixerSetupCore::runKivoRun() {
  const bool haveApp = !appFile_.empty();
  const std::wstring program = haveApp ? appFile_ : paths_[kPathRootExe];
  const std::wstring directory = haveApp ? paths_[kPathVersionDir] : paths_[kPathInstallDir];
  runProcess(program.c_str(), L"-reg", directory.c_str(), false);
  logPrintf(L"MixerSetupCore::runKivoRun, run %s parameter is -reg.", program.c_str());
}

void MixerSetupCore::_do3XUpdate() {
  logPrintf(L"MixerSetupCore::_do3XUpdate begin.");
  const std::wstring wizard = paths_[kPathInstallDir] + L"kivowizard.exe";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (::CreateProcessW(wizard.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    logPrintf(L"MixerSetupCore::_do3XUpdate, wait finish.");
  }
  logPrintf(L"MixerSetupCore::_do3XUpdate finish.");
}

void MixerSetupCore::RegsvrAxCom() {
  const std::wstring command = L"regsvr32 -s \"" + axFile_ + L"\"";
  // WinExec takes the ANSI code page; a path it cannot express fails there.
  const std::string ansi = toAnsi(command.c_str());
  const UINT result = ::WinExec(ansi.c_str(), SW_HIDE);
  logPrintf(L"MixerSetupCore::RegsvrAxCom, run %s, result is %d.", command.c_str(),
            static_cast<int>(result));
}

void MixerSetupCore::viewReleaseNote() {
  logPrintf(L"MixerSetupCore::viewReleaseNote, view releaseNote.txt.");
  ::ShellExecuteW(nullptr, L"open", paths_[kPathReleaseNote].c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void MixerSetupCore::collectTarlan() {
  logPrintf(L"MixerSetupCore::collectTarlan, collect official website.");
  wchar_t favorites[MAX_PATH] = {0};
  if (!::SHGetSpecialFolderPathW(nullptr, favorites, CSIDL_FAVORITES, FALSE)) return;
  std::wstring path = favorites;
  appendPath(path, L"Tarlan\u6e38\u620f\u7f51.url");
  UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::wstring text =
      std::wstring(L"[InternetShortcut]\nURL=") + kPortalHost + L"/index3.html";
  DWORD written = 0;
  ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
              nullptr);
}

}  // namespace kivo
