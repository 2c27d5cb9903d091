#include "uninstaller/mixer_file_cleaner.h"

#include <windows.h>
#include <tlhelp32.h>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "common/system/win_handle.h"
#include "common/files/install_guard.h"
#include "uninstaller/installed_version.h"
#include "uninstaller/run_exe_file.h"
#include "uninstaller/uninstall_settings.h"

namespace kivo {
namespace {

// Touched only by the one thread that cleans.
int progressCounter = 0;
const int kProgressTotal = 200;

std::wstring folderOf(const std::wstring& path) {
  const std::wstring::size_type cut = path.rfind(L'\\');
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring mainModuleFolder(DWORD processId) {
  UniqueHandle modules(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  if (!modules) return std::wstring();
  MODULEENTRY32W module = {};
  module.dwSize = sizeof module;
  if (!::Module32FirstW(modules.get(), &module)) return std::wstring();
  return folderOf(module.szExePath);
}

bool isFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int MixerFileCleaner::progressCount() { return progressCounter; }

std::wstring MixerFileCleaner::installstatParameters(int productNumber) {
  return L"\"|" + std::wstring(kUninstallVersion) + L"|" + std::to_wstring(productNumber) + L"|u|\"";
}

void MixerFileCleaner::setPath(const std::wstring& path) {
  logPrintf(L"MixerFileCleaner::setPath, path is %s.", path.c_str());
  if (path.empty()) {
    logPrintf(L"MixerFileCleaner::setPath, path is empty.");
    return;
  }
  path_ = path;
}

void MixerFileCleaner::run(void*) { execute(); }

void MixerFileCleaner::report(const std::wstring& text) {
  IUninstallObserver* const observer = observer_;
  if (observer == nullptr) return;
  ++progressCounter;
  observer->onCleanProgress(text, progressCounter, kProgressTotal);
}

void MixerFileCleaner::execute() {
  deletionRan_ = false;
  logPrintf(L"MixerFileCleaner::execute begin.");

  wchar_t self[MAX_PATH] = {0};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring selfFolder = folderOf(self);
  if (!selfFolder.empty()) selfFolder.pop_back();
  ::SetCurrentDirectoryW(selfFolder.c_str());

  const std::wstring& d = path_;
  report(d + L"UnInstall.exe");

  // Nothing is started, ended or deleted in a folder that is not plainly
  // ours: the directory came from a command line or from wherever this
  // program was run.
  std::wstring reason;
  if (!d.empty() && !isRemovableInstallation(d, reason)) {
    logPrintf(L"MixerFileCleaner::execute, %s is not removed: %s.", d.c_str(), reason.c_str());
    // The window still learns that the run is over; deletionRan() tells
    // the finish actions to leave the registry and shortcuts alone.
    if (IUninstallObserver* const observer = observer_) observer->onCleanFinish();
    return;
  }

  _startInstallstat();
  _closeInstalledPrograms();

  logPrintf(L"Begin delete files, directory is %s", d.c_str());
  if (d.empty()) {
    logPrintf(L"Exception case.");
    return;
  }
  deletionRan_ = true;
  _deleteDirectory(d);
  logPrintf(L"End delete files.");

  if (!::RemoveDirectoryW(d.c_str()))
    logPrintf(L"RemoveDirectory %s fail, last error is %d", d.c_str(), static_cast<int>(::GetLastError()));

  if (IUninstallObserver* const observer = observer_) observer->onCleanFinish();
}

void MixerFileCleaner::_startInstallstat() {
  const std::wstring parameters = installstatParameters(readProductNumber(path_));
  // The statistics program lies in the installed version's folder (the one
  // Launcher.xml lists); the uninstaller's own version folder is the
  // fallback.
  std::wstring program;
  const std::wstring installed = readInstalledVersionFolder(path_);
  if (!installed.empty() && isFile(path_ + installed + L"\\installstat.exe"))
    program = path_ + installed + L"\\installstat.exe";
  else
    program = path_ + kUninstallVersion + L"\\installstat.exe";

  report(program);
  runExeFile(program, parameters, true);
  logPrintf(L"MixerFileCleaner::_startInstallstat, path is %s, parameter is %s", program.c_str(),
            parameters.c_str());
}

void MixerFileCleaner::_closeInstalledPrograms() {
  UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    const std::wstring folder = mainModuleFolder(entry.th32ProcessID);
    if (folder.empty() || folder.size() != path_.size() || ::lstrcmpiW(folder.c_str(), path_.c_str()) != 0)
      continue;
    UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!process) continue;
    if (::WaitForSingleObject(process.get(), 500) == WAIT_TIMEOUT) ::TerminateProcess(process.get(), 0);
  }
}

void MixerFileCleaner::_deleteDirectory(const std::wstring& dir) {
  if (dir.empty()) {
    logPrintf(L"MixerFileCleaner::_deleteDirectory, directory is empty.");
    return;
  }
  WIN32_FIND_DATAW entry;
  UniqueFindHandle find(::FindFirstFileW((dir + L"\\*.*").c_str(), &entry));
  if (!find) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring child = dir + L"\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // A junction or directory link is removed, never followed: what it
      // points at is not ours.
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) _deleteDirectory(child);
      ::RemoveDirectoryW(child.c_str());
      continue;
    }
    if (::DeleteFileW(child.c_str()))
      logPrintf(L"delete file %s success", child.c_str());
    else
      logPrintf(L"delete file %s fail, last error is %d", child.c_str(), static_cast<int>(::GetLastError()));
    report(child);
  } while (::FindNextFileW(find.get(), &entry));
}

}  // namespace kivo
