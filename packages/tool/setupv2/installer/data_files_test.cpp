// The data-file steps around an extraction: the clean-up of a previous
// installation, the removal guard and the effect-list merge.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/files/file_utils.h"
#include "common/markup/markup_document.h"
#include "installer/clean_up_file.h"
#include "installer/effect_list_merge.h"
#include "common/files/install_guard.h"
#include "installer/mixer_setup_decompressor.h"
#include "installer/setup_interfaces.h"
#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;
using kivo_test::readBytes;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

void put(const std::wstring& path, const std::string& bytes) {
  std::wstring folder;
  if (parentOf(path, folder)) createDirectoryTree(folder);
  writeBytes(path, bytes);
}

const char kLauncher[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<LauncherInfo>\r\n"
    "  <VersionInfo No=\"3.0.0.1\" Path=\"3.0.0.1\" Enable=\"1\" First=\"0\" Index=\"1\"/>\r\n"
    "  <VersionInfo No=\"2.9\" Path=\"\" Enable=\"0\"/>\r\n"
    "  <VersionInfo Path=\"..\\..\\victim\"/>\r\n"
    "</LauncherInfo>\r\n";

class RegisteredInstallDir {
 public:
  explicit RegisteredInstallDir(const std::wstring& directory) {
    HKEY key = nullptr;
    ::RegCreateKeyW(HKEY_CURRENT_USER, L"Software\\tarlan\\kivomixer", &key);
    ::RegSetValueExW(key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(directory.c_str()),
                     static_cast<DWORD>(directory.size() * 2));
    ::RegCloseKey(key);
  }
  ~RegisteredInstallDir() {
    HKEY key = nullptr;
    ::RegOpenKeyW(HKEY_CURRENT_USER, L"Software\\tarlan\\kivomixer", &key);
    ::RegDeleteValueW(key, L"InstallDir");
    ::RegCloseKey(key);
  }
};

TEST(InstallGuardTest, OnlyDirectoriesHoldingOurFilesMayBeRemoved) {
  ScratchDir dir;
  put(dir / L"ours\\Launcher.xml", kLauncher);
  put(dir / L"ours by version\\3.1.0.5\\KivoMixer.exe", "exe");
  put(dir / L"theirs\\photo.jpg", "photo");
  struct Case {
    std::wstring path;
    bool removable;
  } cases[] = {
      {dir / L"ours", true},
      {dir / L"ours\\", true},
      {dir / L"ours by version", true},
      {dir / L"theirs", false},
      {dir / L"missing", false},
      {L"C:\\", false},
      {L"C:\\windows", false},
  };
  for (const Case& c : cases) {
    std::wstring why;
    EXPECT_EQ(isRemovableInstallation(c.path, why), c.removable) << c.path.size();
    EXPECT_EQ(why.empty(), c.removable);
  }
  wchar_t profile[MAX_PATH] = {0};
  ::ExpandEnvironmentStringsW(L"%USERPROFILE%", profile, MAX_PATH);
  put(std::wstring(profile) + L"\\Launcher.xml", kLauncher);  // even with our file in it
  std::wstring why;
  EXPECT_FALSE(isRemovableInstallation(profile, why));
  ::DeleteFileW((std::wstring(profile) + L"\\Launcher.xml").c_str());
}

TEST(CleanUpFileTest, RemovesThePreviousInstallationAndTheOldClientFiles) {
  ScratchDir dir;
  const std::wstring target = dir / L"new target\\";
  const std::wstring previous = dir / L"old install";
  put(previous + L"\\Launcher.xml", kLauncher);
  put(previous + L"\\3.0.0.1\\KivoMixer.exe", "old");
  put(dir / L"victim\\keep.txt", "not ours");
  put(target + L"QtCore4.dll", "old client");
  put(target + L"user notes.txt", "the user's");
  const std::wstring data = dataDirectoryFor(target);
  put(data + L"temp\\a.tmp", "t");
  put(data + L"updatefiles\\u.bin", "u");
  put(data + L"ProductInfo.txt", "x=1");

  {
    RegisteredInstallDir registered(previous + L"\\");
    cleanUpFile(target);
  }
  EXPECT_FALSE(fileExists(previous));
  EXPECT_EQ(readBytes(dir / L"victim\\keep.txt"), "not ours");
  EXPECT_FALSE(fileExists(target + L"QtCore4.dll"));
  EXPECT_EQ(readBytes(target + L"user notes.txt"), "the user's");
  EXPECT_FALSE(fileExists(data + L"temp"));
  EXPECT_FALSE(fileExists(data + L"updatefiles"));
  EXPECT_FALSE(fileExists(data + L"ProductInfo.txt"));
  ::RemoveDirectoryW(data.c_str());
}

TEST(CleanUpFileTest, AnUnregisteredTargetIsRemovedOnlyWhenItIsOurs) {
  ScratchDir dir;
  // No previous installation registered: the target itself is looked at.
  const std::wstring foreign = dir / L"Games\\";
  put(foreign + L"save.dat", "precious");
  cleanUpFile(foreign);
  EXPECT_EQ(readBytes(foreign + L"save.dat"), "precious");

  const std::wstring ours = dir / L"Kivo\\";
  put(ours + L"Launcher.xml", kLauncher);
  put(ours + L"3.0.0.1\\old.dll", "old");
  cleanUpFile(ours);
  EXPECT_FALSE(fileExists(ours + L"3.0.0.1"));
  EXPECT_FALSE(fileExists(ours + L"Launcher.xml"));
  ::RemoveDirectoryW(dataDirectoryFor(foreign).c_str());
  ::RemoveDirectoryW(dataDirectoryFor(ours).c_str());
}

TEST(CleanUpFileTest, OldClientFileInUseIsMovedAside) {
  ScratchDir dir;
  const std::wstring target = dir / L"t\\";
  put(target + L"KivoCore.dll", "busy");
  // Held without delete sharing: deletion fails, a rename is still allowed.
  HANDLE held = ::CreateFileW((target + L"KivoCore.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  writeBytes(target + L"keep.me", "x");
  cleanUpFile(target);
  ::CloseHandle(held);
  EXPECT_TRUE(fileExists(target + L"KivoCore.dll") || fileExists(target + L"KivoCore.dll.old"));
  EXPECT_EQ(readBytes(target + L"keep.me"), "x");
  ::RemoveDirectoryW(dataDirectoryFor(target).c_str());
}

TEST(CleanUpFileTest, HostileRegisteredDirectoriesLoseNothing) {
  ScratchDir dir;
  wchar_t profile[MAX_PATH] = {0};
  ::ExpandEnvironmentStringsW(L"%USERPROFILE%", profile, MAX_PATH);
  const std::wstring profileSentinel = std::wstring(profile) + L"\\sentinel.txt";
  put(profileSentinel, "profile");
  put(dir / L"unrelated\\sentinel.txt", "unrelated");
  put(dir / L"x\\sentinel.txt", "x");
  // Our installation whose Launcher.xml points outside it.
  put(dir / L"a\\b\\Launcher.xml",
      "<LauncherInfo><VersionInfo Path=\"..\\..\\x\" No=\"..\\..\\x\"/></LauncherInfo>");
  for (const std::wstring& registered :
       {std::wstring(L"C:\\"), std::wstring(profile), dir / L"unrelated", dir / L"a\\b"}) {
    RegisteredInstallDir value(registered);
    cleanUpFile(dir / L"target\\");
  }
  EXPECT_EQ(readBytes(profileSentinel), "profile");
  EXPECT_EQ(readBytes(dir / L"unrelated\\sentinel.txt"), "unrelated");
  EXPECT_EQ(readBytes(dir / L"x\\sentinel.txt"), "x");
  EXPECT_FALSE(fileExists(dir / L"a\\b"));  // ours, and only ours, went
  ::DeleteFileW(profileSentinel.c_str());
  ::RemoveDirectoryW(dataDirectoryFor(dir / L"target\\").c_str());
}

class FinishObserver : public ISetupObserver {
 public:
  void onCheckResult(int) override {}
  void onKivoRunning() override {}
  void onDecompressProgress(double, const std::wstring&) override {}
  void onDecompressFail(const std::wstring&) override {}
  void onDecompressFinish(int result) override {
    results.push_back(result);
    ::InterlockedExchange(&finished, 1);
  }
  bool isSilence() const override { return false; }
  std::vector<int> results;
  volatile LONG finished = 0;
};

TEST(UpgradeTest, WizardExtractionRemovesTheRegisteredInstallationFirst) {
  ScratchDir dir;
  const std::wstring previous = dir / L"\u65e7 Kivo";
  put(previous + L"\\Launcher.xml", kLauncher);
  put(previous + L"\\3.0.0.1\\KivoMixer.exe", "old client");
  put(previous + L"\\3.0.0.1\\res\\old.dat", "old data");
  const std::wstring target = dir / L"\u65b0 Kivo\\";
  RegisteredInstallDir registered(previous + L"\\");

  FinishObserver observer;
  MixerSetupDecompressor worker(&observer);
  worker.setInstallDirectory(target);
  worker.start(true);
  for (int i = 0; i < 1200 && !observer.finished; ++i) ::Sleep(50);
  worker.stop();
  ASSERT_EQ(observer.results, std::vector<int>{DR_Success});
  EXPECT_FALSE(fileExists(previous));
  EXPECT_TRUE(fileExists(target + L"3.1.0.5\\KivoMixer.exe"));
  ::RemoveDirectoryW(dataDirectoryFor(target).c_str());
}

const char kShippedList[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<aurae>\n"
    "  <music>\n"
    "    <file file_path=\"/aurae/music/a.mp3\" file_md5=\"new-a\" duration=\"10\" type=\"1\" user=\"0\" name=\"A new\"/>\n"
    "  </music>\n"
    "  <animation>\n"
    "    <file file_path=\"/aurae/animation/heart.swf\" file_md5=\"h\" ico_path=\"/i/h.png\" ico_md5=\"hi\" tip_path=\"\" type=\"2\" user=\"0\" name=\"\xe7\x88\xb1\xe5\xbf\x83\"/>\n"
    "    <file file_path=\"/aurae/animation/star.swf\" file_md5=\"s\" ico_path=\"/i/s.png\" ico_md5=\"si\" tip_path=\"t\" type=\"2\" user=\"0\" name=\"star\"/>\n"
    "  </animation>\n"
    "  <broadcast>\n"
    "    <file file_path=\"/aurae/animationbroadcast/b.swf\" file_md5=\"b\" ico_path=\"\" ico_md5=\"\" tip_path=\"\" type=\"3\" user=\"0\" name=\"b\"/>\n"
    "  </broadcast>\n"
    "</aurae>\n";

struct Layout {
  ScratchDir dir;
  std::wstring version = dir / L"D\\3.1.0.5";
  std::wstring user = dir / L"U";
  Layout() {
    put(version + L"\\res\\aurae\\auraelist.xml", kShippedList);
    put(version + L"\\res\\aurae\\music\\a.mp3", "music a");
    put(version + L"\\res\\aurae\\animation\\heart.swf", "heart");
    put(version + L"\\res\\aurae\\animationbroadcast\\b.swf", "bcast");
  }
  std::wstring userList() const { return user + L"\\aurae\\auraelist.xml"; }
};

TEST(EffectListMergeTest, FreshProfileGetsTheShippedListAndFolders) {
  Layout l;
  mergeEffectList(l.version, l.user);
  EXPECT_EQ(readBytes(l.userList()), kShippedList);
  EXPECT_EQ(readBytes(l.user + L"\\aurae\\music\\a.mp3"), "music a");
  EXPECT_EQ(readBytes(l.user + L"\\aurae\\animation\\heart.swf"), "heart");
  EXPECT_EQ(readBytes(l.user + L"\\aurae\\animationbroadcast\\b.swf"), "bcast");
}

TEST(EffectListMergeTest, UserMusicIsKeptShippedValuesWinAndEffectsAreReplaced) {
  Layout l;
  put(l.userList(),
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<aurae>\n"
      "  <!-- the user's own list -->\n"
      "  <music>\n"
      "    <file file_path=\"/aurae/music/a.mp3\" file_md5=\"old-a\" duration=\"9\" type=\"1\" user=\"0\" name=\"A old\"/>\n"
      "    <file file_path=\"/aurae/music/mine.mp3\" file_md5=\"m\" duration=\"3\" type=\"1\" user=\"1\" name=\"mine\"/>\n"
      "  </music>\n"
      "  <animation>\n"
      "    <file file_path=\"/aurae/animation/old.swf\" file_md5=\"o\" ico_path=\"\" ico_md5=\"\" tip_path=\"\" type=\"2\" user=\"0\" name=\"old\"/>\n"
      "  </animation>\n"
      "</aurae>\n");
  mergeEffectList(l.version, l.user);

  MarkupDocument merged;
  ASSERT_TRUE(merged.loadFile(l.userList()));
  EXPECT_NE(merged.documentText().find(KW("<!-- the user's own list -->")), WString::npos);
  ASSERT_TRUE(merged.findElement(KW("aurae")) && merged.enterElement());
  ASSERT_TRUE(merged.findElement(KW("music")) && merged.enterElement());
  ASSERT_TRUE(merged.findElement(KW("file")));
  EXPECT_EQ(merged.getAttribute(KW("file_md5")), KW("new-a"));
  EXPECT_EQ(merged.getAttribute(KW("name")), KW("A new"));
  ASSERT_TRUE(merged.findElement(KW("file")));
  EXPECT_EQ(merged.getAttribute(KW("file_path")), KW("/aurae/music/mine.mp3"));
  EXPECT_EQ(merged.getAttribute(KW("file_md5")), KW("m"));
  EXPECT_FALSE(merged.findElement(KW("file")));
  merged.leaveElement();
  ASSERT_TRUE(merged.findElement(KW("animation")) && merged.enterElement());
  std::vector<WString> names;
  while (merged.findElement(KW("file"))) names.push_back(merged.getAttribute(KW("name")));
  EXPECT_EQ(names, (std::vector<WString>{L"\u7231\u5fc3", L"star"}));
  merged.leaveElement();
  // The user's list had no broadcast section: none is added.
  EXPECT_FALSE(merged.findElement(KW("broadcast")));
}

TEST(EffectListMergeTest, UnreadableUserListIsLeftAsItIs) {
  Layout l;
  const std::string broken = "<aurae><music><file file_path=\"x\"></aurae>";
  put(l.userList(), broken);
  mergeEffectList(l.version, l.user);
  EXPECT_EQ(readBytes(l.userList()), broken);
  EXPECT_EQ(readBytes(l.user + L"\\aurae\\animation\\heart.swf"), "heart");
}

}  // namespace
