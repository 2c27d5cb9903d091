#include "toolkit/io/tl_text_codec.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/core/tl_debug_line.h"

namespace {

std::vector<std::wstring> g_lines;
void catchLine(const wchar_t* message) { g_lines.push_back(message); }

class CodecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_lines.clear();
    previous_ = tlSetDebugSink(catchLine);
  }
  void TearDown() override { tlSetDebugSink(previous_); }
  TlDebugSink previous_ = nullptr;
};

const std::string kMixerUtf8 = "Kivo\xE4\xBC\xB4\xE4\xBE\xA3 mixer";  // Kivo伴侣 mixer

TEST_F(CodecTest, TheProgramsRunUnderTheChineseCodePage) { EXPECT_EQ(GetACP(), 936u); }

TEST_F(CodecTest, RoundTripsInBothCodePages) {
  TlTextCodec utf8(TlTextCodec::Utf8);
  EXPECT_EQ(utf8.toUnicode(kMixerUtf8.data(), -1), TlString(L"Kivo伴侣 mixer"));
  EXPECT_EQ(utf8.fromUnicode(TlString(L"Kivo伴侣 mixer")).toStdString(), kMixerUtf8);

  TlTextCodec ansi(TlTextCodec::System);
  EXPECT_EQ(ansi.toUnicode("\xD6\xD0\xCE\xC4 ok", 7), TlString(L"中文 ok"));
  EXPECT_EQ(ansi.fromUnicode(TlString(L"中文 ok")).toStdString(), "\xD6\xD0\xCE\xC4 ok");

  EXPECT_EQ(tlStringFromUtf8(kMixerUtf8.c_str()), TlString(L"Kivo伴侣 mixer"));
  EXPECT_EQ(tlStringFromLocal8Bit("\xD6\xD0"), TlString(L"中"));
  EXPECT_EQ(tlStringToUtf8(TlString(L"伴")).toStdString(), "\xE4\xBC\xB4");
  EXPECT_TRUE(g_lines.empty());
}

TEST_F(CodecTest, TextLargerThanTheStackBufferConverts) {
  std::wstring wide;
  for (int i = 0; i < 9000; ++i) wide += static_cast<wchar_t>(0x4E00 + i % 5000);
  for (int kind : {TlTextCodec::Utf8, TlTextCodec::System}) {
    TlTextCodec codec(kind);
    TlByteArray bytes = codec.fromUnicode(TlString(wide));
    ASSERT_GT(bytes.size(), 4096);
    std::int32_t tail = -1;
    EXPECT_EQ(codec.toUnicode(bytes.constData(), bytes.size(), &tail).toWString(), wide) << kind;
    EXPECT_EQ(tail, 0);
  }
  EXPECT_TRUE(g_lines.empty());
}

TEST_F(CodecTest, CutCharacterAtTheEndIsReportedAsTail) {
  struct Case {
    int kind;
    std::string bytes;
    std::wstring text;
    std::int32_t tail;
  } cases[] = {
      {TlTextCodec::Utf8, "a\xE4\xBC\xB4", L"a伴", 0},
      {TlTextCodec::Utf8, "a\xE4\xBC", L"a", 2},
      {TlTextCodec::Utf8, "a\xE4", L"a", 1},
      {TlTextCodec::Utf8, "\xE4\xBC", L"", 2},
      {TlTextCodec::Utf8, "ab\xF0\x9F\x98", L"ab", 3},
      {TlTextCodec::Utf8, "ab\xF0\x9F\x98\x80", L"ab\U0001F600", 0},
      {TlTextCodec::System, "\xD6\xD0\xCE", L"中", 1},
      {TlTextCodec::System, "x\xD6", L"x", 1},
  };
  for (const Case& c : cases) {
    std::int32_t tail = -1;
    TlString got = TlTextCodec(c.kind).toUnicode(c.bytes.data(), static_cast<std::int32_t>(c.bytes.size()), &tail);
    EXPECT_EQ(got.toWString(), c.text) << c.bytes;
    EXPECT_EQ(tail, c.tail) << c.bytes;
  }
  EXPECT_TRUE(g_lines.empty());
}

TEST_F(CodecTest, InvalidBytesInsideTheTextBecomeReplacementCharacters) {
  TlTextCodec utf8(TlTextCodec::Utf8);
  std::int32_t tail = -1;
  std::string bytes = "ab\xFF\xFE" "cd\xE4\xBC\xB4\xE4";  // invalid inside, cut at the end
  TlString got = utf8.toUnicode(bytes.data(), static_cast<std::int32_t>(bytes.size()), &tail);
  EXPECT_EQ(got.indexOf(TlString(L"ab")), 0);
  EXPECT_GE(got.indexOf(TlString(L"cd伴")), 3);
  EXPECT_GE(got.indexOf(WChar(0xFFFD)), 2);
  EXPECT_EQ(tail, 1);
}

TEST_F(CodecTest, OtherKindsConvertNothing) {
  for (int kind : {0, 2, 4, 65001}) {
    TlTextCodec codec(kind);
    std::int32_t tail = -1;
    EXPECT_TRUE(codec.toUnicode("abc", 3, &tail).isEmpty()) << kind;
    EXPECT_EQ(tail, 0);
    EXPECT_TRUE(codec.fromUnicode(TlString(L"abc")).isEmpty()) << kind;
  }
}

TEST_F(CodecTest, EmptyAndRefusedInputGiveEmptyResultsQuietly) {
  TlTextCodec utf8(TlTextCodec::Utf8);
  EXPECT_TRUE(utf8.toUnicode("", 0).isEmpty());
  EXPECT_TRUE(utf8.toUnicode("abc", -5).isEmpty());
  EXPECT_TRUE(utf8.toUnicode(nullptr, 3).isEmpty());
  EXPECT_TRUE(utf8.fromUnicode(TlString()).isEmpty());
  EXPECT_TRUE(g_lines.empty());
}

}  // namespace
