#include "toolkit/io/tl_text_stream.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/unit/scratch_dir.h"

namespace {

using kivo_test::ScratchDir;
using kivo_test::writeBytes;

const std::string kBom8 = "\xEF\xBB\xBF";
const std::string kBom16 = "\xFF\xFE";

std::string utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::string utf16le(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

// What the system's code page 936 makes of |bytes|.
std::wstring as936(const std::string& bytes) {
  int n = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
  return out;
}

class StreamTest : public ::testing::Test {
 protected:
  std::vector<std::wstring> linesOf(const std::string& bytes, TlTextStream::Encoding* encoding = nullptr) {
    std::wstring path = dir_ / (L"文本 " + std::to_wstring(++count_) + L".txt");
    writeBytes(path, bytes);
    TlFile file{TlString(path)};
    EXPECT_TRUE(file.open(TlFile::ReadOnly));
    TlTextStream stream(&file);
    std::vector<std::wstring> lines;
    while (!stream.atEnd() && lines.size() < 100000) lines.push_back(stream.readLine().toWString());
    if (encoding != nullptr) *encoding = stream.encoding();
    return lines;
  }

  ScratchDir dir_;
  int count_ = 0;
};

using Lines = std::vector<std::wstring>;

TEST_F(StreamTest, EncodingsAndLineEndings) {
  const std::string gbk = "\xD6\xD0\xCE\xC4";  // 中文 in code page 936
  const std::string mixer = utf8(L"伴侣");
  struct Case {
    const char* name;
    std::string bytes;
    Lines lines;
    TlTextStream::Encoding encoding;
  } cases[] = {
      {"utf-8 with mark", kBom8 + utf8(L"第一行\r\n第二行\n"), {L"第一行", L"第二行"}, TlTextStream::Utf8},
      {"crlf, last line open", kBom8 + "a\r\nb\r\nc", {L"a", L"b", L"c"}, TlTextStream::Utf8},
      {"every cr removed", kBom8 + "a\rb\r\r\n\r", {L"ab", L""}, TlTextStream::Utf8},
      {"blank lines", "\n\nx\n", {L"", L"", L"x"}, TlTextStream::SystemCodePage},
      {"code page 936", gbk + "\r\nok", {L"中文", L"ok"}, TlTextStream::SystemCodePage},
      {"utf-8 without mark", mixer + "\n", {as936(mixer)}, TlTextStream::SystemCodePage},
      {"utf-16le", kBom16 + utf16le(L"行一\r\n行二"), {L"行一", L"行二"}, TlTextStream::Utf16LittleEndian},
      {"utf-16be", "\xFE\xFF" + std::string("\0a\0\n\0b", 6), {}, TlTextStream::Utf16BigEndian},
      {"empty", "", {}, TlTextStream::SystemCodePage},
      {"shorter than a mark", "a", {L"a"}, TlTextStream::SystemCodePage},
      {"only a mark", kBom8, {}, TlTextStream::Utf8},
      {"cut at the end of the file", kBom8 + "ab\xE4\xBC", {L"ab\xFFFD"}, TlTextStream::Utf8},
      {"odd utf-16 byte at the end", kBom16 + utf16le(L"z") + "\x41", {L"z\xFFFD"}, TlTextStream::Utf16LittleEndian},
  };
  for (const Case& c : cases) {
    TlTextStream::Encoding encoding;
    EXPECT_EQ(linesOf(c.bytes, &encoding), c.lines) << c.name;
    EXPECT_EQ(encoding, c.encoding) << c.name;
  }
  EXPECT_NE(as936(mixer), L"伴侣") << "the unmarked text must not pass for UTF-8";
}

TEST_F(StreamTest, LinesLongerThanAChunkComeBackWhole) {
  std::wstring longLine;
  for (int i = 0; i < 30000; ++i) longLine += (i % 3 == 0) ? L'伴' : static_cast<wchar_t>(L'a' + i % 26);
  EXPECT_EQ(linesOf(kBom8 + utf8(longLine) + "\r\nend"), (Lines{longLine, L"end"}));
  EXPECT_EQ(linesOf(kBom16 + utf16le(longLine + L"\n" + longLine)), (Lines{longLine, longLine}));
}

TEST_F(StreamTest, CharactersAcrossTheChunkBoundaryComeBackWhole) {
  // UTF-8 text starts after the 3-byte mark, so the first chunk ends after
  // 16,384 bytes of text; code page 936 text starts at byte 0.
  for (int before : {1, 2, 3}) {
    std::string pad(static_cast<std::size_t>(16384 - before), 'p');
    Lines got = linesOf(kBom8 + pad + utf8(L"伴\U0001F600侣") + "\nx");
    EXPECT_EQ(got, (Lines{std::wstring(pad.begin(), pad.end()) + L"伴\U0001F600侣", L"x"})) << before;
  }
  std::string pad(16383, 'q');
  EXPECT_EQ(linesOf(pad + "\xD6\xD0\xCE\xC4"), (Lines{std::wstring(pad.begin(), pad.end()) + L"中文"}));
}

TEST_F(StreamTest, ManyLinesOverManyChunks) {
  Lines expected;
  std::string bytes = kBom8;
  for (int i = 0; i < 6000; ++i) {
    expected.push_back(L"第" + std::to_wstring(i) + L"行 effect=" + std::wstring(i % 40, L'声'));
    bytes += utf8(expected.back()) + (i % 2 ? "\r\n" : "\n");
  }
  EXPECT_EQ(linesOf(bytes), expected);
}

TEST_F(StreamTest, AFileThatIsNotOpenReadsAsEnded) {
  std::wstring path = dir_ / L"closed.txt";
  writeBytes(path, "text\n");
  TlFile file{TlString(path)};
  TlTextStream stream(&file);
  EXPECT_TRUE(stream.atEnd());
  EXPECT_TRUE(stream.readLine().isEmpty());

  TlFile missing{TlString(dir_ / L"missing.txt")};
  EXPECT_FALSE(missing.open(TlFile::ReadOnly));
  EXPECT_TRUE(TlTextStream(&missing).atEnd());
}

}  // namespace
