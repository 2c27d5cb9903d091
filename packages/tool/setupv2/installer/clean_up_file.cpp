#include "installer/clean_up_file.h"

#include <windows.h>

#include <vector>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "common/markup/markup_document.h"
#include "common/files/install_guard.h"
#include "installer/old_client_files.h"

namespace kivo {
namespace {

const wchar_t kKivoKey[] = L"Software\\tarlan\\kivomixer";

// InstallDir of |root|'s key (created when missing, as older installers
// expect), or empty.
std::wstring registeredInstallDir(HKEY root) {
  HKEY key = nullptr;
  if (::RegCreateKeyW(root, kKivoKey, &key) != ERROR_SUCCESS) return std::wstring();
  wchar_t value[1024] = {0};
  DWORD size = sizeof value - sizeof(wchar_t);  // room for a terminator the value may lack
  DWORD type = 0;
  const LONG rc = ::RegQueryValueExW(key, L"InstallDir", nullptr, &type,
                                     reinterpret_cast<BYTE*>(value), &size);
  ::RegCloseKey(key);
  if (rc != ERROR_SUCCESS || type != REG_SZ) return std::wstring();
  return value;
}

// The version directories that the installation's Launcher.xml lists and
// that exist.
std::vector<std::wstring> listedVersionDirectories(const std::wstring& installation) {
  std::vector<std::wstring> found;
  std::wstring launcher = installation;
  appendPath(launcher, L"Launcher.xml");
  MarkupDocument document;
  if (!document.loadFile(launcher) || !document.findElement(L"LauncherInfo") ||
      !document.enterElement())
    return found;
  while (document.findElement(L"VersionInfo")) {
    std::wstring relative = document.getAttribute(L"Path");
    if (relative.empty()) relative = document.getAttribute(L"No");
    if (relative.empty()) relative = document.getAttribute(L"version");
    if (relative.empty()) continue;
    std::wstring directory = installation;
    // Only a plain name below the installation: a listed "..\\.." or an
    // absolute path must not steer the removal elsewhere.
    if (relative.find_first_of(L"\\/:") != std::wstring::npos || relative == L"." ||
        relative == L"..")
      continue;
    if (appendPath(directory, relative) && fileExists(directory)) found.push_back(directory);
  }
  return found;
}

void removePreviousInstallation(const std::wstring& installation) {
  std::wstring why;
  if (!isRemovableInstallation(installation, why)) {
    logPrintf(L"MixerSetupCore::cleanUpFile, keep %s: %s.", installation.c_str(), why.c_str());
    return;
  }
  for (const std::wstring& version : listedVersionDirectories(installation)) {
    deleteDirectoryTree(version);
    ::RemoveDirectoryW(version.c_str());
  }
  deleteDirectoryTree(installation);
}

}  // namespace

void cleanUpFile(const std::wstring& installDirectory) {
  const std::wstring data = dataDirectoryFor(installDirectory);

  const std::wstring temp = data + L"temp";
  deleteDirectoryTree(temp);
  logPrintf(L"MixerSetupCore::cleanUpFile, delete temp directory %s", temp.c_str());
  const std::wstring updates = data + L"updatefiles";
  deleteDirectoryTree(updates);
  logPrintf(L"MixerSetupCore::cleanUpFile, Delete temp directory %s", updates.c_str());
  for (const std::wstring& file : {installDirectory + L"\\oem.txt", data + L"ProductInfo.txt"}) {
    ::DeleteFileW(file.c_str());
    logPrintf(L"MixerSetupCore::cleanUpFile, Delete temp directory %s", file.c_str());
  }

  for (const wchar_t* name : kOldClientFiles) {
    const std::wstring file = installDirectory + name;
    if (::DeleteFileW(file.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) continue;
    ::MoveFileExW(file.c_str(), (file + L".old").c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  logPrintf(L"MixerSetupCore::cleanUpFile, clean single directory old files.");

  std::wstring previous = registeredInstallDir(HKEY_CURRENT_USER);
  if (previous.empty() || !fileExists(previous)) previous = registeredInstallDir(HKEY_LOCAL_MACHINE);
  if (previous.empty() || !fileExists(previous)) previous = installDirectory;
  removePreviousInstallation(previous);
  logPrintf(L"MixerSetupCore::cleanUpFile, clean old directories before install.");
}

}  // namespace kivo
