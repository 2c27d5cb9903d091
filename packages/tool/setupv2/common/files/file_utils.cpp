#include "common/files/file_utils.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <vector>

#include "common/log/log_file.h"
#include "common/system/win_handle.h"

namespace kivo {
namespace {

bool isDotEntry(const wchar_t* name) {
  return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

// Calls |visit| for every entry of |directory| except "." and "..".
template <typename Visit>
void forEachEntry(const WString& directory, Visit visit) {
  WIN32_FIND_DATAW data;
  UniqueFindHandle find(::FindFirstFileW((directory + L"\\*.*").c_str(), &data));
  if (!find) return;
  do {
    if (!isDotEntry(data.cFileName)) visit(data);
  } while (::FindNextFileW(find.get(), &data));
}

// Copies |text| into a zero-filled 260-unit buffer, at most 258 units, so
// that the shell sees a double-zero-terminated list of one name.
void fillShellName(wchar_t (&buffer)[MAX_PATH], const WString& text) {
  std::memset(buffer, 0, sizeof buffer);
  const size_t n = text.size() < MAX_PATH - 2 ? text.size() : MAX_PATH - 2;
  std::memcpy(buffer, text.data(), n * sizeof(wchar_t));
}

}  // namespace

bool fileExists(const WString& path) { return ::PathFileExistsW(path.c_str()) != FALSE; }

bool copyFile(const WString& source, const WString& destination, bool& inUse) {
  inUse = false;
  const bool ok = ::CopyFileW(source.c_str(), destination.c_str(), FALSE) != FALSE;
  if (!ok && ::GetLastError() == ERROR_SHARING_VIOLATION) inUse = true;
  logPrintf(L"copyFile [%s] to [%s] finished %s!", source.c_str(), destination.c_str(),
            ok ? L"successfully" : L"failed");
  return ok;
}

bool copyDirectory(const WString& source, const WString& destination) {
  bool result = true;
  createDirectoryTree(destination);
  forEachEntry(source, [&](const WIN32_FIND_DATAW& entry) {
    WString from = source;
    WString to = destination;
    appendPath(from, entry.cFileName);
    appendPath(to, entry.cFileName);
    bool ok;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok = copyDirectory(from, to);
    } else {
      bool inUse = false;
      ok = copyFile(from, to, inUse);
    }
    if (!ok) result = false;
  });
  logPrintf(L"copyDirectory [%s] to [%s] finished %s!", source.c_str(), destination.c_str(),
            result ? L"successfully" : L"failed");
  return result;
}

bool createDirectoryTree(const WString& path) {
  std::vector<WString> missing;
  WString current = path;
  while (!fileExists(current)) {
    missing.push_back(current);
    WString parent;
    if (!parentOf(current, parent)) return false;
    current = parent;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!::CreateDirectoryW(it->c_str(), nullptr)) return false;
  }
  return true;
}

ULONGLONG treeBytes(const WString& path) {
  ULONGLONG total = 0;
  forEachEntry(path, [&](const WIN32_FIND_DATAW& entry) {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        total += treeBytes(path + L"\\" + entry.cFileName);
    } else {
      total += (static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    }
  });
  return total;
}

void deleteDirectoryTree(const WString& path) {
  if (!fileExists(path)) return;
  forEachEntry(path, [&](const WIN32_FIND_DATAW& entry) {
    const WString child = path + L"\\" + entry.cFileName;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // A junction or symbolic link is removed, never followed: what it
      // points at is not ours to delete.
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) deleteDirectoryTree(child);
      ::RemoveDirectoryW(child.c_str());
    } else {
      ::DeleteFileW(child.c_str());
    }
  });
  ::RemoveDirectoryW(path.c_str());
}

DWORD renameToOld(const WString& path) {
  const WString old = path + L".old";
  ::DeleteFileW(old.c_str());

  wchar_t from[MAX_PATH];
  wchar_t to[MAX_PATH];
  fillShellName(from, path);
  fillShellName(to, old);
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_RENAME;
  op.pFrom = from;
  op.pTo = to;
  op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
  if (::SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted) return 0;

  if (::MoveFileW(from, to)) return 0;
  const DWORD error = ::GetLastError();
  return error != 0 ? error : 1;
}

bool appendPath(WString& path, const WString& component) {
  wchar_t buffer[MAX_PATH] = {0};
  if (path.size() >= MAX_PATH) return false;
  std::memcpy(buffer, path.c_str(), path.size() * sizeof(wchar_t));
  if (!::PathAppendW(buffer, component.c_str())) return false;
  path = buffer;
  return true;
}

WString pathKey(const WString& installDirectory) {
  const std::string ansi = toAnsi(normalizePath(installDirectory).c_str());
  if (ansi.empty()) return WString();

  HCRYPTPROV provider = 0;
  if (!::CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
    return WString();
  WString key;
  HCRYPTHASH hash = 0;
  if (::CryptCreateHash(provider, CALG_MD5, 0, 0, &hash)) {
    BYTE digest[16];
    DWORD size = sizeof digest;
    if (::CryptHashData(hash, reinterpret_cast<const BYTE*>(ansi.data()),
                        static_cast<DWORD>(ansi.size()), 0) &&
        ::CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0) && size == sizeof digest) {
      static const wchar_t kHex[] = L"0123456789abcdef";
      for (BYTE b : digest) {
        key += kHex[b >> 4];
        key += kHex[b & 15];
      }
    }
    ::CryptDestroyHash(hash);
  }
  ::CryptReleaseContext(provider, 0);
  return key;
}

WString userDataDirectory() {
  wchar_t appData[MAX_PATH] = {0};
  ::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
  const WString directory = WString(appData) + L"\\tarlan\\kivomixer";
  ::SHCreateDirectory(nullptr, directory.c_str());
  return directory;
}

WString dataDirectoryFor(const WString& installDirectory) {
  const WString directory = userDataDirectory() + pathKey(installDirectory) + L"\\";
  ::SHCreateDirectory(nullptr, directory.c_str());
  return directory;
}

bool isValidInstallPath(const WString& path) {
  WString driveRoot;
  if (!isWellFormedInstallPath(path, driveRoot)) return false;
  ULARGE_INTEGER freeToCaller = {};
  if (!::GetDiskFreeSpaceExW(driveRoot.c_str(), &freeToCaller, nullptr, nullptr)) return false;
  return freeToCaller.QuadPart != 0;
}

double freeMegabytes(const WString& path) {
  const WString drive = path.substr(0, 3);
  ULARGE_INTEGER freeToCaller = {};
  if (!::GetDiskFreeSpaceExW(drive.c_str(), &freeToCaller, nullptr, nullptr)) return 0.0;
  return static_cast<double>(freeToCaller.QuadPart) / 1048576.0;
}

std::string toAnsi(const wchar_t* text, int length, UINT codePage) {
  if (text == nullptr || length < -1 || length == 0) return std::string();
  const int size = ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, 0, text, length, &out[0], size, nullptr, nullptr);
  if (length == -1 && !out.empty() && out.back() == '\0') out.pop_back();
  return out;
}

WString toWide(const char* text, int length, UINT codePage) {
  if (text == nullptr || length < -1 || length == 0) return WString();
  const int size = ::MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
  if (size <= 0) return WString();
  WString out(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(codePage, 0, text, length, &out[0], size);
  if (length == -1 && !out.empty() && out.back() == L'\0') out.pop_back();
  return out;
}

}  // namespace kivo
