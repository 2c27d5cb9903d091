// The operations the core offers to windows that no window of this system
// calls yet: they still have to do exactly what they promise.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "installer/mixer_setup_core.h"
#include "installer/setup_interfaces.h"
#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;

class NullObserver : public ISetupObserver {
 public:
  void onCheckResult(int) override {}
  void onKivoRunning() override {}
  void onDecompressProgress(double, const std::wstring&) override {}
  void onDecompressFail(const std::wstring&) override {}
  void onDecompressFinish(int) override {}
  bool isSilence() const override { return true; }
};

std::wstring readValue(HKEY root, const wchar_t* key, const wchar_t* name, DWORD* type) {
  wchar_t data[1024] = {0};
  DWORD size = sizeof data - sizeof(wchar_t);
  if (::RegGetValueW(root, key, name, RRF_RT_ANY, type, data, &size) != ERROR_SUCCESS) return L"<none>";
  return data;
}

TEST(CoreOfferedOperationsTest, AutoRunStartsTheRootProgram) {
  NullObserver observer;
  MixerSetupCore core(&observer);
  core.setInstallDirectory(L"C:\\\u5e94\u7528 Kivo");
  core.setAutoRun();
  DWORD type = 0;
  EXPECT_EQ(readValue(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                      L"KivoMixer", &type),
            L"C:\\\u5e94\u7528 Kivo\\KivoMixer.exe");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST(CoreOfferedOperationsTest, HomePageIsSetOnlyWhereTheKeyExists) {
  NullObserver observer;
  MixerSetupCore core(&observer);
  const wchar_t kMain[] = L"Software\\Microsoft\\Internet Explorer\\Main";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kMain);
  ::RegDeleteKeyW(HKEY_CURRENT_USER, kMain);
  core.setHomePage();  // the key is opened, never created
  HKEY key = nullptr;
  EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, kMain, 0, KEY_READ, &key), ERROR_SUCCESS);

  ASSERT_EQ(::RegCreateKeyW(HKEY_CURRENT_USER, kMain, &key), ERROR_SUCCESS);
  ::RegCloseKey(key);
  core.setHomePage();
  DWORD type = 0;
  EXPECT_EQ(readValue(HKEY_CURRENT_USER, kMain, L"Start Page", &type), L"http://www.kivomixer.com");
}

TEST(CoreOfferedOperationsTest, FavouritesLinkIsUtf16WithoutMark) {
  NullObserver observer;
  MixerSetupCore core(&observer);
  core.collectTarlan();
  wchar_t favorites[MAX_PATH] = {0};
  ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, favorites, CSIDL_FAVORITES, FALSE));
  const std::wstring file = std::wstring(favorites) + L"\\Tarlan\u6e38\u620f\u7f51.url";
  const std::string bytes = kivo_test::readBytes(file);
  const std::wstring expected = L"[InternetShortcut]\nURL=http://www.tarlan.com/index3.html";
  ASSERT_EQ(bytes.size(), expected.size() * 2);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), expected.size()), expected);
  ::DeleteFileW(file.c_str());
}

}  // namespace
