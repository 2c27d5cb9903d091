#include "uninstaller/mixer_uninstall_core.h"

#include <gtest/gtest.h>

#include "common/files/file_utils.h"
#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

const wchar_t kKivoKey[] = L"Software\\tarlan\\kivomixer";

void setAxFile(const std::wstring& value) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyW(HKEY_CURRENT_USER, kKivoKey, &key), ERROR_SUCCESS);
  ::RegSetValueExW(key, L"AxFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() * sizeof(wchar_t)));
  ::RegCloseKey(key);
}

TEST(MixerUninstallCoreTest, CopyGetsTheQuotedDirectoryWithoutItsBackslash) {
  MixerUninstallCore core(nullptr);
  core.setPath(L"C:\\Program Files (x86)\\Kivo \u4f34\u4fa3");
  EXPECT_EQ(core.path(), L"C:\\Program Files (x86)\\Kivo \u4f34\u4fa3\\");
  EXPECT_EQ(core.copyParameters(), L"-delete -path \"C:\\Program Files (x86)\\Kivo \u4f34\u4fa3\"");
  core.setSilent(true);
  core.setPath(L"D:\\Kivo\\");
  EXPECT_EQ(core.path(), L"D:\\Kivo\\");
  EXPECT_EQ(core.copyParameters(), L"-silencedelete -path \"D:\\Kivo\"");
}

TEST(MixerUninstallCoreTest, RegsvrCommandKeepsItsText) {
  EXPECT_EQ(MixerUninstallCore::unregisterCommand(L"D:\\\u4f34\u4fa3\\Stable\\KivoVirtualCam.ax"),
            L"regsvr32 -s -u \"D:\\\u4f34\u4fa3\\Stable\\KivoVirtualCam.ax\"");
}

TEST(MixerUninstallCoreTest, FilterIsTheRegisteredOneOnlyInsideThisInstallation) {
  ScratchDir d;
  createDirectoryTree(d / L"Stable");
  const std::wstring numbered = d / L"Stable\\KivoVirtualCam.ax1";
  writeBytes(numbered, "filter");
  ScratchDir elsewhere;
  const std::wstring foreign = elsewhere / L"KivoVirtualCam.ax";
  writeBytes(foreign, "filter");

  MixerUninstallCore core(nullptr);
  core.setPath(d.path());
  const std::wstring fallback = d.path() + L"\\3.3.0.0\\KivoVirtualCam.ax";

  const struct {
    std::wstring registered;
    std::wstring expected;
  } cases[] = {
      {numbered, numbered},
      {foreign, fallback},                              // another installation's filter
      {d / L"Stable\\KivoVirtualCam.ax", fallback},    // registered but gone
      {L"", fallback},
  };
  for (const auto& c : cases) {
    setAxFile(c.registered);
    EXPECT_EQ(core.filterPath(), c.expected) << c.registered.c_str();
  }
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kKivoKey);
  EXPECT_EQ(core.filterPath(), fallback);
}

TEST(MixerUninstallCoreTest, RegistryRemovalTakesBothUninstallEntriesAndKeepsKeysWithSubkeys) {
  const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KivoMixer";
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyW(HKEY_LOCAL_MACHINE, kUninstall, &key), ERROR_SUCCESS);
  ::RegCloseKey(key);
  ASSERT_EQ(::RegCreateKeyW(HKEY_CURRENT_USER, kUninstall, &key), ERROR_SUCCESS);
  ::RegCloseKey(key);
  ASSERT_EQ(::RegCreateKeyW(HKEY_CURRENT_USER, L"Software\\tarlan\\kivomixer\\child", &key), ERROR_SUCCESS);
  ::RegCloseKey(key);
  ASSERT_EQ(::RegCreateKeyW(HKEY_CURRENT_USER, L"Software\\tarlan\\com.kivo.kivomixer", &key), ERROR_SUCCESS);
  ::RegCloseKey(key);

  MixerUninstallCore core(nullptr);
  core.deleteRegeditInfo();

  const auto exists = [](HKEY root, const wchar_t* path) {
    HKEY k = nullptr;
    const bool found = ::RegOpenKeyExW(root, path, 0, KEY_READ, &k) == ERROR_SUCCESS;
    if (found) ::RegCloseKey(k);
    return found;
  };
  EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, kUninstall));
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, kUninstall));
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, L"Software\\tarlan\\com.kivo.kivomixer"));
  EXPECT_TRUE(exists(HKEY_CURRENT_USER, L"Software\\tarlan\\kivomixer"));  // it has a subkey
  ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\tarlan\\kivomixer\\child");
  ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\tarlan\\kivomixer");
}

}  // namespace
