#include "toolkit/core/tl_debug.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/unit/scratch_dir.h"
#include "toolkit/core/tl_debug_line.h"

namespace {

std::vector<std::wstring> g_lines;
void catchLine(const wchar_t* message) { g_lines.push_back(message); }

TEST(TlDebug, ItemsAreJoinedWithOneBlankIntoOneLine) {
  g_lines.clear();
  TlDebugSink previous = tlSetDebugSink(catchLine);
  { TlDebug() << L"no file engine for file" << TlString(L"C:\\设置\\setup.ini"); }
  { TlDebug() << L"error:" << 5 << static_cast<unsigned long>(183); }
  { TlDebug(); }
  tlSetDebugSink(previous);
  ASSERT_EQ(g_lines.size(), 3u);
  EXPECT_EQ(g_lines[0], L"no file engine for file C:\\设置\\setup.ini");
  EXPECT_EQ(g_lines[1], L"error: 5 183");
  EXPECT_EQ(g_lines[2], L"");
}

// Without a sink the line goes to the standard output behind "Debug: "
// (a text-mode stream, as the standard output normally is).
TEST(TlDebug, StandardOutputCarriesTheDebugPrefix) {
  kivo_test::ScratchDir dir;
  std::wstring path = dir / L"stdout.txt";
  fflush(stdout);
  int saved = _dup(1);
  int file = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_TEXT, 0600);
  ASSERT_GE(file, 0);
  _dup2(file, 1);
  { TlDebug() << L"TlResourceFileEngine" << L"Not implemented"; }
  fflush(stdout);
  _dup2(saved, 1);
  _close(saved);
  _close(file);
  std::string text = kivo_test::readBytes(path);
  EXPECT_NE(text.find("Debug: TlResourceFileEngine Not implemented\r\n"), std::string::npos) << text;
}

}  // namespace
