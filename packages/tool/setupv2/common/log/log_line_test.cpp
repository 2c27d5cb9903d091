#include "common/log/log_line.h"

#include <gtest/gtest.h>

namespace {

using kivo::formatLogLine;
using kivo::kLogLineLimit;
using kivo::LogTime;

TEST(FormatLogLineTest, StampsWithZeroPaddedFields) {
  EXPECT_EQ(formatLogLine(LogTime{2016, 7, 1, 9, 5, 3}, KW("Setup start")),
            KW("[2016-07-01 09:05:03] Setup start\r\n"));
  EXPECT_EQ(formatLogLine(LogTime{2026, 12, 31, 23, 59, 59}, KW("")),
            KW("[2026-12-31 23:59:59] \r\n"));
}

TEST(FormatLogLineTest, YearIsSpacePaddedToFourAndMayGrow) {
  EXPECT_EQ(formatLogLine(LogTime{999, 1, 2, 3, 4, 5}, KW("x")), KW("[ 999-01-02 03:04:05] x\r\n"));
  EXPECT_EQ(formatLogLine(LogTime{10000, 1, 2, 3, 4, 5}, KW("x")),
            KW("[10000-01-02 03:04:05] x\r\n"));
}

TEST(FormatLogLineTest, KeepsChineseAndPrintfDirectivesVerbatim) {
  const WString message = KW("\u5b89\u88c5 %s %d 100%");
  EXPECT_EQ(formatLogLine(LogTime{2026, 1, 1, 0, 0, 0}, message),
            KW("[2026-01-01 00:00:00] ") + message + KW("\r\n"));
}

TEST(FormatLogLineTest, CutsTheWholeLineAtTheLimit) {
  const WString stamp = KW("[2026-01-01 00:00:00] ");
  struct Case {
    WString::size_type messageLength;
    bool keepsLineEnd;
  } cases[] = {
      {kLogLineLimit - stamp.size() - 2, true},   // fits exactly
      {kLogLineLimit - stamp.size() - 1, false},  // loses the line feed
      {kLogLineLimit * 3, false},
  };
  for (const Case& c : cases) {
    const WString line = formatLogLine(LogTime{2026, 1, 1, 0, 0, 0}, WString(c.messageLength, KW('m')));
    EXPECT_LE(line.size(), kLogLineLimit);
    EXPECT_EQ(line.compare(0, stamp.size(), stamp), 0);
    const bool endsWithLineEnd = line.size() >= 2 && line.compare(line.size() - 2, 2, KW("\r\n")) == 0;
    EXPECT_EQ(endsWithLineEnd, c.keepsLineEnd) << c.messageLength;
  }
}

}  // namespace
