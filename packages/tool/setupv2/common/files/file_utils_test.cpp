#include "common/files/file_utils.h"

#include <gtest/gtest.h>

#include "common/system/win_handle.h"
#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;
using kivo_test::readBytes;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

// Wine maps C: and Z:; no test machine has a Q: drive.
const wchar_t kMissingDrive[] = L"Q:\\";

bool isDirectory(const std::wstring& path) {
  const DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(IsValidInstallPathTest, AcceptsUsableAndRejectsUnusableDirectories) {
  ASSERT_EQ(::GetDriveTypeW(kMissingDrive), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
  struct Case {
    std::wstring path;
    bool valid;
  } cases[] = {
      {L"C:\\Games\\Mixer", true},
      {L"c:/games//mixer/", true},
      {L"C:\\\u6211\u7684 \u5e94\u7528\\Kivo Mixer", true},
      {L"C:\\does\\not\\exist\\yet", true},
      {L"C:\\a*b", false},
      {L"C:\\", false},
      {L"C:\\a\\ \\b", false},
      {L"Q:\\Kivo", false},
      {L"Kivo\\Mixer", false},
      {L"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isValidInstallPath(c.path), c.valid) << c.path.size();
}

TEST(FreeMegabytesTest, KnownAndMissingDrive) {
  EXPECT_GT(freeMegabytes(L"C:\\Kivo"), 0.0);
  EXPECT_EQ(freeMegabytes(L"Q:\\Kivo"), 0.0);
}

TEST(CreateDirectoryTreeTest, CreatesMissingParentsAndFailsOnMissingDrive) {
  ScratchDir dir;
  const std::wstring deep = dir / L"a\\\u4e2d\u6587 b\\c";
  EXPECT_TRUE(createDirectoryTree(deep));
  EXPECT_TRUE(isDirectory(deep));
  EXPECT_TRUE(createDirectoryTree(deep));  // nothing left to create
  EXPECT_FALSE(createDirectoryTree(L"Q:\\a\\b"));
}

TEST(CopyFileTest, ReportsInUseOnlyForASharingViolation) {
  ScratchDir dir;
  writeBytes(dir / L"src.bin", "payload");

  bool inUse = true;
  EXPECT_TRUE(copyFile(dir / L"src.bin", dir / L"plain.bin", inUse));
  EXPECT_FALSE(inUse);
  EXPECT_EQ(readBytes(dir / L"plain.bin"), "payload");

  {
    UniqueHandle held(::CreateFileW((dir / L"held.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(held.valid());
    EXPECT_FALSE(copyFile(dir / L"src.bin", dir / L"held.bin", inUse));
    EXPECT_TRUE(inUse);
  }

  // Any other failure leaves the flag clear. (A read-only destination would
  // be the Windows example, but Wine running as root writes through it.)
  ASSERT_TRUE(::CreateDirectoryW((dir / L"a directory").c_str(), nullptr));
  EXPECT_FALSE(copyFile(dir / L"src.bin", dir / L"a directory", inUse));
  EXPECT_FALSE(inUse);
  EXPECT_FALSE(copyFile(dir / L"missing.bin", dir / L"x.bin", inUse));
  EXPECT_FALSE(inUse);
}

TEST(CopyDirectoryTest, CopiesTheTreeAndTreatsMissingSourceAsEmpty) {
  ScratchDir dir;
  createDirectoryTree(dir / L"src\\sub\\\u4e2d\u6587");
  writeBytes(dir / L"src\\a.txt", "a");
  writeBytes(dir / L"src\\sub\\\u4e2d\u6587\\b.txt", "b");

  EXPECT_TRUE(copyDirectory(dir / L"src", dir / L"dst"));
  EXPECT_EQ(readBytes(dir / L"dst\\a.txt"), "a");
  EXPECT_EQ(readBytes(dir / L"dst\\sub\\\u4e2d\u6587\\b.txt"), "b");

  EXPECT_TRUE(copyDirectory(dir / L"missing", dir / L"made"));
  EXPECT_TRUE(isDirectory(dir / L"made"));
}

TEST(CopyDirectoryTest, OneFailedFileFailsTheWholeButTheWalkGoesOn) {
  ScratchDir dir;
  createDirectoryTree(dir / L"src");
  writeBytes(dir / L"src\\1.txt", "1");
  writeBytes(dir / L"src\\2.txt", "2");
  createDirectoryTree(dir / L"dst");
  UniqueHandle held(::CreateFileW((dir / L"dst\\1.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr));
  EXPECT_FALSE(copyDirectory(dir / L"src", dir / L"dst"));
  EXPECT_EQ(readBytes(dir / L"dst\\2.txt"), "2");
}

TEST(DeleteDirectoryTreeTest, RemovesEverythingButReadOnlyFiles) {
  ScratchDir dir;
  createDirectoryTree(dir / L"tree\\a\\b");
  writeBytes(dir / L"tree\\a\\b\\x.txt", "x");
  writeBytes(dir / L"tree\\y.txt", "y");
  deleteDirectoryTree(dir / L"tree");
  EXPECT_FALSE(fileExists(dir / L"tree"));

  createDirectoryTree(dir / L"kept\\sub");
  writeBytes(dir / L"kept\\sub\\ro.txt", "ro");
  ::SetFileAttributesW((dir / L"kept\\sub\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  deleteDirectoryTree(dir / L"kept");
  EXPECT_EQ(readBytes(dir / L"kept\\sub\\ro.txt"), "ro");

  deleteDirectoryTree(dir / L"never-there");  // nothing to do, nothing breaks
}

TEST(RenameToOldTest, MovesTheFileAsideReplacingAnOldCopy) {
  ScratchDir dir;
  writeBytes(dir / L"KivoMixer.exe", "new");
  writeBytes(dir / L"KivoMixer.exe.old", "older");
  EXPECT_EQ(renameToOld(dir / L"KivoMixer.exe"), 0u);
  EXPECT_FALSE(fileExists(dir / L"KivoMixer.exe"));
  EXPECT_EQ(readBytes(dir / L"KivoMixer.exe.old"), "new");
}

TEST(RenameToOldTest, LockedOldCopyStillTriesAndReportsAnError) {
  ScratchDir dir;
  writeBytes(dir / L"a.dll", "new");
  UniqueHandle held(::CreateFileW((dir / L"a.dll.old").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(held.valid());
  EXPECT_NE(renameToOld(dir / L"a.dll"), 0u);
  EXPECT_EQ(readBytes(dir / L"a.dll"), "new");
}

TEST(RenameToOldTest, MissingFileReportsAnError) {
  ScratchDir dir;
  EXPECT_NE(renameToOld(dir / L"missing.dll"), 0u);
}

TEST(AppendPathTest, JoinsAndRefusesOverlongResults) {
  std::wstring p = L"C:\\a";
  EXPECT_TRUE(appendPath(p, L"b c"));
  EXPECT_EQ(p, L"C:\\a\\b c");
  std::wstring longPath = L"C:\\" + std::wstring(250, L'x');
  EXPECT_FALSE(appendPath(longPath, std::wstring(20, L'y')));
  EXPECT_EQ(longPath, L"C:\\" + std::wstring(250, L'x'));
}

TEST(PathKeyTest, IsTheMd5OfTheNormalizedAnsiPath) {
  EXPECT_EQ(pathKey(L"d:\\a"), L"d1a38e447b32222c6c327f95a3d4c490");
  EXPECT_EQ(pathKey(L"D:/A/"), pathKey(L"d:\\a"));
  EXPECT_EQ(pathKey(L""), L"");
  EXPECT_EQ(pathKey(L"\\\\"), L"");
}

TEST(PathKeyTest, ChinesePathIsHashedInCodePage936) {
  if (::GetACP() != 936) GTEST_SKIP() << "needs the Chinese ANSI code page (LANG=zh_CN.UTF-8)";
  EXPECT_EQ(pathKey(L"c:\\Program Files\\\u5e94\u7528 Kivo\\"), L"a0fd9caefff7d6516c935e6fd81d7ce4");
}

TEST(DataDirectoryTest, IsASiblingOfTheUserDataDirectoryNamedByTheKey) {
  const std::wstring user = userDataDirectory();
  EXPECT_TRUE(isDirectory(user));
  EXPECT_EQ(user.substr(user.size() - 17), L"\\tarlan\\kivomixer");
  const std::wstring data = dataDirectoryFor(L"d:\\a");
  EXPECT_EQ(data, user + L"d1a38e447b32222c6c327f95a3d4c490\\");
  EXPECT_TRUE(isDirectory(data));
  ::RemoveDirectoryW(data.c_str());
}

TEST(CodePageTest, ConversionEdges) {
  EXPECT_EQ(toAnsi(nullptr), "");
  EXPECT_EQ(toAnsi(L"abc", -2), "");
  EXPECT_EQ(toAnsi(L"abc", 0), "");
  EXPECT_EQ(toAnsi(L"abc"), "abc");        // no terminating zero kept
  EXPECT_EQ(toAnsi(L"abc", 2), "ab");
  EXPECT_EQ(toWide(nullptr), L"");
  EXPECT_EQ(toWide("abc", -5), L"");
  EXPECT_EQ(toWide("abc"), L"abc");
  EXPECT_EQ(toWide("abc", 1), L"a");
  EXPECT_EQ(toWide(toAnsi(L"\u5e94\u7528", -1, CP_UTF8).c_str(), -1, CP_UTF8), L"\u5e94\u7528");
}

}  // namespace
