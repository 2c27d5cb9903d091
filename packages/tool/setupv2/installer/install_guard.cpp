#include "installer/install_guard.h"

#include <windows.h>
#include <shlobj.h>

#include "common/files/file_utils.h"
#include "common/text/path_text.h"

namespace kivo {
namespace {

// Folders that are never an installation, whatever they hold.
const int kShellFolders[] = {
    CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
    CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROFILE, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA,
    CSIDL_COMMON_APPDATA, CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_PROGRAMS,
    CSIDL_STARTMENU, CSIDL_FAVORITES, CSIDL_COMMON_DESKTOPDIRECTORY,
};

std::wstring shellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {0};
  if (!::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return std::wstring();
  return path;
}

bool holdsOurFiles(const std::wstring& directory) {
  std::wstring launcher = directory;
  std::wstring client = directory;
  appendPath(launcher, L"Launcher.xml");
  appendPath(client, L"3.1.0.5\\KivoMixer.exe");
  return fileExists(launcher) || fileExists(client);
}

}  // namespace

bool isRemovableInstallation(const std::wstring& directory, std::wstring* why) {
  auto refuse = [why](const wchar_t* reason) {
    if (why) *why = reason;
    return false;
  };
  const std::wstring normalized = normalizePath(directory);
  WString drive;
  if (!isWellFormedInstallPath(directory, drive)) return refuse(L"not a usable path");
  if (normalized.size() <= 3) return refuse(L"a drive root");
  for (int csidl : kShellFolders) {
    const std::wstring folder = shellFolder(csidl);
    if (!folder.empty() && normalizePath(folder) == normalized) return refuse(L"a system or shell folder");
  }
  // Profiles: C:\Users\<name> and the folder that holds them.
  const std::wstring profile = normalizePath(shellFolder(CSIDL_PROFILE));
  WString profiles;
  if (parentOf(profile, profiles) && normalizePath(profiles) == normalized)
    return refuse(L"the folder of the user profiles");
  if (!fileExists(directory)) return refuse(L"it does not exist");
  if (!holdsOurFiles(directory)) return refuse(L"it holds no installation of ours");
  return true;
}

}  // namespace kivo
