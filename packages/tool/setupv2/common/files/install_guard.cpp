#include "common/files/install_guard.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "common/files/file_utils.h"
#include "common/system/win_handle.h"

namespace kivo {
namespace {

// Full, backslash-free at the end, for comparisons that ignore case.
std::wstring canonical(const std::wstring& path) {
  wchar_t full[MAX_PATH] = {0};
  const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  std::wstring result = (length > 0 && length < MAX_PATH) ? std::wstring(full, length) : path;
  while (result.size() > 3 && (result.back() == L'\\' || result.back() == L'/')) result.pop_back();
  for (wchar_t& c : result)
    if (c == L'/') c = L'\\';
  return result;
}

bool sameText(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && ::lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// |ancestor| is |path| itself or one of its parents.
bool coversPath(const std::wstring& ancestor, const std::wstring& path) {
  if (ancestor.empty() || path.size() < ancestor.size()) return false;
  if (!sameText(ancestor, path.substr(0, ancestor.size()))) return false;
  return path.size() == ancestor.size() || path[ancestor.size()] == L'\\' || ancestor.back() == L'\\';
}

std::wstring shellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {0};
  if (!::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return std::wstring();
  return canonical(path);
}

// Folders that the system or the user owns. Deleting one of them, or a
// folder that holds one, would take what is not ours.
const int kProtectedFolders[] = {
    CSIDL_WINDOWS,          CSIDL_SYSTEM,           CSIDL_SYSTEMX86,           CSIDL_PROGRAM_FILES,
    CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86,
    CSIDL_PROFILE,          CSIDL_APPDATA,          CSIDL_LOCAL_APPDATA,       CSIDL_COMMON_APPDATA,
    CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_PERSONAL,     CSIDL_COMMON_DOCUMENTS,
    CSIDL_MYMUSIC,          CSIDL_MYPICTURES,       CSIDL_MYVIDEO,             CSIDL_FAVORITES,
    CSIDL_STARTMENU,        CSIDL_PROGRAMS,         CSIDL_STARTUP,             CSIDL_COMMON_STARTMENU,
    CSIDL_COMMON_PROGRAMS,  CSIDL_TEMPLATES,        CSIDL_FONTS,               CSIDL_INTERNET_CACHE,
    CSIDL_COOKIES,          CSIDL_HISTORY,          CSIDL_SENDTO,              CSIDL_RECENT,
};

bool isVersionName(const wchar_t* name) {
  bool digit = false;
  for (const wchar_t* p = name; *p; ++p) {
    if (*p >= L'0' && *p <= L'9') digit = true;
    else if (*p != L'.') return false;
  }
  return digit;
}

bool isFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool holdsOurFiles(const std::wstring& directory) {
  if (isFile(directory + L"\\Launcher.xml")) return true;
  WIN32_FIND_DATAW entry;
  UniqueFindHandle find(::FindFirstFileW((directory + L"\\*").c_str(), &entry));
  if (!find) return false;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && isVersionName(entry.cFileName) &&
        isFile(directory + L"\\" + entry.cFileName + L"\\KivoMixer.exe"))
      return true;
  } while (::FindNextFileW(find.get(), &entry));
  return false;
}

}  // namespace

bool isRemovableInstallation(const std::wstring& directory, std::wstring& reason) {
  if (directory.empty()) {
    reason = L"no directory was given";
    return false;
  }
  const std::wstring target = canonical(directory);
  if (::PathIsRootW(target.c_str()) || target.size() <= 3) {
    reason = L"it is a drive root";
    return false;
  }
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    reason = L"it is not a directory";
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    reason = L"it is a link to another folder";
    return false;
  }

  const std::wstring profile = shellFolder(CSIDL_PROFILE);
  // Every user's profile lies beside ours.
  std::wstring profiles = profile;
  if (parentOf(profile, profiles) && sameText(canonical(profiles), target.substr(0, target.rfind(L'\\')))) {
    reason = L"it is a user profile";
    return false;
  }
  for (const int csidl : kProtectedFolders) {
    const std::wstring folder = shellFolder(csidl);
    if (coversPath(target, folder)) {
      reason = L"it is or holds the system or shell folder " + folder;
      return false;
    }
  }
  const std::wstring userData = canonical(userDataDirectory());
  if (coversPath(target, userData)) {
    reason = L"it is or holds the user data folder " + userData;
    return false;
  }
  if (!holdsOurFiles(target)) {
    reason = L"it holds neither Launcher.xml nor a version folder with KivoMixer.exe";
    return false;
  }
  return true;
}

}  // namespace kivo
