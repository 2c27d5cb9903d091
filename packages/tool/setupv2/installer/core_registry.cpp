// MixerSetupCore: the registry values of an installation. They are written
// at the end of the run, and only when extraction finished in this run, so
// an installer killed half-way leaves no entry that points at nothing.
#include <windows.h>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "installer/mixer_setup_core.h"
#include "installer/setup_settings.h"

namespace kivo {
namespace {

const wchar_t kKivoKey[] = L"Software\\tarlan\\kivomixer";
const wchar_t kKivoComKey[] = L"Software\\tarlan\\com.kivo.kivomixer";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KivoMixer";

// REG_SZ of two bytes per character and no terminating zero, as the client
// and the uninstaller have always read them.
void setText(HKEY key, const wchar_t* name, const std::wstring& value) {
  ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() * sizeof(wchar_t)));
}

void setNumber(HKEY key, const wchar_t* name, DWORD value) {
  ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

void MixerSetupCore::_writeRegedit() {
  HKEY key = nullptr;
  if (::RegCreateKeyW(HKEY_CURRENT_USER, kKivoKey, &key) == ERROR_SUCCESS) {
    setText(key, L"InstallDir", paths_[kPathInstallDir]);
    setText(key, L"AxFile", axFile_);
    setText(key, L"kivoMixerFile", appFile_);
    ::RegCloseKey(key);
  } else {
    logPrintf(L"MixerSetupCore::_writeRegedit, RegCreateKey STR_KIVO_REG_LOCATION fail.");
  }

  if (::RegCreateKeyW(HKEY_CURRENT_USER, kKivoComKey, &key) == ERROR_SUCCESS) {
    setText(key, L"InstallDir", paths_[kPathRootExe]);
    ::RegCloseKey(key);
  } else {
    logPrintf(L"MixerSetupCore::_writeRegedit, RegCreateKey STR_KIVOMIXER_COM_REG_LOCATION fail.");
  }

  // A 32-bit program: this lands in the 32-bit view (Wow6432Node).
  if (::RegCreateKeyW(HKEY_LOCAL_MACHINE, kUninstallKey, &key) == ERROR_SUCCESS) {
    const std::wstring uninstaller = paths_[kPathUninstaller];
    // Quoted: Windows runs this value, and an unquoted path with a blank
    // (C:\Users\Wang Wei\...) could start C:\Users\Wang.exe instead.
    setText(key, L"UninstallString", L"\"" + uninstaller + L"\"");
    setText(key, L"DisplayName", L"KivoMixer");
    setText(key, L"DisplayIcon", uninstaller);
    setText(key, L"Publisher", L"Tarlan\u6e38\u620f\u7f51");
    setText(key, L"URLInfoAbout", kPublisherSite);
    setText(key, L"DisplayVersion", kProductVersion);
    // What Programs and Features and package managers also read.
    setText(key, L"InstallLocation", paths_[kPathInstallDir]);
    setText(key, L"QuietUninstallString", L"\"" + uninstaller + L"\" -silence");
    setNumber(key, L"EstimatedSize", static_cast<DWORD>(estimatedKilobytes()));
    setNumber(key, L"NoModify", 1);
    setNumber(key, L"NoRepair", 1);
    ::RegCloseKey(key);
  } else {
    logPrintf(L"MixerSetupCore::_writeRegedit, RegCreateKey strUninstallKey fail.");
  }
}

ULONGLONG MixerSetupCore::estimatedKilobytes() const {
  // What the installation occupies on disk, rounded up to whole KiB.
  std::wstring directory = paths_[kPathInstallDir];
  if (!directory.empty() && directory.back() == L'\\') directory.pop_back();
  return (treeBytes(directory) + 1023) / 1024;
}

void MixerSetupCore::setHomePage() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Main", 0,
                      KEY_WRITE, &key) != ERROR_SUCCESS)
    return;
  setText(key, L"Start Page", kPublisherSite);
  ::RegCloseKey(key);
}

void MixerSetupCore::setAutoRun() {
  HKEY key = nullptr;
  if (::RegOpenKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", &key) !=
      ERROR_SUCCESS)
    return;
  logPrintf(L"MixerSetupCore::setAutoRun, write REGEDIT (auto run Kivo).");
  setText(key, L"KivoMixer", paths_[kPathRootExe]);
  ::RegCloseKey(key);
}

}  // namespace kivo
