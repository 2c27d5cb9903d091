#include "common/log/log_file.h"

#include <gtest/gtest.h>

#include <regex>
#include <thread>
#include <vector>

#include "testing/unit/scratch_dir.h"

namespace {

using kivo::LogFile;
using kivo_test::readBytes;
using kivo_test::readUtf16Log;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

std::vector<std::wstring> splitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wstring::size_type start = 0;
  for (auto end = text.find(L"\r\n"); end != std::wstring::npos; end = text.find(L"\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool isStampedLine(const std::wstring& line, const std::wstring& message) {
  static const std::wregex stamp(L"^\\[\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\] ");
  return std::regex_search(line, stamp) && line.substr(22) == message;
}

TEST(LogFileTest, NewFileStartsWithMarkAndHoldsStampedLines) {
  ScratchDir dir;
  {
    LogFile log(dir.path() + L"\\setup\\");
    log.setFileName(L"setupV2.log");
    log.writeLine(L"first");
    log.writeLine(L"\u5b89\u88c5 second");
  }
  const std::string bytes = readBytes(dir / L"setup\\setupV2.log");
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
  const std::vector<std::wstring> lines = splitLines(readUtf16Log(dir / L"setup\\setupV2.log"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(isStampedLine(lines[0], L"first"));
  EXPECT_TRUE(isStampedLine(lines[1], L"\u5b89\u88c5 second"));
}

TEST(LogFileTest, ConstructionCreatesMissingDirectoriesAndDefaultName) {
  ScratchDir dir;
  LogFile log(dir.path() + L"\\a\\b\\");
  EXPECT_EQ(log.filePath(), dir.path() + L"\\a\\b\\setup.log");
  EXPECT_NE(::GetFileAttributesW((dir / L"a\\b").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(LogFileTest, SizeLimitDecidesBetweenAppendAndRestart) {
  struct Case {
    const char* name;
    size_t existingSize;
    bool kept;
  } cases[] = {
      {"empty file gets the mark", 0, false},
      {"small file is appended", 100, true},
      {"exactly 1 MiB is appended", 1048576, true},
      {"1 MiB + 1 is restarted", 1048577, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    std::string existing = "\xFF\xFE";
    existing.resize(c.existingSize, 'x');
    writeBytes(dir / L"x.log", existing);
    {
      LogFile log(dir.path() + L"\\");
      log.setFileName(L"x.log");
      log.writeLine(L"new");
    }
    const std::string after = readBytes(dir / L"x.log");
    const size_t lineBytes = (22 + 3 + 2) * 2;
    if (c.kept) {
      ASSERT_EQ(after.size(), c.existingSize + lineBytes);
      EXPECT_EQ(after.substr(0, c.existingSize), existing);
    } else {
      ASSERT_EQ(after.size(), 2 + lineBytes);
      EXPECT_EQ(after.substr(0, 2), std::string("\xFF\xFE"));
    }
  }
}

TEST(LogFileTest, SecondRunAppendsToTheSameFile) {
  ScratchDir dir;
  for (const wchar_t* message : {L"run one", L"run two"}) {
    LogFile log(dir.path() + L"\\");
    log.setFileName(L"setupV2.log");
    log.writeLine(message);
  }
  const std::vector<std::wstring> lines = splitLines(readUtf16Log(dir / L"setupV2.log"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(isStampedLine(lines[0], L"run one"));
  EXPECT_TRUE(isStampedLine(lines[1], L"run two"));
}

TEST(LogFileTest, DirectoryInTheWayDropsLinesAndLaterLinesRetry) {
  ScratchDir dir;
  ASSERT_TRUE(::CreateDirectoryW((dir / L"x.log").c_str(), nullptr));
  LogFile log(dir.path() + L"\\");
  log.setFileName(L"x.log");
  log.writeLine(L"lost");
  EXPECT_FALSE(log.isOpen());

  ASSERT_TRUE(::RemoveDirectoryW((dir / L"x.log").c_str()));
  log.writeLine(L"kept");
  EXPECT_TRUE(log.isOpen());
  const std::vector<std::wstring> lines = splitLines(readUtf16Log(dir / L"x.log"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(isStampedLine(lines[0], L"kept"));
}

TEST(LogFileTest, ThreadsWritingFirstLinesAtOnceOpenOnceAndNeverInterleave) {
  ScratchDir dir;
  const int kThreads = 4;
  const int kLines = 500;
  {
    LogFile log(dir.path() + L"\\");
    log.setFileName(L"race.log");
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&log, t] {
        for (int i = 0; i < kLines; ++i)
          log.writeLine(L"thread " + std::to_wstring(t) + L" line " + std::to_wstring(i) +
                        std::wstring(40, L'a' + t));
      });
    }
    for (std::thread& th : threads) th.join();
  }
  const std::string bytes = readBytes(dir / L"race.log");
  // One mark only: a second open would have truncated or marked again.
  ASSERT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
  const std::wstring text = readUtf16Log(dir / L"race.log");
  EXPECT_EQ(text.find(L'\xFEFF'), std::wstring::npos);
  const std::vector<std::wstring> lines = splitLines(text);
  ASSERT_EQ(lines.size(), static_cast<size_t>(kThreads * kLines));
  std::vector<int> next(kThreads, 0);
  for (const std::wstring& line : lines) {
    static const std::wregex shape(L"^\\[[^\\]]+\\] thread (\\d) line (\\d+)([a-d]{40})$");
    std::wsmatch m;
    ASSERT_TRUE(std::regex_match(line, m, shape)) << std::string(line.begin(), line.end());
    const int t = std::stoi(m[1].str());
    EXPECT_EQ(std::stoi(m[2].str()), next[t]++);
    EXPECT_EQ(m[3].str(), std::wstring(40, L'a' + t));
  }
}

TEST(LogPrintfTest, FormatsWideArgumentsAndCutsLongLines) {
  // Other tests of this program may have opened the process log already;
  // the lines go wherever it is open, so look them up there.
  const std::wstring marker = L"marker-" + std::to_wstring(::GetTickCount());
  logPrintf(L"%s copy [%s] result %d", marker.c_str(), L"C:\\\u5e94\u7528 %d %s", 7);
  logPrintf(L"%s%s", marker.c_str(), std::wstring(5000, L'z').c_str());

  const std::wstring text = readUtf16Log(LogFile::instance().openedPath());
  const std::wstring::size_type first = text.find(marker);
  ASSERT_NE(first, std::wstring::npos);
  const std::wstring firstLine = text.substr(first, text.find(L"\r\n", first) - first);
  EXPECT_EQ(firstLine, marker + L" copy [C:\\\u5e94\u7528 %d %s] result 7");
  // The cut line loses its line end and is the last thing in the file.
  const std::wstring::size_type second = text.find(marker, first + 1);
  ASSERT_NE(second, std::wstring::npos);
  const std::wstring cut = text.substr(second - 22);
  EXPECT_EQ(cut.size(), 2047u);
  EXPECT_EQ(cut.substr(22 + marker.size()), std::wstring(2047 - 22 - marker.size(), L'z'));
}

}  // namespace
