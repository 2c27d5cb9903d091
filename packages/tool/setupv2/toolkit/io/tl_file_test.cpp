#include "toolkit/io/tl_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/unit/scratch_dir.h"
#include "toolkit/core/tl_debug_line.h"
#include "toolkit/io/tl_resource_file_engine.h"

namespace {

using kivo_test::readBytes;
using kivo_test::ScratchDir;
using kivo_test::writeBytes;

std::vector<std::wstring> g_lines;
void catchLine(const wchar_t* message) { g_lines.push_back(message); }

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_lines.clear();
    previous_ = tlSetDebugSink(catchLine);
  }
  void TearDown() override { tlSetDebugSink(previous_); }
  TlString at(const wchar_t* name) const { return TlString(dir_ / name); }

  ScratchDir dir_;
  TlDebugSink previous_ = nullptr;
};

TEST_F(FileTest, OpenFlagsDecideCreationAndAccess) {
  struct Case {
    int flags;
    bool exists;
    bool opens;
    bool creates;
  } cases[] = {
      {TlFile::ReadOnly, false, false, false},
      {TlFile::WriteOnly, false, true, true},
      {TlFile::ReadWrite, false, true, true},
      {TlFile::WriteOnly | TlFile::Truncate, false, true, true},
      {TlFile::ReadOnly, true, true, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    std::wstring name = dir_ / (L"设置 " + std::to_wstring(n++) + L".ini");
    if (c.exists) writeBytes(name, "x");
    TlFile file{TlString(name)};
    EXPECT_EQ(file.open(c.flags), c.opens) << c.flags;
    EXPECT_EQ(file.openMode(), c.opens ? c.flags : 0);
    EXPECT_EQ(TlFile::exists(TlString(name)), c.exists || c.creates) << c.flags;
    file.close();
    EXPECT_EQ(file.openMode(), 0);
  }
  EXPECT_TRUE(g_lines.empty());
}

TEST_F(FileTest, WriteAppendTruncateAndReadBack) {
  TlString path = at(L"data.bin");
  {
    TlFile file(path);
    ASSERT_TRUE(file.open(TlFile::WriteOnly));
    EXPECT_EQ(file.write("hello", 5), 5);
  }
  {
    TlFile file(path);
    ASSERT_TRUE(file.open(TlFile::WriteOnly | TlFile::Append));
    EXPECT_EQ(file.pos(), 5);
    EXPECT_EQ(file.write(" world", 6), 6);
  }
  EXPECT_EQ(readBytes(path.toWString()), "hello world");
  {
    TlFile file(path);
    ASSERT_TRUE(file.open(TlFile::ReadOnly));
    EXPECT_EQ(file.size(), 11);
    EXPECT_TRUE(file.seek(6));
    EXPECT_EQ(file.bytesAvailable(), 5);
    EXPECT_EQ(file.readAll().toStdString(), "world");
    EXPECT_TRUE(file.atEnd());
    EXPECT_TRUE(file.seek(0));
    EXPECT_EQ(file.readAll().toStdString(), "hello world");
    EXPECT_FALSE(file.seek(-1));
    EXPECT_EQ(file.write("x", 1), 0) << "opened for reading only";
  }
  {
    TlFile file(path);
    ASSERT_TRUE(file.open(TlFile::WriteOnly | TlFile::Truncate));
    EXPECT_EQ(file.size(), 0);
  }
  EXPECT_TRUE(TlFile::remove(path));
  EXPECT_FALSE(TlFile::exists(path));
  EXPECT_FALSE(TlFile::remove(path));
}

TEST_F(FileTest, SizeNeedsNoOpenFileAndAClosedFileReadsNothing) {
  TlString path = at(L"closed.txt");
  writeBytes(path.toWString(), "12345");
  TlFile file(path);
  EXPECT_EQ(file.size(), 5);
  EXPECT_EQ(file.pos(), 0);
  char buffer[8];
  EXPECT_EQ(file.read(buffer, 8), 0);
  EXPECT_TRUE(file.readAll().isEmpty());
  EXPECT_EQ(TlFile(at(L"missing")).size(), -1);
}

TEST_F(FileTest, ResourcePathsFailWithTheEngineMessage) {
  TlFile file(TlString(L":/res/licence.txt"));
  EXPECT_TRUE(file.hasEngine());
  char buffer[4];
  EXPECT_FALSE(file.open(TlFile::ReadOnly));
  EXPECT_FALSE(file.seek(0));
  EXPECT_EQ(file.read(buffer, 4), 0);
  EXPECT_EQ(file.write(buffer, 4), 0);
  EXPECT_EQ(file.size(), 0);
  EXPECT_FALSE(TlFile::exists(TlString(L":/res/licence.txt")));
  EXPECT_FALSE(TlFile::remove(TlString(L":/res/licence.txt")));
  ASSERT_EQ(g_lines.size(), 6u);
  for (const std::wstring& line : g_lines) EXPECT_EQ(line, L"TlResourceFileEngine Not implemented");
}

TEST_F(FileTest, AnAttachedResourceTableIsReadThroughColonPaths) {
  static const std::uint32_t sizes[] = {3, 5};
  static const char* const names[] = {"theme/a.txt", "res/licence.txt"};
  static const unsigned char data[] = {'a', 'b', 'c', 'L', 'I', 'C', 'E', 'N'};
  static const TlResourceTable table = {2, sizes, names, data};
  const TlResourceTable* previous = tlSetFileResourceTable(&table);

  TlFile file(TlString(L":res/licence.txt"));
  EXPECT_FALSE(file.open(TlFile::WriteOnly));
  ASSERT_TRUE(file.open(TlFile::ReadOnly));
  EXPECT_EQ(file.size(), 5);
  EXPECT_EQ(file.readAll().toStdString(), "LICEN");
  EXPECT_TRUE(file.atEnd());
  EXPECT_TRUE(TlFile::exists(TlString(L":theme/a.txt")));
  EXPECT_TRUE(g_lines.empty());
  EXPECT_FALSE(TlFile(TlString(L":res/other.txt")).open(TlFile::ReadOnly));
  EXPECT_EQ(g_lines.size(), 1u);

  tlSetFileResourceTable(previous);
}

// Handlers of the test's own: one declines everything, one serves a single
// made-up path from memory.
class DecliningHandler : public TlFileEngineHandler {
 public:
  std::unique_ptr<TlFileEngine> create(const TlString&) override {
    ++asked;
    return nullptr;
  }
  int asked = 0;
};

class MemoryEngine : public TlFileEngine {
 public:
  bool atEnd() override { return true; }
  std::int64_t pos() override { return 0; }
  std::int64_t size() override { return 42; }
  bool open(int) override { return true; }
  bool seek(std::int64_t) override { return false; }
  std::int64_t read(void*, std::int64_t) override { return 0; }
  std::int64_t write(const void*, std::int64_t) override { return 0; }
  void close() override {}
};

class TakingHandler : public TlFileEngineHandler {
 public:
  std::unique_ptr<TlFileEngine> create(const TlString& path) override {
    if (path != TlString(L"mem:x")) return nullptr;
    return std::make_unique<MemoryEngine>();
  }
};

TEST_F(FileTest, HandlersAreAskedMostRecentFirst) {
  DecliningHandler declining;
  TakingHandler taking;
  tlRegisterFileEngineHandler(&taking);
  tlRegisterFileEngineHandler(&declining);
  EXPECT_EQ(TlFile(TlString(L"mem:x")).size(), 42);
  EXPECT_EQ(declining.asked, 1);
  EXPECT_EQ(TlFile(at(L"plain")).size(), -1) << "declined paths reach the Win32 engine";
  tlUnregisterFileEngineHandler(&declining);
  tlUnregisterFileEngineHandler(&taking);
  EXPECT_EQ(TlFile(TlString(L"mem:x")).size(), -1);
  EXPECT_EQ(declining.asked, 2);
  EXPECT_TRUE(g_lines.empty());
}

}  // namespace
