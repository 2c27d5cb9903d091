#include "installer/mixer_setup_checker.h"

#include <gtest/gtest.h>

#include <vector>

#include "installer/setup_interfaces.h"
#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;

struct Report {
  int result;
  DWORD thread;
  DWORD tick;
};

class RecordingObserver : public ISetupObserver {
 public:
  explicit RecordingObserver(bool silent) : silent_(silent) {}
  void onCheckResult(int result) override {
    reports.push_back({result, ::GetCurrentThreadId(), ::GetTickCount()});
  }
  void onKivoRunning() override {}
  void onDecompressProgress(double, const std::wstring&) override {}
  void onDecompressFail(const std::wstring&) override {}
  void onDecompressFinish(int) override {}
  bool isSilence() const override { return silent_; }

  std::vector<Report> reports;

 private:
  bool silent_;
};

// Stands in for the payload: writes a file where the filter would go.
class FakeExtractChecker : public MixerSetupChecker {
 public:
  using MixerSetupChecker::MixerSetupChecker;
  std::vector<std::wstring> extractedInto;

 protected:
  void extractCheckFile(const std::wstring& checkDirectory) override {
    extractedInto.push_back(checkDirectory);
    ::CreateDirectoryW(checkDirectory.c_str(), nullptr);
    HANDLE f = ::CreateFileW((checkDirectory + L"\\KivoVirtualCam.ax").c_str(), GENERIC_WRITE, 0,
                             nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) ::CloseHandle(f);
  }
};

// Runs the UI thread's messages until |done| or a generous deadline.
template <typename Done>
void pumpUntil(Done done, DWORD limit = 10000) {
  const DWORD deadline = ::GetTickCount() + limit;
  while (!done() && ::GetTickCount() < deadline) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// Holds the installer's mutex the way another installer process would.
class OtherInstaller {
 public:
  OtherInstaller() {
    // A handle duplicated from another process is what a second installer
    // sees; within one process, opening it by name under a different
    // handle gives the same ERROR_ALREADY_EXISTS answer to CreateMutexW.
    mutex_ = ::CreateMutexW(nullptr, FALSE, kSetupMutexName);
  }
  ~OtherInstaller() { ::CloseHandle(mutex_); }

 private:
  HANDLE mutex_;
};

TEST(MixerSetupCheckerTest, AnotherInstallerIsRefusedUnlessTheTestIsSkipped) {
  kivo_test::ScratchDir dir;
  RecordingObserver silent(true);
  {
    OtherInstaller other;
    FakeExtractChecker checker(&silent);
    checker.setInstallDirectory(dir.path() + L"\\");
    checker.start(false, false);
    ASSERT_EQ(silent.reports.size(), 1u);
    EXPECT_EQ(silent.reports[0].result, CR_SetupExist);

    // Inline starts keep the cleared skip flag; only a restart on a new
    // thread (the retry button) skips the test.
    checker.start(false, true);
    checker.start(true, true);
    checker.stop();
    ASSERT_EQ(silent.reports.size(), 3u);
    EXPECT_EQ(silent.reports[1].result, CR_SetupExist);
    EXPECT_EQ(silent.reports[2].result, CR_Success);
  }

  // The other installer has gone: this one takes the mutex and keeps it,
  // and a later check of the same process still passes.
  FakeExtractChecker first(&silent);
  first.start(false, false);
  FakeExtractChecker again(&silent);
  again.start(false, false);
  ASSERT_EQ(silent.reports.size(), 5u);
  EXPECT_EQ(silent.reports[3].result, CR_Success);
  EXPECT_EQ(silent.reports[3].thread, ::GetCurrentThreadId());
  EXPECT_EQ(silent.reports[4].result, CR_Success);
  EXPECT_TRUE(first.extractedInto.empty());  // silent runs never pre-extract
}

TEST(MixerSetupCheckerTest, WizardExtractsThenCompletesOnTheUiThreadAfterTheTimer) {
  kivo_test::ScratchDir dir;
  RecordingObserver wizard(false);
  FakeExtractChecker checker(&wizard);
  checker.setInstallDirectory(dir.path() + L"\\");

  const DWORD started = ::GetTickCount();
  checker.start(true, true);
  pumpUntil([&] { return !wizard.reports.empty(); });
  checker.stop();

  ASSERT_EQ(wizard.reports.size(), 1u);
  EXPECT_EQ(wizard.reports[0].result, CR_Success);
  EXPECT_EQ(wizard.reports[0].thread, ::GetCurrentThreadId());
  EXPECT_GE(wizard.reports[0].tick - started, 900u);
  ASSERT_EQ(checker.extractedInto.size(), 1u);
  EXPECT_EQ(checker.extractedInto[0], dir.path() + L"\\Check");
  EXPECT_EQ(checker.checkFile(), dir.path() + L"\\Check\\KivoVirtualCam.ax");

  // A retry finds the filter in place and answers at once, on its thread.
  checker.start(true, true);
  checker.stop();
  ASSERT_EQ(wizard.reports.size(), 2u);
  EXPECT_EQ(wizard.reports[1].result, CR_Success);
  EXPECT_NE(wizard.reports[1].thread, ::GetCurrentThreadId());
  EXPECT_EQ(checker.extractedInto.size(), 1u);
}

TEST(MixerSetupCheckerTest, StoppingBeforeTheTimerFiresReportsNothing) {
  kivo_test::ScratchDir dir;
  RecordingObserver wizard(false);
  {
    FakeExtractChecker checker(&wizard);
    checker.setInstallDirectory(dir.path() + L"\\");
    checker.start(true, true);
    checker.stop();  // the thread has armed (or is about to arm) the timer
  }
  pumpUntil([] { return false; }, 2000);  // well past 1,000 ms: nothing may arrive
  EXPECT_TRUE(wizard.reports.empty());
}

}  // namespace
