// MixerUninstallCore: what the uninstaller removes outside the install
// directory (filter registration, registry values, shortcuts) and the
// removal's statistics request.
#include <windows.h>
#include <shlobj.h>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "common/statistics/install_statistics.h"
#include "common/statistics/setup_ini.h"
#include "toolkit/io/tl_file.h"
#include "uninstaller/mixer_uninstall_core.h"
#include "uninstaller/uninstall_settings.h"

namespace kivo {
namespace {

const wchar_t kKivoKey[] = L"Software\\tarlan\\kivomixer";
const wchar_t kKivoComKey[] = L"Software\\tarlan\\com.kivo.kivomixer";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KivoMixer";
const wchar_t kLinkName[] = L"Kivo\u4f34\u4fa3.lnk";                        // Kivo伴侣.lnk
const wchar_t kGroupName[] = L"Kivo\u4f34\u4fa3";                           // Kivo伴侣
const wchar_t kUninstallLinkName[] = L"\u5378\u8f7dKivo\u4f34\u4fa3.lnk";  // 卸载Kivo伴侣.lnk

std::wstring registeredFilter() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKivoKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::wstring();
  wchar_t value[MAX_PATH + 1] = {0};
  DWORD type = 0;
  DWORD bytes = MAX_PATH * sizeof(wchar_t);
  const LONG result = ::RegQueryValueExW(key, L"AxFile", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
  ::RegCloseKey(key);
  // Written without a terminating zero: the byte count gives the length.
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::wstring();
  std::wstring text(value, bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

bool startsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
  return !prefix.empty() && text.size() > prefix.size() &&
         ::lstrcmpiW(text.substr(0, prefix.size()).c_str(), prefix.c_str()) == 0;
}

bool shellFolder(int csidl, std::wstring& path) {
  LPITEMIDLIST items = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &items))) return false;
  wchar_t buffer[MAX_PATH] = {0};
  const BOOL ok = ::SHGetPathFromIDListW(items, buffer);
  ::CoTaskMemFree(items);
  if (!ok) return false;
  path = buffer;
  return true;
}

}  // namespace

std::wstring MixerUninstallCore::filterPath() const {
  // The installer registers the filter from where it put it (the AxFile
  // value: D\Stable\..., possibly numbered); only a path inside this D
  // counts, so that running a stray copy elsewhere leaves a real
  // installation's filter alone.
  const std::wstring registered = registeredFilter();
  if (startsWithIgnoringCase(registered, path_) && TlFile::exists(registered.c_str())) return registered;
  return path_ + kUninstallVersion + L"\\KivoVirtualCam.ax";
}

std::wstring MixerUninstallCore::unregisterCommand(const std::wstring& filter) {
  return L"regsvr32 -s -u \"" + filter + L"\"";
}

void MixerUninstallCore::unRegsvrAxComM() {
  const std::wstring filter = filterPath();
  if (!TlFile::exists(filter.c_str())) {
    logPrintf(L"KivoUninstallCore::unRegsvrAxComM, file %s not exist.", filter.c_str());
    return;
  }
  std::wstring command = unregisterCommand(filter);
  logPrintf(L"KivoUninstallCore::unRegsvrAxComM, order is %s", command.c_str());

  // Wide all the way: a path outside the ANSI code page must reach
  // regsvr32 intact. The result is logged as WinExec reported it: above 31
  // when started, else the error code.
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info = {};
  int result = 33;
  if (::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
  } else {
    result = static_cast<int>(::GetLastError());
  }
  logPrintf(L"KivoUninstallCore::unRegsvrAxComM, ret is %d", result);
}

void MixerUninstallCore::deleteRegeditInfo() {
  HKEY run = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_ALL_ACCESS,
                      &run) == ERROR_SUCCESS) {
    ::RegDeleteValueW(run, L"KivoMixer");
    ::RegCloseKey(run);
  }
  if (::RegDeleteKeyW(HKEY_CURRENT_USER, kKivoComKey) != ERROR_SUCCESS)
    logPrintf(L"MixerUninstallCore::deleteRegeditInfo, Failed to delete STR_KIVOMIXER_COM_REG_LOCATION");
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kKivoKey);
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kUninstallKey);
  // The installer writes the entry under HKEY_LOCAL_MACHINE (this 32-bit
  // program sees the same 32-bit view); without this, Programs and
  // Features keeps listing a removed product.
  const LONG machine = ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallKey);
  if (machine != ERROR_SUCCESS && machine != ERROR_FILE_NOT_FOUND)
    logPrintf(L"MixerUninstallCore::deleteRegeditInfo, Failed to delete the uninstall entry, error is %d",
              static_cast<int>(machine));
}

void MixerUninstallCore::deleteShortcuts() {
  std::wstring desktop;
  if (!shellFolder(CSIDL_DESKTOPDIRECTORY, desktop)) return;
  ::DeleteFileW((desktop + L"\\" + kLinkName).c_str());

  std::wstring programs;
  if (!shellFolder(CSIDL_PROGRAMS, programs)) return;
  const std::wstring group = programs + L"\\" + kGroupName;
  ::DeleteFileW((group + L"\\" + kLinkName).c_str());
  ::DeleteFileW((group + L"\\" + kUninstallLinkName).c_str());
  ::RemoveDirectoryW(group.c_str());

  std::wstring startMenu;
  if (!shellFolder(CSIDL_STARTMENU, startMenu)) return;
  ::DeleteFileW((startMenu + L"\\" + kLinkName).c_str());
}

void MixerUninstallCore::sendInstallStastics() {
  const std::wstring address = statisticsAddress(kStatisticsHost, readMacId(), kUninstallVersion, false);
  logPrintf(L"MixerSetupCore::sendInstallStastics, url %s.", address.c_str());
  sendStatisticsRequest(address);
}

}  // namespace kivo
