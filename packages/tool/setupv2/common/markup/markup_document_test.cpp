#include "common/markup/markup_document.h"

#include <gtest/gtest.h>

#include "common/markup/markup_syntax.h"

namespace {

using kivo::decimalText;
using kivo::MarkupDocument;

const std::string kLauncher =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<LauncherInfo>\r\n"
    "  <VersionInfo No=\"3.1.0.5\" Path=\"3.1.0.5\" Enable=\"1\" First=\"0\" Index=\"1\"/>\r\n"
    "</LauncherInfo>\r\n";

TEST(MarkupDocumentTest, StartsEmpty) {
  MarkupDocument document;
  EXPECT_EQ(document.resultText(), KW("Empty document"));
  EXPECT_FALSE(document.findElement(KW("")));
  EXPECT_FALSE(document.enterElement());
  EXPECT_FALSE(document.leaveElement());
  EXPECT_EQ(document.getAttribute(KW("a")), KW(""));
  EXPECT_FALSE(document.setDocument(nullptr));
  EXPECT_EQ(document.resultText(), KW("Empty document"));
}

TEST(MarkupDocumentTest, ReadsTheVersionListAndSavesItByteForByte) {
  MarkupDocument document;
  ASSERT_TRUE(document.loadBytes(kLauncher));
  const size_t chars = kLauncher.size() - 2;  // the mark's three bytes are one character
  EXPECT_EQ(document.resultText(), decimalText(kLauncher.size()) + KW(" bytes to ") + decimalText(chars) + KW(" wide chars"));
  EXPECT_EQ(document.documentText()[0], WChar(0xFEFF));
  ASSERT_TRUE(document.findElement(KW("LauncherInfo")));
  ASSERT_TRUE(document.enterElement());
  ASSERT_TRUE(document.findElement(KW("VersionInfo")));
  EXPECT_EQ(document.getAttribute(KW("Path")), KW("3.1.0.5"));
  EXPECT_EQ(document.getAttribute(KW("No")), KW("3.1.0.5"));
  EXPECT_EQ(document.getAttribute(KW("version")), KW(""));
  EXPECT_EQ(document.saveBytes(), kLauncher);
  EXPECT_EQ(document.resultText(), decimalText(chars) + KW(" wide chars to ") + decimalText(kLauncher.size()) + KW(" bytes"));
}

TEST(MarkupDocumentTest, AppendsTheParseProblemToTheLoadMessage) {
  MarkupDocument document;
  const std::string bytes = "<a n='1'/>\n<b/>";
  EXPECT_FALSE(document.loadBytes(bytes));
  EXPECT_EQ(document.resultText(), KW("15 bytes to 15 wide chars, Root element has sibling"));
  ASSERT_TRUE(document.findElement(KW("a")));  // the first root stays usable
  EXPECT_EQ(document.getAttribute(KW("n")), KW("1"));
}

class NavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(document.setDocument(
        KW("<aurae>\n <music><file n='m1'/><file n='m2'/></music>\n <animation/>\n"
           " <Music n='upper'/>\n <broadcast><file n='b1'/></broadcast>\n</aurae>")));
    ASSERT_TRUE(document.findElement(KW("aurae")));
    ASSERT_TRUE(document.enterElement());
  }
  MarkupDocument document;
};

TEST_F(NavigationTest, FindContinuesAfterTheCurrentElementAndComparesExactly) {
  ASSERT_TRUE(document.findElement(KW("animation")));
  EXPECT_FALSE(document.findElement(KW("music")));   // music stands before animation
  ASSERT_TRUE(document.findElement(KW("Music")));
  EXPECT_EQ(document.getAttribute(KW("n")), KW("upper"));
  ASSERT_TRUE(document.findElement(KW("")));          // any element
  ASSERT_TRUE(document.enterElement());
  ASSERT_TRUE(document.findElement(KW("file")));
  EXPECT_EQ(document.getAttribute(KW("n")), KW("b1"));
}

TEST_F(NavigationTest, NoMatchLeavesTheCursorWhereItWas) {
  ASSERT_TRUE(document.findElement(KW("animation")));
  ASSERT_TRUE(document.enterElement());
  EXPECT_FALSE(document.findElement(KW("file")));
  ASSERT_TRUE(document.leaveElement());
  ASSERT_TRUE(document.findElement(KW("music")) == false);
  EXPECT_EQ(document.getAttribute(KW("n")), KW(""));  // still on animation
  ASSERT_TRUE(document.findElement(KW("broadcast")));
}

TEST_F(NavigationTest, LeaveMakesTheParentCurrentAgain) {
  ASSERT_TRUE(document.findElement(KW("music")));
  ASSERT_TRUE(document.enterElement());
  EXPECT_FALSE(document.enterElement());  // no current element inside yet
  ASSERT_TRUE(document.findElement(KW("file")));
  ASSERT_TRUE(document.findElement(KW("file")));
  EXPECT_EQ(document.getAttribute(KW("n")), KW("m2"));
  ASSERT_TRUE(document.leaveElement());
  ASSERT_TRUE(document.findElement(KW("broadcast")));  // continues after music
  ASSERT_TRUE(document.leaveElement());                // back on aurae
  EXPECT_FALSE(document.findElement(KW("aurae")));
  EXPECT_FALSE(document.leaveElement());               // already at document level
}

TEST(MarkupAttributeTest, ReadsEveryWayOfWritingAValue) {
  MarkupDocument document;
  ASSERT_TRUE(document.setDocument(
      KW("<e ab='x' a=\"1\" b='2' Path=3.1.0.5 d e = \"5\" f=\"x>y\" g='a\"b' h=\"&lt;&#65;&amp;&\" "
         "i=unq j=\"\"></e>")));
  // The last attribute runs to the end of its tag: the document ends there.
  ASSERT_TRUE(document.findElement(KW("e")));
  const struct {
    const WChar* name;
    const WChar* value;
  } cases[] = {
      {KW("a"), KW("1")},      {KW("ab"), KW("x")},     {KW("b"), KW("2")},
      {KW("Path"), KW("3.1.0.5")}, {KW("d"), KW("")},   {KW("e"), KW("5")},
      {KW("f"), KW("x>y")},    {KW("g"), KW("a\"b")},   {KW("h"), KW("<A&&")},
      {KW("i"), KW("unq")},    {KW("j"), KW("")},       {KW("missing"), KW("")},
      {KW("A"), KW("")},       {KW(""), KW("")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(document.getAttribute(c.name), c.value) << std::string(c.name, c.name + WString(c.name).size());
  }
}

TEST(MarkupAttributeTest, TheSlashOfAnEmptyElementTagIsNoPartOfAValue) {
  MarkupDocument document;
  ASSERT_TRUE(document.setDocument(KW("<e Path=3.1.0.5/>")));
  ASSERT_TRUE(document.findElement(KW("e")));
  EXPECT_EQ(document.getAttribute(KW("Path")), KW("3.1.0.5"));
}

}  // namespace
