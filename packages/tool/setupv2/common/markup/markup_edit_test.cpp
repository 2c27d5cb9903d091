#include <gtest/gtest.h>

#include "common/markup/markup_document.h"
#include "common/markup/markup_index_check.h"
#include "common/markup/markup_parser.h"

namespace {

using kivo::MarkupDocument;

std::string narrow(const WString& text) { return std::string(text.begin(), text.end()); }

uint32_t elementsInUse(const kivo::MarkupIndex& index) {
  uint32_t count = 0;
  for (uint32_t r = 1; r < index.size(); ++r) count += index.inUse(r) ? 1 : 0;
  return count;
}

// Every edit must leave an index that describes the edited text exactly as
// a fresh parse would.
void expectIndexMatchesText(const MarkupDocument& document) {
  EXPECT_EQ(kivo::checkMarkupIndex(document.documentText(), document.index()), "")
      << narrow(document.documentText());
  kivo::MarkupIndex fresh;
  kivo::parseMarkup(document.documentText(), fresh);
  EXPECT_EQ(elementsInUse(fresh), elementsInUse(document.index())) << narrow(document.documentText());
}

MarkupDocument openAt(const WChar* text, const WChar* element) {
  MarkupDocument document;
  document.setDocument(text);
  document.findElement(KW("r"));
  if (element != nullptr) {
    document.enterElement();
    document.findElement(element);
  }
  return document;
}

TEST(MarkupSetAttributeTest, ReplacesOrAppendsAndReadsBack) {
  const struct {
    const WChar* text;
    const WChar* element;
    const WChar* name;
    const WChar* value;
    const WChar* edited;
  } cases[] = {
      {KW("<r><e a='1' b=\"2\"/></r>"), KW("e"), KW("a"), KW("x"), KW("<r><e a=\"x\" b=\"2\"/></r>")},
      {KW("<r><e a=1 b/></r>"), KW("e"), KW("a"), KW("x"), KW("<r><e a=\"x\" b/></r>")},
      {KW("<r><e a=1 b/></r>"), KW("e"), KW("b"), KW("x"), KW("<r><e a=1 b=\"x\"/></r>")},
      {KW("<r><e/></r>"), KW("e"), KW("n"), KW("1"), KW("<r><e n=\"1\"/></r>")},
      {KW("<r><e x='1' ></e></r>"), KW("e"), KW("n"), KW("1"), KW("<r><e x='1'  n=\"1\"></e></r>")},
      {KW("<r><e Path=3.1.0.5/></r>"), KW("e"), KW("Path"), KW("4"), KW("<r><e Path=\"4\"/></r>")},
      {KW("<r><e n='1'/></r>"), KW("e"), KW("n"), KW("a&b \"c\" <'d'>"),
       KW("<r><e n=\"a&amp;b &quot;c&quot; &lt;&apos;d&apos;&gt;\"/></r>")},
      {KW("<r/>"), nullptr, KW("n"), KW(""), KW("<r n=\"\"/>")},
      {KW("<r><e a= ></e></r>"), KW("e"), KW("n"), KW("1"), KW("<r><e a= \"\" n=\"1\"></e></r>")},
      {KW("<r><e a=/></r>"), KW("e"), KW("n"), KW("1"), KW("<r><e a=\"\" n=\"1\"/></r>")},
  };
  for (const auto& c : cases) {
    MarkupDocument document = openAt(c.text, c.element);
    ASSERT_TRUE(document.setAttribute(c.name, c.value)) << narrow(c.text);
    EXPECT_EQ(document.documentText(), c.edited);
    EXPECT_EQ(document.getAttribute(c.name), c.value);
    expectIndexMatchesText(document);
  }
}

TEST(MarkupSetAttributeTest, RefusesWithoutCurrentElementOrForNamesThatWouldNotReadBack) {
  MarkupDocument document = openAt(KW("<r><e/></r>"), nullptr);
  ASSERT_TRUE(document.enterElement());
  EXPECT_FALSE(document.setAttribute(KW("n"), KW("1")));
  ASSERT_TRUE(document.findElement(KW("e")));
  const WChar* names[] = {KW(""), KW("a b"), KW("a=b"), KW("a>"), KW("a/"), KW("a?"), KW("a\""), KW("'"),
                          KW("<a"), KW("a&b")};
  for (const WChar* name : names) EXPECT_FALSE(document.setAttribute(name, KW("1"))) << narrow(name);
  EXPECT_EQ(document.documentText(), KW("<r><e/></r>"));
}

// Every length that contains the edit grows, every later offset moves.
TEST(MarkupSetAttributeTest, KeepsLaterElementsAndEnclosingEndTagsInPlace) {
  MarkupDocument document = openAt(KW("<r><s><e/><f n='1'/></s><t n='2'/></r>"), KW("s"));
  ASSERT_TRUE(document.enterElement() && document.findElement(KW("e")));
  ASSERT_TRUE(document.setAttribute(KW("long"), KW("0123456789")));
  ASSERT_TRUE(document.findElement(KW("f")));
  EXPECT_EQ(document.getAttribute(KW("n")), KW("1"));
  ASSERT_TRUE(document.addElement(KW("g")));  // lands before </s>, not inside it
  ASSERT_TRUE(document.leaveElement() && document.findElement(KW("t")));
  EXPECT_EQ(document.getAttribute(KW("n")), KW("2"));
  ASSERT_TRUE(document.leaveElement());
  ASSERT_TRUE(document.addElement(KW("u")));
  EXPECT_EQ(document.documentText(),
            KW("<r><s><e long=\"0123456789\"/><f n='1'/><g/>\r\n</s><t n='2'/></r><u/>\r\n"));
  expectIndexMatchesText(document);
}

TEST(MarkupAddElementTest, WritesEachNewElementOnALineOfItsOwn) {
  const struct {
    const WChar* text;
    const WChar* enterAndFind;  // nullptr: stay on r; "": enter r only
    const WChar* edited;
  } cases[] = {
      // after the current element, before the white space of the next tag
      {KW("<r>\n  <a/>\n  <b/>\n</r>"), KW("a"), KW("<r>\n  <a/>\n  <x/>\r\n<b/>\n</r>")},
      // no current element: the parent's last child
      {KW("<r>\n  <a/>\n</r>"), KW(""), KW("<r>\n  <a/>\n<x/>\r\n</r>")},
      {KW("<r>text</r>"), KW(""), KW("<r>text<x/>\r\n</r>")},
      // an empty-element parent gets an end tag
      {KW("<r/>"), KW(""), KW("<r>\r\n<x/>\r\n</r>")},
      {KW("<r n='1' />"), KW(""), KW("<r n='1' >\r\n<x/>\r\n</r>")},
      {KW("<r//>"), KW(""), KW("<r/ >\r\n<x/>\r\n</r>")},
      // nothing between the parent's tags
      {KW("<r></r >"), KW(""), KW("<r>\r\n<x/>\r\n</r >")},
      // at document level: after the current element, or at the end
      {KW("<r/>\n<!-- c -->"), nullptr, KW("<r/>\n<x/>\r\n<!-- c -->")},
  };
  for (const auto& c : cases) {
    MarkupDocument document = openAt(c.text, c.enterAndFind != nullptr && *c.enterAndFind ? c.enterAndFind : nullptr);
    if (c.enterAndFind != nullptr && !*c.enterAndFind) {
      ASSERT_TRUE(document.enterElement());
    }
    ASSERT_TRUE(document.addElement(KW("x"))) << narrow(c.text);
    EXPECT_EQ(document.documentText(), c.edited) << narrow(c.text);
    expectIndexMatchesText(document);
    ASSERT_TRUE(document.setAttribute(KW("n"), KW("v")));  // the new element is current
    EXPECT_NE(document.documentText().find(KW("<x n=\"v\"/>")), WString::npos);
  }
}

TEST(MarkupAddElementTest, RefusesNamesThatWouldNotParseAndParentsNeverEnded) {
  MarkupDocument document = openAt(KW("<r/>"), nullptr);
  const WChar* names[] = {KW(""), KW("1a"), KW("-a"), KW("a b"), KW("a/"), KW("a>"), KW("a'"), KW("<a"), KW("a&")};
  for (const WChar* name : names) EXPECT_FALSE(document.addElement(name)) << narrow(name);
  EXPECT_EQ(document.documentText(), KW("<r/>"));

  document.setDocument(KW("<r><a><b/></r>"));  // a is never ended
  ASSERT_TRUE(document.findElement(KW("r")) && document.enterElement() && document.findElement(KW("a")));
  ASSERT_TRUE(document.enterElement());
  EXPECT_FALSE(document.addElement(KW("x")));
  ASSERT_TRUE(document.leaveElement());
  ASSERT_TRUE(document.addElement(KW("x")));  // beside it is fine
  expectIndexMatchesText(document);
}

TEST(MarkupAddElementTest, NeverAppendsIntoATokenLeftOpenAtTheEnd) {
  MarkupDocument document;
  document.setDocument(KW("<r/>\n<!-- open"));
  ASSERT_TRUE(document.addElement(KW("x")));
  EXPECT_EQ(document.documentText(), KW("<r/>\n<x/>\r\n<!-- open"));
  expectIndexMatchesText(document);
}

TEST(MarkupAddElementTest, FindsTheEndTagEvenWhenItIsVeryLong) {
  const WString longEnd = KW("</r") + WString(1500, KW(' ')) + KW(">");
  MarkupDocument document;
  ASSERT_TRUE(document.setDocument(KW("<r><a/>") + longEnd));
  ASSERT_TRUE(document.findElement(KW("r")) && document.enterElement());
  ASSERT_TRUE(document.addElement(KW("x")));
  EXPECT_EQ(document.documentText(), KW("<r><a/><x/>\r\n") + longEnd);
  expectIndexMatchesText(document);
}

TEST(MarkupRemoveElementTest, RemovesWithTheWhiteSpaceBeforeTheNextTag) {
  MarkupDocument document = openAt(KW("<r>\n  <a/>\n  <b><c/><d/></b>\n  <e/> tail</r>"), KW("b"));
  ASSERT_TRUE(document.removeElement());
  EXPECT_EQ(document.documentText(), KW("<r>\n  <a/>\n  <e/> tail</r>"));
  ASSERT_TRUE(document.setAttribute(KW("n"), KW("1")));  // a, the previous sibling, is current
  EXPECT_EQ(document.documentText(), KW("<r>\n  <a n=\"1\"/>\n  <e/> tail</r>"));
  ASSERT_TRUE(document.findElement(KW("e")) && document.removeElement());
  EXPECT_EQ(document.documentText(), KW("<r>\n  <a n=\"1\"/>\n   tail</r>"));  // text follows: kept
  expectIndexMatchesText(document);
  ASSERT_TRUE(document.removeElement());
  EXPECT_FALSE(document.removeElement());  // a was the first child: none is current
  EXPECT_EQ(document.documentText(), KW("<r>\n  \n   tail</r>"));
}

TEST(MarkupRemoveElementTest, EmptiedSectionTakesNewChildrenOneLineEach) {
  MarkupDocument document =
      openAt(KW("<r>\n\t<s>\n\t\t<file a=\"1\"><x/></file>\n\t\t<file a=\"2\"/>\n\t</s>\n</r>"), KW("s"));
  ASSERT_TRUE(document.enterElement());
  const uint32_t records = document.index().size();
  while (document.findElement(KW("file"))) ASSERT_TRUE(document.removeElement());
  EXPECT_EQ(document.documentText(), KW("<r>\n\t<s>\n\t\t</s>\n</r>"));
  ASSERT_TRUE(document.addElement(KW("file")) && document.setAttribute(KW("a"), KW("x")));
  ASSERT_TRUE(document.addElement(KW("file")) && document.setAttribute(KW("a"), KW("y")));
  EXPECT_EQ(document.documentText(), KW("<r>\n\t<s>\n\t\t<file a=\"x\"/>\r\n<file a=\"y\"/>\r\n</s>\n</r>"));
  EXPECT_EQ(document.index().size(), records);  // released records were reused
  expectIndexMatchesText(document);
}

// Stray markup characters before an element must not meet what follows it.
TEST(MarkupRemoveElementTest, LeavesABlankWhereStrayMarkupWouldJoinTheNextText) {
  const struct {
    const WChar* text;
    const WChar* edited;
  } cases[] = {
      {KW("<r><<a/>?x<b/></r>"), KW("<r>< ?x<b/></r>")},
      {KW("<r><!<a/>--x<b/>--></r>"), KW("<r><! --x<b/>--></r>")},
      {KW("<r><!-<a/>-x<b/>--></r>"), KW("<r><!- -x<b/>--></r>")},
      {KW("<r><![<a/>CDATA[<b/>]]></r>"), KW("<r><![ CDATA[<b/>]]></r>")},
      {KW("<r>x<a/>!--<b/></r>"), KW("<r>x!--<b/></r>")},
  };
  for (const auto& c : cases) {
    MarkupDocument document = openAt(c.text, KW("a"));
    ASSERT_TRUE(document.removeElement());
    EXPECT_EQ(document.documentText(), c.edited);
    expectIndexMatchesText(document);
    ASSERT_TRUE(document.findElement(KW("b")));
  }
}

TEST(MarkupRemoveElementTest, TheRootCanGoAndComeBack) {
  MarkupDocument document = openAt(KW("<?xml version=\"1.0\"?>\r\n<r><a/></r>\r\n"), nullptr);
  ASSERT_TRUE(document.removeElement());
  EXPECT_EQ(document.documentText(), KW("<?xml version=\"1.0\"?>\r\n\r\n"));  // no tag follows
  EXPECT_FALSE(document.findElement(KW("")));
  ASSERT_TRUE(document.addElement(KW("r")));
  EXPECT_EQ(document.documentText(), KW("<?xml version=\"1.0\"?>\r\n\r\n<r/>\r\n"));
  expectIndexMatchesText(document);
}

}  // namespace
