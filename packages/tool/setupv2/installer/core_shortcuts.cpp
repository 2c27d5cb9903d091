// MixerSetupCore: the shortcuts of a new installation and the refresh of
// links that older versions left pinned.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "common/system/com_ptr.h"
#include "common/system/win_handle.h"
#include "installer/mixer_setup_core.h"

namespace kivo {
namespace {

const wchar_t kLinkName[] = L"Kivo\u4f34\u4fa3.lnk";                  // Kivo伴侣.lnk
const wchar_t kGroupName[] = L"Kivo\u4f34\u4fa3";                     // Kivo伴侣
const wchar_t kUninstallLinkName[] = L"\u5378\u8f7dKivo\u4f34\u4fa3.lnk";  // 卸载Kivo伴侣.lnk

// A shell folder's path; |failure| tells which of the two calls failed.
enum class FolderFailure { kNone, kLocation, kPath };

std::wstring shellFolder(int csidl, FolderFailure& failure) {
  failure = FolderFailure::kNone;
  LPITEMIDLIST items = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &items))) {
    failure = FolderFailure::kLocation;
    return std::wstring();
  }
  wchar_t path[MAX_PATH] = {0};
  const BOOL ok = ::SHGetPathFromIDListW(items, path);
  ::CoTaskMemFree(items);
  if (!ok) {
    failure = FolderFailure::kPath;
    return std::wstring();
  }
  return path;
}

std::wstring joined(const std::wstring& directory, const wchar_t* name) {
  std::wstring p = directory;
  appendPath(p, name);
  return p;
}

std::wstring directoryOf(const std::wstring& path) {
  const std::wstring::size_type cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::wstring fileNameOf(const std::wstring& path) {
  const std::wstring::size_type cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

bool sameText(const std::wstring& a, const std::wstring& b) {
  return ::lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// Retargets one pinned link when it points at this installation's launcher
// or client; returns whether it was saved.
bool refreshLink(const std::wstring& linkFile, const std::wstring& newProgram,
                 const std::wstring& workingDirectory) {
  ScopedComInit com;
  ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.receiveVoid())))
    return false;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.receiveVoid()))) return false;
  if (FAILED(file->Load(linkFile.c_str(), STGM_READ))) return false;

  wchar_t target[MAX_PATH] = {0};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY))) return false;
  const std::wstring name = fileNameOf(target);
  if (!sameText(name, L"kivolauncher.exe") && !sameText(name, L"KivoMixer.exe")) return false;
  if (!sameText(directoryOf(target), directoryOf(newProgram))) return false;

  link->SetPath(newProgram.c_str());
  link->SetWorkingDirectory(workingDirectory.c_str());
  return SUCCEEDED(file->Save(linkFile.c_str(), TRUE));
}

}  // namespace

void MixerSetupCore::_createShortcut() {
  ScopedComInit com;
  if (!com.succeeded()) return;

  FolderFailure failure;
  const std::wstring desktop = shellFolder(CSIDL_DESKTOPDIRECTORY, failure);
  if (failure == FolderFailure::kLocation) {
    logPrintf(L"MixerSetupCore::_createShortcut, SHGetSpecialFolderLocation fail.");
    return;
  }
  if (failure == FolderFailure::kPath) {
    logPrintf(L"MixerSetupCore::_createShortcut, SHGetPathFromIDList fail.");
    return;
  }

  ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.receiveVoid()))) {
    logPrintf(L"MixerSetupCore::_createShortcut, CoCreateInstance fail.");
    return;
  }
  appFile_ = paths_[kPathVersionExe];
  const std::wstring workingDirectory = userDataDirectory();
  link->SetPath(appFile_.c_str());
  link->SetWorkingDirectory(workingDirectory.c_str());

  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.receiveVoid()))) {
    logPrintf(L"MixerSetupCore::_createShortcut, QueryInterface fail.");
    return;
  }
  file->Save(joined(desktop, kLinkName).c_str(), TRUE);

  std::wstring programs;
  std::wstring startMenu;
  for (int csidl : {CSIDL_PROGRAMS, CSIDL_STARTMENU}) {
    const std::wstring folder = shellFolder(csidl, failure);
    if (failure == FolderFailure::kLocation) {
      logPrintf(L"MixerSetupCore::_createShortcut, SHGetSpecialFolderLocation fail after ppf->Save.");
      return;
    }
    if (failure == FolderFailure::kPath) {
      logPrintf(L"MixerSetupCore::_createShortcut, SHGetPathFromIDList fail after ppf->Save.");
      return;
    }
    (csidl == CSIDL_PROGRAMS ? programs : startMenu) = folder;
  }

  const std::wstring group = joined(programs, kGroupName);
  ::SHCreateDirectory(nullptr, group.c_str());
  file->Save(joined(group, kLinkName).c_str(), TRUE);
  file->Save(joined(startMenu, kLinkName).c_str(), TRUE);

  link->SetPath(paths_[kPathUninstaller].c_str());
  file->Save(joined(group, kUninstallLinkName).c_str(), TRUE);
}

void MixerSetupCore::refreshPinnedShortcuts() {
  wchar_t quickLaunch[MAX_PATH] = {0};
  const DWORD n = ::ExpandEnvironmentStringsW(
      L"%APPDATA%\\Microsoft\\Internet Explorer\\Quick Launch", quickLaunch, MAX_PATH);
  if (n == 0 || n > MAX_PATH) return;

  const std::wstring newProgram = paths_[kPathInstallDir] + L"kivomixer.exe";
  const std::wstring workingDirectory = userDataDirectory();
  const std::wstring base = quickLaunch;
  for (const std::wstring& folder : {base, base + L"\\User Pinned\\StartMenu",
                                     base + L"\\User Pinned\\TaskBar"}) {
    if (!fileExists(folder)) continue;
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(::FindFirstFileW((folder + L"\\*.lnk").c_str(), &data));
    if (!find) continue;
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      refreshLink(folder + L"\\" + data.cFileName, newProgram, workingDirectory);
    } while (::FindNextFileW(find.get(), &data));
  }
}

}  // namespace kivo
