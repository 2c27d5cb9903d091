#include "installer/disk_outputer.h"

#include <gtest/gtest.h>

#include "installer/setup_interfaces.h"
#include "testing/unit/scratch_dir.h"

namespace {

using kivo::CDiskOutputer;
using kivo_test::readBytes;
using kivo_test::ScratchDir;

TEST(DiskOutputerTest, BaseDirectoryGetsBackslashesAndOneTrailingBackslash) {
  EXPECT_EQ(CDiskOutputer(L"C:/Kivo/Check", nullptr, nullptr).baseDirectory(), L"C:\\Kivo\\Check\\");
  EXPECT_EQ(CDiskOutputer(L"C:\\Kivo\\", nullptr, nullptr).baseDirectory(), L"C:\\Kivo\\");
  EXPECT_EQ(CDiskOutputer(L"", nullptr, nullptr).baseDirectory(), L"");
}

TEST(DiskOutputerTest, WritesFilesAndDirectoriesBelowTheBaseOnly) {
  ScratchDir dir;
  ScratchDir outside;
  CDiskOutputer sink(dir.path(), nullptr, nullptr);
  const unsigned char bytes[] = {'a', 0, 'b'};
  EXPECT_TRUE(sink.output(L"install/a/b/c.bin", false, bytes, sizeof bytes));
  EXPECT_EQ(readBytes(dir / L"a\\b\\c.bin"), std::string("a\0b", 3));
  EXPECT_TRUE(sink.output(L"install/empty.txt", false, nullptr, 0));
  EXPECT_EQ(::GetFileAttributesW((dir / L"empty.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_TRUE(sink.output(L"install/d/e", true, nullptr, 0));
  EXPECT_NE(::GetFileAttributesW((dir / L"d\\e").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  // A whole root label is nothing to write.
  EXPECT_TRUE(sink.output(L"AppData", true, nullptr, 0));
  EXPECT_EQ(::GetFileAttributesW((dir / L"AppData").c_str()), INVALID_FILE_ATTRIBUTES);

  const std::wstring outsideName = outside.path().substr(outside.path().rfind(L'\\') + 1);
  for (const std::wstring& hostile :
       {L"install/../" + outsideName + L"/evil.dll", std::wstring(L"install/C:evil.dll"),
        L"install/..\\" + outsideName + L"\\evil.dll", std::wstring(L"install/NUL.dll")}) {
    EXPECT_FALSE(sink.output(hostile, false, bytes, sizeof bytes)) << hostile;
  }
  EXPECT_EQ(::GetFileAttributesW((outside / L"evil.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(DiskOutputerTest, PathsBeyondTheWin32LimitAreRefused) {
  ScratchDir dir;
  CDiskOutputer sink(dir.path(), nullptr, nullptr);
  const std::wstring longName = L"install/" + std::wstring(240, L'x');
  EXPECT_FALSE(sink.output(longName, false, nullptr, 0));
}

class ProgressObserver : public kivo::ISetupObserver {
 public:
  void onCheckResult(int) override {}
  void onKivoRunning() override {}
  void onDecompressProgress(double f, const std::wstring& t) override {
    fraction = f;
    text = t;
  }
  void onDecompressFail(const std::wstring&) override {}
  void onDecompressFinish(int) override {}
  bool isSilence() const override { return false; }
  double fraction = -1;
  std::wstring text;
};

TEST(DiskOutputerTest, ProgressGoesToTheObserverAsAFractionOfNineTenths) {
  ProgressObserver observer;
  CDiskOutputer sink(L"C:\\Kivo", &observer, nullptr);
  sink.reportProgress(3, 4, L"KivoMixer.exe");
  EXPECT_DOUBLE_EQ(observer.fraction, 0.675);
  EXPECT_EQ(observer.text, L"正在解压文件：KivoMixer.exe");
}

}  // namespace
