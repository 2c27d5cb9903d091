#include "toolkit/core/tl_string.h"

#include <gtest/gtest.h>

namespace {

TEST(TlString, DefaultAndClearedValuesShareTheStaticEmptyBlock) {
  TlString a;
  TlString b(KW("x"));
  b.clear();
  EXPECT_TRUE(a.usesEmptyBlock());
  EXPECT_TRUE(b.usesEmptyBlock());
  EXPECT_EQ(a.utf16()[0], 0);
  // Many copies and releases of the empty value must never free it.
  for (int i = 0; i < 1000; ++i) {
    TlString copy(a);
    copy = b;
  }
  TlString grown;
  grown.append(KW('z'));
  EXPECT_TRUE(a.usesEmptyBlock());
  EXPECT_EQ(a.length(), 0);
  EXPECT_EQ(grown, TlString(KW("z")));
}

TEST(TlString, CopiesShareUntilOneChanges) {
  TlString a(KW("混音器 mixer"));
  TlString b(a);
  EXPECT_TRUE(a.sharesBlockWith(b));
  b.append(KW('!'));
  EXPECT_FALSE(a.sharesBlockWith(b));
  EXPECT_EQ(a, TlString(KW("混音器 mixer")));
  EXPECT_EQ(b, TlString(KW("混音器 mixer!")));

  TlString c(a);
  c.data()[0] = KW('X');
  EXPECT_EQ(a.at(0), KW('混'));
  EXPECT_EQ(c.at(0), KW('X'));
}

TEST(TlString, ConstructionLengths) {
  const WChar* text = KW("abc\0def");
  struct Case {
    const WChar* text;
    std::int32_t length;
    WString expected;
  } cases[] = {
      {text, -1, KW("abc")},  // up to the terminating zero
      {text, 7, WString(text, 7)},
      {text, 2, KW("ab")},
      {text, 0, KW("")},
      {text, -2, KW("")},  // other negative lengths are refused
      {nullptr, 5, KW("")},
  };
  for (const Case& c : cases) {
    TlString s(c.text, c.length);
    EXPECT_EQ(s.toWString(), c.expected) << c.length;
    EXPECT_EQ(s.utf16()[s.length()], 0);
  }
}

TEST(TlString, AppendGrowsWithBoundedSpareRoom) {
  TlString s;
  WString expected;
  for (int i = 0; i < 5000; ++i) {
    WChar c = static_cast<WChar>(KW('a') + i % 26);
    s.append(c);
    expected.push_back(c);
    // Block bytes = header + units + terminator; the spare room is 16
    // bytes under 64, 64 under 4096, 4096 above.
    std::size_t used = sizeof(TlSharedArray<WChar>::Block) + 2 * (static_cast<std::size_t>(s.length()) + 1);
    std::size_t spare = 2 * static_cast<std::size_t>(s.capacity() - s.length());
    ASSERT_LE(spare, used < 64 ? 16u : used < 4096 ? 64u : 4096u) << i;
  }
  EXPECT_EQ(s.toWString(), expected);
}

TEST(TlString, AppendingItselfDoublesAndSelfAssignmentKeeps) {
  TlString s(KW("ab"));
  s.append(s);
  EXPECT_EQ(s, TlString(KW("abab")));
  for (int i = 0; i < 10; ++i) s.append(s);  // forces reallocations
  EXPECT_EQ(s.length(), 4 << 10);
  EXPECT_EQ(s.lastIndexOf(TlString(KW("abab"))), s.length() - 4);

  TlString t(KW("same"));
  TlString& alias = t;
  t = alias;
  EXPECT_EQ(t, TlString(KW("same")));

  TlString part(KW("xyz"));
  part.append(part.utf16() + 1, 2);  // a piece of itself
  EXPECT_EQ(part, TlString(KW("xyzyz")));
}

TEST(TlString, OrderingByCodeUnits) {
  struct Case {
    const WChar* a;
    const WChar* b;
    int expected;
  } cases[] = {
      {KW("abc"), KW("abc"), 0}, {KW("ab"), KW("abc"), -1}, {KW("abd"), KW("abc"), 1},
      {KW(""), KW("a"), -1},     {KW("Z"), KW("a"), -1},    {KW("中"), KW("z"), 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TlString(c.a).compare(TlString(c.b)), c.expected);
    EXPECT_EQ(TlString(c.b).compare(TlString(c.a)), -c.expected);
    EXPECT_EQ(TlString(c.a) < TlString(c.b), c.expected < 0);
  }
}

TEST(TlString, FindForwardAndBackward) {
  TlString s(KW("a.b.c"));
  struct Case {
    std::int32_t got, expected;
  } cases[] = {
      {s.indexOf(KW('.')), 1},
      {s.indexOf(KW('.'), 2), 3},
      {s.indexOf(KW('.'), 4), -1},
      {s.indexOf(KW('a'), 5), -1},   // start at the length
      {s.indexOf(KW('a'), 99), -1},  // and beyond
      {s.indexOf(KW('a'), -3), 0},
      {s.indexOf(TlString(KW("b.c"))), 2},
      {s.indexOf(TlString(KW("b.c")), 3), -1},
      {s.indexOf(TlString(KW("c.")), 0), -1},  // would run past the end
      {s.indexOf(TlString(), 2), 2},
      {s.indexOf(TlString(), 5), -1},
      {s.lastIndexOf(KW('.')), 3},
      {s.lastIndexOf(KW('.'), 2), 1},
      {s.lastIndexOf(KW('.'), -3), 1},  // counts from the end
      {s.lastIndexOf(KW('.'), -6), -1},
      {s.lastIndexOf(KW('c'), 99), 4},
      {s.lastIndexOf(TlString(KW(".b"))), 1},
      {s.lastIndexOf(TlString(KW("a.b.c.d"))), -1},
      {TlString().lastIndexOf(KW('a')), -1},
      {TlString().indexOf(TlString()), -1},
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
  }
}

TEST(TlString, CodeUnitsOutsideReadAsZero) {
  TlString s(KW("ab"));
  EXPECT_EQ(s.at(1), KW('b'));
  EXPECT_EQ(s.at(2), 0);
  EXPECT_EQ(s.at(-1), 0);
}

TEST(TlString, MidClipsToTheString) {
  TlString s(KW("hello"));
  EXPECT_EQ(s.mid(1, 3), TlString(KW("ell")));
  EXPECT_EQ(s.mid(3), TlString(KW("lo")));
  EXPECT_EQ(s.mid(-2, 2), TlString(KW("he")));
  EXPECT_EQ(s.mid(4, 100), TlString(KW("o")));
  EXPECT_TRUE(s.mid(5).isEmpty());
  EXPECT_TRUE(s.mid(0).sharesBlockWith(s));
}

TEST(TlString, NumbersInEveryRadix) {
  struct Case {
    std::int32_t value;
    int radix;
    const WChar* expected;
  } cases[] = {
      {0, 10, KW("0")},
      {-42, 10, KW("-42")},
      {-2147483647 - 1, 10, KW("-2147483648")},
      {255, 16, KW("ff")},
      {-1, 16, KW("ffffffff")},
      {-2147483647 - 1, 2, KW("10000000000000000000000000000000")},
      {-1, 2, KW("11111111111111111111111111111111")},
      {35, 36, KW("z")},
      {10, 1, KW("")},
      {10, 37, KW("")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TlString::number(c.value, c.radix), TlString(c.expected)) << c.value << " radix " << c.radix;
  }
}

}  // namespace
