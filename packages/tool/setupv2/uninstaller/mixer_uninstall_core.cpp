#include "uninstaller/mixer_uninstall_core.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "uninstaller/run_exe_file.h"

namespace kivo {

MixerUninstallCore::MixerUninstallCore(IUninstallObserver* observer)
    : cleaner_(new MixerFileCleaner(observer)), checker_(new MixerUninstallChecker(observer)) {}

MixerUninstallCore::~MixerUninstallCore() {
  checker_->stop();
  checker_.reset();
  cleaner_->stop();
  cleaner_.reset();
}

void MixerUninstallCore::setPath(const std::wstring& dir) {
  logPrintf(L"MixerUninstallCore::setPath, path is %s", dir.c_str());
  path_ = dir;
  if (path_.empty() || path_.back() != L'\\') path_ += L'\\';
}

void MixerUninstallCore::setSilent(bool silent) {
  silent_ = silent ? 1 : 0;
  if (silent) {
    checker_->setObserver(nullptr);
    cleaner_->setObserver(nullptr);
  }
}

void MixerUninstallCore::startCheck(bool newThread) {
  if (checker_->waitingForAnswer()) {
    checker_->retry();
    return;
  }
  checker_->setPath(path_);
  checker_->start(newThread);
}

void MixerUninstallCore::startClean(bool newThread) {
  cleaner_->setPath(path_);
  cleaner_->start(newThread);
}

std::wstring MixerUninstallCore::copyParameters() const {
  std::wstring directory = path_;
  if (!directory.empty() && directory.back() == L'\\') directory.pop_back();
  return std::wstring(silent_ ? L"-silencedelete" : L"-delete") + L" -path \"" + directory + L"\"";
}

void MixerUninstallCore::prepareUninstall() {
  wchar_t self[MAX_PATH] = {0};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);

  GUID guid = {};
  ::CoCreateGuid(&guid);
  wchar_t guidText[64] = {0};
  ::StringFromGUID2(guid, guidText, 64);

  wchar_t appData[MAX_PATH] = {0};
  ::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
  const std::wstring base = std::wstring(appData) + L"\\tarlan\\kivomixer";
  ::SHCreateDirectory(nullptr, base.c_str());

  // Copies of earlier runs and old logs go; files in use (this process's
  // own log) stay, and with them the folder.
  const std::wstring setup = base + L"\\setup\\";
  deleteDirectoryTree(base + L"\\setup");

  const std::wstring privateFolder = setup + guidText;
  ::SHCreateDirectory(nullptr, privateFolder.c_str());

  const std::wstring target = privateFolder + L"\\uninstall.exe";
  if (!::CopyFileW(self, target.c_str(), FALSE))
    logPrintf(L"MixerUninstallCore::prepareUninstall, copy file fail dest file is %s, last error is %d",
              target.c_str(), static_cast<int>(::GetLastError()));

  const std::wstring parameters = copyParameters();
  logPrintf(L"para is %s", parameters.c_str());
  runExeFile(target, parameters, false);
}

}  // namespace kivo
