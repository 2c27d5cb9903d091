#include "common/markup/markup_document.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "testing/unit/scratch_dir.h"

namespace {

using kivo::MarkupDocument;
using kivo_test::readBytes;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

const std::string kEffectList =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<aurae>\r\n"
    "\t<music>\r\n"
    "\t\t<file file_path=\"\xE9\x9F\xB3\xE4\xB9\x90\\a.mp3\" name=\"A&amp;B\"/>\r\n"
    "\t</music>\r\n"
    "\t<!-- kept as written -->\r\n"
    "</aurae>\r\n";

TEST(MarkupFileTest, LoadsAndSavesByteForByteUnderAChinesePath) {
  ScratchDir dir;
  const std::wstring path = dir / L"\u6548\u679c list.xml";
  writeBytes(path, kEffectList);
  MarkupDocument document;
  ASSERT_TRUE(document.loadFile(path));
  EXPECT_EQ(document.resultText(), std::to_wstring(kEffectList.size()) + L" bytes to " +
                                       std::to_wstring(document.documentText().size()) + L" wide chars");
  ASSERT_TRUE(document.findElement(L"aurae") && document.enterElement() && document.findElement(L"music") &&
              document.enterElement() && document.findElement(L"file"));
  EXPECT_EQ(document.getAttribute(L"file_path"), L"\u97f3\u4e50\\a.mp3");
  EXPECT_EQ(document.getAttribute(L"name"), L"A&B");

  const std::wstring copy = dir / L"\u526f\u672c.xml";
  ASSERT_TRUE(document.saveFile(copy));
  EXPECT_EQ(readBytes(copy), kEffectList);
  EXPECT_EQ(document.resultText(), std::to_wstring(document.documentText().size()) + L" wide chars to " +
                                       std::to_wstring(kEffectList.size()) + L" bytes");
}

TEST(MarkupFileTest, SavingReplacesTheFileWithTheEditedText) {
  ScratchDir dir;
  const std::wstring path = dir / L"Launcher.xml";
  writeBytes(path, std::string(4096, 'x'));  // longer than what is written
  MarkupDocument document;
  document.setDocument(L"<LauncherInfo>\r\n</LauncherInfo>\r\n");
  ASSERT_TRUE(document.findElement(L"LauncherInfo") && document.enterElement());
  ASSERT_TRUE(document.addElement(L"VersionInfo") && document.setAttribute(L"Path", L"3.1.0.5"));
  ASSERT_TRUE(document.saveFile(path));
  EXPECT_EQ(readBytes(path), "<LauncherInfo>\r\n<VersionInfo Path=\"3.1.0.5\"/>\r\n</LauncherInfo>\r\n");
}

TEST(MarkupFileTest, FailuresCarryTheRuntimeMessage) {
  ScratchDir dir;
  MarkupDocument document;
  document.setDocument(L"<r/>");
  EXPECT_FALSE(document.loadFile(dir / L"missing.xml"));
  EXPECT_EQ(document.resultText(), L"No such file or directory");
  EXPECT_FALSE(document.findElement(L"r"));  // nothing of the earlier document is left

  document.setDocument(L"<r/>");
  EXPECT_FALSE(document.saveFile(dir.path()));  // a directory cannot be written
  EXPECT_FALSE(document.resultText().empty());
  EXPECT_EQ(document.resultText().find_first_of(L"\r\n"), std::wstring::npos);
  EXPECT_FALSE(document.saveFile(dir / L"no such dir\\r.xml"));
  EXPECT_EQ(document.resultText(), L"No such file or directory");
}

TEST(MarkupFileTest, AnIllFormedFileLoadsButAnswersFalse) {
  ScratchDir dir;
  const std::wstring path = dir / L"two roots.xml";
  writeBytes(path, "<a/><b/>");
  MarkupDocument document;
  EXPECT_FALSE(document.loadFile(path));
  EXPECT_EQ(document.resultText(), L"8 bytes to 8 wide chars, Root element has sibling");
  EXPECT_TRUE(document.findElement(L"a"));
}

}  // namespace
