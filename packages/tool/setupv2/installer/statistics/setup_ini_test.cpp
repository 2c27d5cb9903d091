#include "installer/statistics/setup_ini.h"

#include <gtest/gtest.h>

#include <regex>

#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;
using kivo_test::readBytes;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

TEST(SetupIniTest, NewFileGetsOneLinePerKeyInOrder) {
  ScratchDir dir;
  const std::wstring ini = dir / L"\u7528\u6237\\setup.ini";  // folder created on the way
  setIniValue(L"IfInstalled", L"1", ini);
  setIniValue(L"NeedCleanOldVersion", L"1", ini);
  setIniValue(L"EnableShowGuideWindow", L"0", ini);
  EXPECT_EQ(readBytes(ini), "IfInstalled=1\r\nNeedCleanOldVersion=1\r\nEnableShowGuideWindow=0\r\n");
}

TEST(SetupIniTest, ExistingKeyChangesInPlaceKeepingOtherLinesAndOrder) {
  ScratchDir dir;
  const std::wstring ini = dir / L"setup.ini";
  writeBytes(ini, "macId=00AABBCCDDEEFF1700000000\r\nIfInstalled=1\r\nReRudiPluginInstalled=1\r\n");
  setIniValue(L"IfInstalled", L"0", ini);
  setIniValue(L"IfInstalled", L"0", ini);
  EXPECT_EQ(readBytes(ini), "macId=00AABBCCDDEEFF1700000000\r\nIfInstalled=0\r\nReRudiPluginInstalled=1\r\n");
}

TEST(SetupIniTest, LinesWithoutLineEndAndLfOnlyAreNormalised) {
  ScratchDir dir;
  const std::wstring ini = dir / L"setup.ini";
  writeBytes(ini, "a=1\nIfInstalled=1");
  setIniValue(L"IfInstalled", L"0", ini);
  EXPECT_EQ(readBytes(ini), "a=1\r\nIfInstalled=0\r\n");
}

TEST(SetupIniTest, ChineseValuesRoundTripInTheSystemCodePage) {
  if (::GetACP() != 936) GTEST_SKIP() << "needs code page 936 (LANG=zh_CN.UTF-8)";
  ScratchDir dir;
  const std::wstring ini = dir / L"setup.ini";
  setIniValue(L"name", L"\u4f34\u4fa3", ini);
  EXPECT_EQ(readBytes(ini), "name=\xb0\xe9\xc2\xc2\r\n");
}

TEST(SetupIniTest, ReadMacIdTakesTheTextAfterTheLastEquals) {
  ScratchDir dir;
  const std::wstring ini = dir / L"setup.ini";
  EXPECT_EQ(readMacId(ini), L"");  // no file
  writeBytes(ini, "IfInstalled=1\r\n");
  EXPECT_EQ(readMacId(ini), L"");  // no line
  writeBytes(ini, "IfInstalled=1\r\nmacId=0200112233445566\r\n");
  EXPECT_EQ(readMacId(ini), L"0200112233445566");
  writeBytes(ini, "\xEF\xBB\xBFmacId=x=07AB\r\n");  // a mark is honoured
  EXPECT_EQ(readMacId(ini), L"07AB");
}

TEST(SetupIniTest, EnsureMacIdMakesItOnceAndKeepsIt) {
  ScratchDir dir;
  const std::wstring ini = dir / L"setup.ini";
  ensureMacId(ini);
  const std::wstring first = readMacId(ini);
  // Adapter part (possibly empty on a machine without one) and the time.
  EXPECT_TRUE(std::regex_match(first, std::wregex(L"(\\d{2,3}([0-9A-F]{2})+)?\\d{10}"))) << first.size();
  ensureMacId(ini);
  EXPECT_EQ(readMacId(ini), first);
}

}  // namespace
