#include "uninstaller/installed_version.h"

#include <gtest/gtest.h>

#include "common/files/file_utils.h"
#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

const char kMark[] = "\xEF\xBB\xBF";

TEST(InstalledVersionTest, ProductInfoTable) {
  struct Case {
    const char* name;
    bool present;
    std::string bytes;
    int expected;
  };
  const Case cases[] = {
      {"missing", false, "", 1},
      {"empty", true, "", 1},
      {"mark only", true, kMark, 1},
      {"without equals", true, std::string(kMark) + "ProductId 7\r\n", 1},
      {"zero", true, std::string(kMark) + "ProductId=0\r\n", 1},
      {"seven", true, std::string(kMark) + "ProductId=7\r\n", 7},
      {"blanks and second line", true, std::string(kMark) + "ProductId=  42x\r\nOther=9\r\n", 42},
      {"only the first line counts", true, std::string(kMark) + "Name\r\nProductId=5\r\n", 1},
  };
  for (const Case& c : cases) {
    ScratchDir install;
    const std::wstring d = install.path() + L"\\";
    const std::wstring file = dataDirectoryFor(d) + L"ProductInfo.txt";
    ::DeleteFileW(file.c_str());
    if (c.present) writeBytes(file, c.bytes);
    EXPECT_EQ(readProductNumber(d), c.expected) << c.name;
    ::DeleteFileW(file.c_str());
    ::RemoveDirectoryW(dataDirectoryFor(d).c_str());
  }
}

TEST(InstalledVersionTest, LauncherVersionFolderTable) {
  const struct {
    const char* xml;
    const wchar_t* folder;
  } cases[] = {
      {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<LauncherInfo>\r\n  <VersionInfo No=\"3.1.0.5\" Path=\"3.1.0.5\" "
       "Enable=\"1\"/>\r\n</LauncherInfo>",
       L"3.1.0.5"},
      {"<LauncherInfo><VersionInfo No=\"3.2.0.1\" Path=\"\"/></LauncherInfo>", L"3.2.0.1"},
      {"<LauncherInfo><VersionInfo version='4.0'/></LauncherInfo>", L"4.0"},
      {"<LauncherInfo><VersionInfoX Path=\"x\"/><VersionInfo\r\n Path=\"a\\\"/></LauncherInfo>", L"a"},
      {"<LauncherInfo><VersionInfo OldPath=\"x\" Path=\"y\"/></LauncherInfo>", L"y"},
      {"<LauncherInfo></LauncherInfo>", L""},
      {"<LauncherInfo><VersionInfo Path=\"..\\..\\Windows\"/></LauncherInfo>", L""},
      {"<LauncherInfo><VersionInfo Path=\"C:\\Windows\"/></LauncherInfo>", L""},
      {"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(versionFolderFromLauncher(c.xml), c.folder) << c.xml;
}

}  // namespace
