#include "common/text/path_text.h"

#include <gtest/gtest.h>

namespace {

using kivo::hasInvalidPathChar;
using kivo::isWellFormedInstallPath;
using kivo::normalizePath;
using kivo::parentOf;
using kivo::trimBlanks;

TEST(TrimBlanksTest, RemovesOnlySpacesAtBothEnds) {
  struct Case {
    WString in, out;
  } cases[] = {
      {KW(""), KW("")},
      {KW("   "), KW("")},
      {KW("  a b  "), KW("a b")},
      {KW("\ta\t"), KW("\ta\t")},  // tabs are not blanks here
      {KW("x"), KW("x")},
  };
  for (const Case& c : cases) {
    WString text = c.in;
    trimBlanks(text);
    EXPECT_EQ(text, c.out);
  }
}

TEST(HasInvalidPathCharTest, FlagsEachForbiddenCharacter) {
  for (WChar c : WString(KW("/:*?\"<>|"))) {
    EXPECT_TRUE(hasInvalidPathChar(WString(KW("ab")) + c + KW("cd"))) << static_cast<int>(c);
  }
  EXPECT_FALSE(hasInvalidPathChar(KW("GAMES\\MIXER 2 (x86)\\\u5e94\u7528")));
}

TEST(NormalizePathTest, Table) {
  struct Case {
    WString in, out;
  } cases[] = {
      {KW("D:\\Games\\Mixer"), KW("D:\\GAMES\\MIXER")},
      {KW("d:/games//mixer/"), KW("D:\\GAMES\\MIXER")},
      {KW("\\\\\\server\\\\\\share\\\\"), KW("SERVER\\SHARE")},
      {KW("c:\\\u5e94\u7528\\kivo"), KW("C:\\\u5e94\u7528\\KIVO")},  // only a-z change
      {KW("C:\\"), KW("C:")},
      {KW(""), KW("")},
      {KW("////"), KW("")},
  };
  for (const Case& c : cases) EXPECT_EQ(normalizePath(c.in), c.out);
}

TEST(ParentOfTest, Table) {
  struct Case {
    WString in;
    bool ok;
    WString parent;
  } cases[] = {
      {KW("C:\\a\\b"), true, KW("C:\\a\\")},
      {KW("C:\\a\\"), true, KW("C:\\")},
      {KW("C:\\a"), true, KW("C:\\")},
      {KW("C:/a/b/"), true, KW("C:/a/")},
      {KW("C:\\"), false, KW("")},
      {KW("C:"), false, KW("")},
      {KW("name"), false, KW("")},
  };
  for (const Case& c : cases) {
    WString parent;
    EXPECT_EQ(parentOf(c.in, parent), c.ok);
    if (c.ok) {
      EXPECT_EQ(parent, c.parent);
    }
  }
}

TEST(IsWellFormedInstallPathTest, Table) {
  struct Case {
    WString in;
    bool ok;
    WString drive;
  } cases[] = {
      {KW("D:\\Games\\Mixer"), true, KW("D:\\")},
      {KW("d:/games//mixer/"), true, KW("D:\\")},
      {KW("  c:\\Program Files\\Kivo  "), true, KW("C:\\")},
      {KW("C:\\\u6211\u7684 \u5e94\u7528\\Kivo"), true, KW("C:\\")},
      {KW("C:\\a\\ \\b"), false, KW("")},         // blank component
      {KW("C:\\a*b"), false, KW("")},
      {KW("C:\\a\\b:c"), false, KW("")},
      {KW("C:\\a\\b?"), false, KW("")},
      {KW("C:\\a\\<b>"), false, KW("")},
      {KW("C:\\a\\b|c"), false, KW("")},
      {KW("C:\\a\\\"b\""), false, KW("")},
      {KW("C:\\"), false, KW("")},                // normalizes to C:
      {KW("C:"), false, KW("")},
      {KW(""), false, KW("")},
      {KW("Kivo\\Mixer"), false, KW("")},         // no drive
      {KW("\\\\server\\share\\kivo"), false, KW("")},
      {KW("1:\\kivo"), false, KW("")},
      {KW("C:\\a\\b\\ "), true, KW("C:\\")},      // the last component is not tested
  };
  for (const Case& c : cases) {
    WString drive;
    EXPECT_EQ(isWellFormedInstallPath(c.in, drive), c.ok)
        << std::string(c.in.begin(), c.in.end());
    if (c.ok) {
      EXPECT_EQ(drive, c.drive);
    }
  }
}

}  // namespace
