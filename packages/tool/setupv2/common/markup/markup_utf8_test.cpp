#include "common/markup/markup_utf8.h"

#include <gtest/gtest.h>

namespace {

using kivo::decodeUtf8;
using kivo::encodeUtf8;

TEST(MarkupUtf8Test, DecodesValidSequencesOfEveryLength) {
  EXPECT_EQ(decodeUtf8("<a x='1'/>"), KW("<a x='1'/>"));
  EXPECT_EQ(decodeUtf8("\xC3\xA9"), KW("\u00e9"));
  EXPECT_EQ(decodeUtf8("\xE4\xBC\xB4\xE4\xBE\xA3"), KW("\u4f34\u4fa3"));
  EXPECT_EQ(decodeUtf8("\xF0\x9F\x8E\xB5"), KW("\U0001F3B5"));  // a surrogate pair
  EXPECT_EQ(decodeUtf8("\xF4\x8F\xBF\xBF"), KW("\U0010FFFF"));
}

TEST(MarkupUtf8Test, KeepsTheByteOrderMarkAsFirstCharacter) {
  const WString text = decodeUtf8("\xEF\xBB\xBF<r/>");
  EXPECT_EQ(text, KW("\ufeff<r/>"));
  EXPECT_EQ(encodeUtf8(text), "\xEF\xBB\xBF<r/>");
}

TEST(MarkupUtf8Test, MalformedSequencesBecomeOneQuestionMarkEach) {
  struct Case {
    const char* bytes;
    const WChar* text;
  } cases[] = {
      {"a\x80z", KW("a?z")},              // stray continuation byte
      {"a\xC0\xAFz", KW("a??z")},         // C0 never starts a valid form
      {"a\xE0\x80\xAFz", KW("a?z")},      // overlong three-byte form
      {"a\xED\xA0\x80z", KW("a?z")},      // an encoded surrogate
      {"a\xF4\x90\x80\x80z", KW("a?z")},  // beyond U+10FFFF
      {"a\xF5\x80z", KW("a??z")},         // invalid lead byte, then a stray one
      {"a\xFFz", KW("a?z")},
      {"a\xE4\xBCz", KW("a?z")},          // cut short before an ASCII byte
      {"a\xE4\xBC", KW("a?")},            // cut short by the end of the data
      {"\xE4\xBC\xE4\xBC\xB4", KW("?\u4f34")},
  };
  for (const Case& c : cases) EXPECT_EQ(decodeUtf8(c.bytes), c.text) << c.bytes;
}

TEST(MarkupUtf8Test, StopsAtAZeroByte) {
  EXPECT_EQ(decodeUtf8(std::string("<r/>\0<s/>", 9)), KW("<r/>"));
  EXPECT_EQ(decodeUtf8(std::string("a\xE4\0b", 4)), KW("a?"));
}

TEST(MarkupUtf8Test, EncodesPairsAndReplacesUnpairedSurrogates) {
  EXPECT_EQ(encodeUtf8(KW("\u00e9\u4f34\U0001F3B5")), "\xC3\xA9\xE4\xBC\xB4\xF0\x9F\x8E\xB5");
  const WString lone[] = {WString(1, WChar(0xD83C)) + KW("x"), KW("x") + WString(1, WChar(0xDFB5)),
                          KW("x") + WString(1, WChar(0xD83C))};
  for (const WString& text : lone) EXPECT_EQ(encodeUtf8(text).find('?') != std::string::npos, true);
  EXPECT_EQ(encodeUtf8(WString(1, WChar(0xDFB5)) + WString(1, WChar(0xD83C))), "??");
}

TEST(MarkupUtf8Test, ValidTextSurvivesTheRoundTrip) {
  const std::string bytes = "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<\xE9\x9F\xB3 n=\"\xF0\x9F\x8E\xB5\"/>\n";
  EXPECT_EQ(encodeUtf8(decodeUtf8(bytes)), bytes);
}

}  // namespace
