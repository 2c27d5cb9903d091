#include "common/markup/markup_parser.h"

#include <gtest/gtest.h>

#include "common/markup/markup_document.h"
#include "common/markup/markup_index_check.h"

namespace {

using kivo::MarkupDocument;
using kivo::MarkupElement;

std::string narrow(const WString& text) { return std::string(text.begin(), text.end()); }

TEST(MarkupParserTest, DescribesTheFirstProblemAndJudgesWellFormedness) {
  struct Case {
    const WChar* text;
    const WChar* message;
    bool wellFormed;
  } cases[] = {
      {KW(""), KW("Empty document"), false},
      {KW(" \r\n\t"), KW("No root element"), false},
      {KW("<!-- only -->"), KW("No root element"), false},
      {KW("<r/>"), KW(""), true},
      {KW("\ufeff<?xml version=\"1.0\"?>\r\n<r></r >\r\n"), KW(""), true},
      {KW("<r/><s/>"), KW("Root element has sibling"), false},
      // Token errors and stray end tags alone leave the document well formed.
      {KW("<r>< x/></r>"), KW("Incorrect tag name character at offset 3"), true},
      {KW("<r><!x></r>"), KW("Incorrect ! tag at offset 3"), true},
      {KW("<r><!-x></r>"), KW("Incorrect comment tag at offset 3"), true},
      {KW("<r><![x[]]></r>"), KW("Incorrect tag at offset 3"), true},
      {KW("<r></x></r>"), KW("No start tag for end tag 'x' at offset 3"), true},
      {KW("<r>< x/><!x></x></r>"), KW("Incorrect tag name character at offset 3"), true},
      // Tokens that run to the end of the text.
      {KW("<r></r><!-- x"), KW("Comment at offset 7 unterminated"), true},
      {KW("<r></r><?pi ?"), KW("Processing instruction at offset 7 unterminated"), true},
      {KW("<r/><!DOCTYPE r [ <!ENTITY e '>'"), KW("Doctype at offset 4 unterminated"), true},
      {KW("<r/><"), KW("tag at offset 4 unterminated"), true},
      {KW("<r/><!ENTITY x"), KW("tag at offset 4 unterminated"), true},
      {KW("<r><![CDATA[x]>"), KW("CDATA Section at offset 3 unterminated"), false},
      {KW("<r a='>"), KW("Element tag at offset 0 unterminated"), false},
      {KW("<r></r"), KW("Element end tag at offset 3 unterminated"), false},
      // Structure.
      {KW("<r><a><b></a></r>"), KW("End tag 'a' at offset 9 does not match start tag 'b' at offset 6"), false},
      {KW("<r><a>"), KW("Element 'a' at offset 3 not ended"), false},
      {KW("<r\n a='1'></r\n>"), KW(""), true},
  };
  for (const Case& c : cases) {
    MarkupDocument document;
    EXPECT_EQ(document.setDocument(c.text), c.wellFormed) << narrow(c.text);
    EXPECT_EQ(document.resultText(), c.message) << narrow(c.text);
    EXPECT_EQ(kivo::checkMarkupIndex(document.documentText(), document.index()), "") << narrow(c.text);
  }
}

TEST(MarkupParserTest, MarkupInsideValuesCommentsAndDeclarationsMakesNoElement) {
  MarkupDocument document;
  ASSERT_TRUE(document.setDocument(
      KW("<!DOCTYPE r [<!ENTITY e \"<x>\"><!-- ] > -->]><r a=\"<b>\" c='/'><![CDATA[<d>]]>"
         "<!-- <e> --><?p <f>?>text > <g/></r>")))
      << narrow(document.resultText());
  EXPECT_EQ(document.resultText(), KW(""));
  ASSERT_TRUE(document.findElement(KW("r")));
  ASSERT_TRUE(document.enterElement());
  ASSERT_TRUE(document.findElement(KW("")));
  EXPECT_EQ(document.index()[document.currentPosition()].start, document.documentText().find(KW("<g/>")));
  EXPECT_FALSE(document.findElement(KW("")));
}

TEST(MarkupParserTest, SlashBeforeTheCloseMakesAnEmptyElementOnlyOutsideQuotes) {
  MarkupDocument document;
  EXPECT_TRUE(document.setDocument(KW("<r a='/'></r>")));
  EXPECT_EQ(document.index()[1].endTagLength, 4u);
  EXPECT_TRUE(document.setDocument(KW("<r a=/></r>")));  // empty; its end tag is stray
  EXPECT_EQ(document.resultText(), KW("No start tag for end tag 'r' at offset 7"));
  EXPECT_TRUE(document.index()[1].isEmptyElementTag());
}

// What stood inside an element that was never ended moves up beside it.
TEST(MarkupParserTest, ContentOfAnElementNotEndedBecomesItsFollowingSiblings) {
  const struct {
    const WChar* text;
    const char* names;
  } cases[] = {
      {KW("<r><a><b/><c></c></r>"), "a b c"},
      {KW("<r><a><b><c/></r>"), "a b c"},
      {KW("<r><a><b x='1'><c/><d></d></b></r>"), "a b"},
  };
  for (const auto& c : cases) {
    MarkupDocument document;
    EXPECT_FALSE(document.setDocument(c.text));
    EXPECT_EQ(kivo::checkMarkupIndex(document.documentText(), document.index()), "");
    ASSERT_TRUE(document.findElement(KW("r")));
    const MarkupElement& root = document.index()[document.currentPosition()];
    EXPECT_TRUE(root.flags & MarkupElement::kDescendantNotEnded);
    EXPECT_FALSE(root.flags & MarkupElement::kNotEnded);
    EXPECT_TRUE(document.index()[0].flags & MarkupElement::kIllFormed);
    ASSERT_TRUE(document.enterElement());
    std::string names;
    while (document.findElement(KW(""))) {
      const MarkupElement& e = document.index()[document.currentPosition()];
      if (!names.empty()) names += ' ';
      names += narrow(kivo::elementName(document.documentText(), e));
    }
    EXPECT_EQ(names, c.names) << narrow(c.text);
    ASSERT_TRUE(document.leaveElement() && document.enterElement());
    ASSERT_TRUE(document.findElement(KW("a")));
    EXPECT_TRUE(document.index()[document.currentPosition()].flags & MarkupElement::kNotEnded);
  }
}

TEST(MarkupParserTest, DeepNestingNeedsNoRecursion) {
  const int depth = 200000;
  WString text;
  for (int i = 0; i < depth; ++i) text += KW("<a>");
  MarkupDocument document;
  EXPECT_FALSE(document.setDocument(text + KW("<b/>")));  // every <a> left open
  EXPECT_EQ(kivo::checkMarkupIndex(document.documentText(), document.index()), "");
  for (int i = 0; i < depth; ++i) text += KW("</a>");
  EXPECT_TRUE(document.setDocument(text));
  EXPECT_EQ(kivo::checkMarkupIndex(document.documentText(), document.index()), "");
  EXPECT_EQ(document.index()[depth].level(), MarkupElement::kLevelMask);  // levels saturate
}

TEST(MarkupParserTest, NamesInOtherScriptsOpenElements) {
  MarkupDocument document;
  EXPECT_TRUE(document.setDocument(KW("<\u6839><\u6548\u679c n='1'/></\u6839>")));
  ASSERT_TRUE(document.findElement(KW("\u6839")));
  ASSERT_TRUE(document.enterElement());
  EXPECT_TRUE(document.findElement(KW("\u6548\u679c")));
}

}  // namespace
