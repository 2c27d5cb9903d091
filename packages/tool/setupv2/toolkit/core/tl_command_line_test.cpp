#include "toolkit/core/tl_command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SplitCase {
  const char* name;
  WString line;
  std::vector<WString> tokens;
};

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsAsDocumented) {
  EXPECT_EQ(tl::splitCommandLine(GetParam().line), GetParam().tokens);
}

const SplitCase kSplitCases[] = {
    {"Empty", KW(""), {}},
    {"OnlySeparators", KW(" \t\n= "), {}},
    {"BlankSeparated", KW("setup.exe -silence D:\\Kivo"), {KW("setup.exe"), KW("-silence"), KW("D:\\Kivo")}},
    {"EqualsSeparates", KW("a -silence=D:\\Kivo"), {KW("a"), KW("-silence"), KW("D:\\Kivo")}},
    {"TabAndLineFeed", KW("a\t-x\nb"), {KW("a"), KW("-x"), KW("b")}},
    {"RunsMakeNoEmptyTokens", KW("a   ==  b"), {KW("a"), KW("b")}},
    {"QuotedKeepsBlanksAndEquals",
     KW("\"C:\\Program Files\\setup.exe\" -silence=\"D:\\My Apps\\a=b\""),
     {KW("C:\\Program Files\\setup.exe"), KW("-silence"), KW("D:\\My Apps\\a=b")}},
    {"QuotedEndingInBackslash", KW("x \"C:\\a b\\\" y"), {KW("x"), KW("C:\\a b\\"), KW("y")}},
    {"EmptyQuotedIsAToken", KW("x \"\" y"), {KW("x"), KW(""), KW("y")}},
    {"UnterminatedQuoteRunsToEnd", KW("x \"C:\\a b"), {KW("x"), KW("C:\\a b")}},
    {"QuoteInsideTokenIsOrdinary", KW("ab\"cd ef"), {KW("ab\"cd"), KW("ef")}},
    {"QuotedTokenEndsAtQuote", KW("\"ab\"cd"), {KW("ab"), KW("cd")}},
    {"ChineseText", KW("-silence D:\\\u5e94\u7528"), {KW("-silence"), KW("D:\\\u5e94\u7528")}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SplitCommandLineTest, testing::ValuesIn(kSplitCases),
                         [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(TokenAfterTest, FindsTheNextTokenAndReportsPresence) {
  const std::vector<WString> tokens = {KW("-a"), KW("-silence"), KW("D:\\x")};
  bool present = false;
  EXPECT_EQ(tl::tokenAfter(tokens, KW("-silence"), &present), KW("D:\\x"));
  EXPECT_TRUE(present);
}

TEST(TokenAfterTest, LastTokenGivesEmptyButPresent) {
  bool present = false;
  EXPECT_EQ(tl::tokenAfter({KW("-silence")}, KW("-silence"), &present), WString());
  EXPECT_TRUE(present);
}

TEST(TokenAfterTest, ComparesExactlyIncludingCase) {
  bool present = true;
  EXPECT_EQ(tl::tokenAfter({KW("-SILENCE"), KW("D:\\x")}, KW("-silence"), &present), WString());
  EXPECT_FALSE(present);
  EXPECT_EQ(tl::tokenAfter({KW("-silencex"), KW("D:\\x")}, KW("-silence"), &present), WString());
  EXPECT_FALSE(present);
}

}  // namespace
