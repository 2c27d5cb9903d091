#include "common/markup/markup_entities.h"

#include <gtest/gtest.h>

namespace {

using kivo::decodeEntities;
using kivo::escapeAttributeValue;

TEST(MarkupEntitiesTest, DecodesNamedAndNumericReferences) {
  struct Case {
    const WChar* written;
    const WChar* decoded;
  } cases[] = {
      {KW("a&lt;b&gt;c&amp;d&apos;e&quot;f"), KW("a<b>c&d'e\"f")},
      {KW("&#65;&#x42;&#x4f34;"), KW("AB\u4f34")},
      {KW("&#0000065;"), KW("A")},                 // seven digits
      {KW("&#x1F3B5;"), KW("\U0001F3B5")},         // beyond U+FFFF: a pair
      {KW("&#00000065;"), KW("&#00000065;")},      // eight digits
      {KW("&#0;&#x0;"), KW("&#0;&#x0;")},          // zero
      {KW("&#1114112;"), KW("&#1114112;")},        // beyond U+10FFFF
      {KW("&#xD800;"), KW("&#xD800;")},            // a surrogate alone
      {KW("&#X41;&#x;&#;&#65"), KW("&#X41;&#x;&#;&#65")},
      {KW("&lt &amp;&"), KW("&lt &&")},
      {KW("AT&T &copy;"), KW("AT&T &copy;")},
      {KW("&amp;lt;"), KW("&lt;")},                // decoded once only
  };
  for (const Case& c : cases) EXPECT_EQ(decodeEntities(c.written), c.decoded);
}

TEST(MarkupEntitiesTest, EscapingReadsBackUnchanged) {
  EXPECT_EQ(escapeAttributeValue(KW("<a&b>'\"")), KW("&lt;a&amp;b&gt;&apos;&quot;"));
  const WChar* values[] = {KW(""), KW("&amp;"), KW("x=\"1\" & y='2'"), KW("&#65;"), KW("\u4f34&")};
  for (const WChar* value : values) EXPECT_EQ(decodeEntities(escapeAttributeValue(value)), value);
}

}  // namespace
