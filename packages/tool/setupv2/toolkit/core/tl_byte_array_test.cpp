#include "toolkit/core/tl_byte_array.h"

#include <gtest/gtest.h>

namespace {

TEST(TlByteArray, SharesUntilChangedAndKeepsZeroBytes) {
  TlByteArray a(std::string("a\0b\xff", 4));
  TlByteArray b(a);
  EXPECT_TRUE(a.sharesBlockWith(b));
  b.data()[0] = 'z';
  EXPECT_EQ(a.toStdString(), std::string("a\0b\xff", 4));
  EXPECT_EQ(b.toStdString(), std::string("z\0b\xff", 4));
  EXPECT_EQ(a.constData()[a.size()], 0);
}

TEST(TlByteArray, ResizeAppendAndEdges) {
  TlByteArray a("abc", 3);
  a.resize(5);
  EXPECT_EQ(a.toStdString(), std::string("abc\0\0", 5));
  a.resize(-3);
  EXPECT_TRUE(a.isEmpty());
  EXPECT_TRUE(TlByteArray("x", -1).isEmpty());
  EXPECT_TRUE(TlByteArray(nullptr, 4).isEmpty());

  TlByteArray s("xy", 2);
  s.append(s);
  s.append(s);
  EXPECT_EQ(s.toStdString(), "xyxyxyxy");
  EXPECT_EQ(s.at(8), 0);
  EXPECT_EQ(s.at(-1), 0);

  TlByteArray shared(s);
  shared.resize(0);
  EXPECT_EQ(s.size(), 8);
}

TEST(TlByteArray, LargeArraysSurviveRepeatedGrowth) {
  TlByteArray big;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    char c = static_cast<char>(i * 7);
    big.append(&c, 1);
    expected.push_back(c);
  }
  EXPECT_EQ(big.toStdString(), expected);
  EXPECT_EQ(big, TlByteArray(expected));
  EXPECT_NE(big, TlByteArray(expected.substr(1)));
}

}  // namespace
