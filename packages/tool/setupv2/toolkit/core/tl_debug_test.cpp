#include "toolkit/core/tl_debug.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
