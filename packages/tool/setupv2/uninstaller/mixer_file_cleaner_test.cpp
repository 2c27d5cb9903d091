#include "uninstaller/mixer_file_cleaner.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/files/file_utils.h"
#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;
using kivo_test::readBytes;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

class RecordingObserver : public IUninstallObserver {
 public:
  void onKivoMixerRunning() override {}
  void onCheckPassed() override {}
  void onCheckNotice(const std::wstring&) override {}
  void onCleanProgress(const std::wstring& text, int index, int total) override {
    texts.push_back(text);
    indexes.push_back(index);
    totals.push_back(total);
  }
  void onCleanFinish() override { ++finishes; }

  std::vector<std::wstring> texts;
  std::vector<int> indexes;
  std::vector<int> totals;
  int finishes = 0;
};

TEST(MixerFileCleanerTest, InstallationIsDeletedFileByFileWithReports) {
  ScratchDir parent;
  const std::wstring d = parent / L"Kivo \u4f34\u4fa3";
  createDirectoryTree(d + L"\\3.1.0.5\\res");
  writeBytes(d + L"\\Launcher.xml", "<LauncherInfo><VersionInfo Path=\"3.1.0.5\"/></LauncherInfo>");
  writeBytes(d + L"\\3.1.0.5\\res\\a.png", "a");
  writeBytes(d + L"\\3.1.0.5\\KivoMixer.exe", "MZ");

  RecordingObserver observer;
  MixerFileCleaner cleaner(&observer);
  cleaner.setPath(d + L"\\");
  ASSERT_TRUE(cleaner.start(false));

  EXPECT_TRUE(cleaner.deletionRan());
  EXPECT_EQ(observer.finishes, 1);
  EXPECT_FALSE(fileExists(d));
  ASSERT_EQ(observer.texts.size(), 5u);
  EXPECT_EQ(observer.texts[0], d + L"\\UnInstall.exe");
  // The statistics program of the installed version (Launcher.xml), even
  // when it is missing: then it simply does not start.
  EXPECT_EQ(observer.texts[1], d + L"\\3.3.0.0\\installstat.exe");
  // D ends in a backslash, so the paths show it doubled.
  EXPECT_EQ(observer.texts[2].substr(0, d.size() + 2), d + L"\\\\");
  for (size_t i = 1; i < observer.indexes.size(); ++i) EXPECT_EQ(observer.indexes[i], observer.indexes[i - 1] + 1);
  for (int total : observer.totals) EXPECT_EQ(total, 200);
}

TEST(MixerFileCleanerTest, StatisticsProgramOfTheListedVersionIsPreferred) {
  ScratchDir d;
  createDirectoryTree(d / L"3.1.0.5");
  writeBytes(d / L"Launcher.xml", "<LauncherInfo><VersionInfo No=\"3.1.0.5\" Path=\"3.1.0.5\"/></LauncherInfo>");
  writeBytes(d / L"3.1.0.5\\installstat.exe", "not a program");
  RecordingObserver observer;
  MixerFileCleaner cleaner(&observer);
  cleaner.setPath(d.path() + L"\\");
  cleaner.start(false);
  ASSERT_GE(observer.texts.size(), 2u);
  EXPECT_EQ(observer.texts[1], d.path() + L"\\3.1.0.5\\installstat.exe");
}

TEST(MixerFileCleanerTest, ThreeHundredFilesGiveThreeHundredAndTwoReports) {
  ScratchDir d;
  writeBytes(d / L"Launcher.xml", "<LauncherInfo/>");
  for (int i = 1; i < 300; ++i) writeBytes(d / (L"f" + std::to_wstring(i)), "x");
  RecordingObserver observer;
  MixerFileCleaner cleaner(&observer);
  cleaner.setPath(d.path() + L"\\");
  cleaner.start(false);
  ASSERT_EQ(observer.texts.size(), 302u);
  EXPECT_EQ(observer.indexes.back(), MixerFileCleaner::progressCount());
  EXPECT_EQ(observer.indexes.back() - observer.indexes.front(), 301);
}

TEST(MixerFileCleanerTest, ForeignFolderIsLeftAloneButTheRunEnds) {
  ScratchDir d;
  writeBytes(d / L"notes.txt", "keep");
  RecordingObserver observer;
  MixerFileCleaner cleaner(&observer);
  cleaner.setPath(d.path() + L"\\");
  cleaner.start(false);
  EXPECT_FALSE(cleaner.deletionRan());
  EXPECT_EQ(observer.finishes, 1);
  EXPECT_EQ(observer.texts.size(), 1u);  // only the start report
  EXPECT_EQ(readBytes(d / L"notes.txt"), "keep");
}

TEST(MixerFileCleanerTest, WithoutObserverNothingIsReportedOrCounted) {
  ScratchDir d;
  writeBytes(d / L"Launcher.xml", "<LauncherInfo/>");
  const int before = MixerFileCleaner::progressCount();
  MixerFileCleaner cleaner(nullptr);
  cleaner.setPath(d.path() + L"\\");
  cleaner.start(false);
  EXPECT_TRUE(cleaner.deletionRan());
  EXPECT_EQ(MixerFileCleaner::progressCount(), before);
  EXPECT_FALSE(fileExists(d.path()));
}

TEST(MixerFileCleanerTest, EmptyPathKeepsThePreviousOne) {
  MixerFileCleaner cleaner(nullptr);
  cleaner.setPath(L"C:\\a\\");
  cleaner.setPath(L"");
  EXPECT_EQ(cleaner.path(), L"C:\\a\\");
}

TEST(MixerFileCleanerTest, InstallstatParameters) {
  EXPECT_EQ(MixerFileCleaner::installstatParameters(1), L"\"|3.3.0.0|1|u|\"");
  EXPECT_EQ(MixerFileCleaner::installstatParameters(7), L"\"|3.3.0.0|7|u|\"");
}

}  // namespace
