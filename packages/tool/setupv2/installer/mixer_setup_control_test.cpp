#include "installer/mixer_setup_control.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include "common/log/log_file.h"
#include "testing/unit/scratch_dir.h"

namespace {

using namespace kivo;

// A core whose post-install step only counts; everything else is the real
// core with its real (stand-in) workers.
class CountingCore : public MixerSetupCore {
 public:
  explicit CountingCore(ISetupObserver* observer, int* afterCount)
      : MixerSetupCore(observer), afterCount_(afterCount) {}
  void doAfterDecompress() override {
    MixerSetupCore::doAfterDecompress();
    ++*afterCount_;
  }

 private:
  int* afterCount_;
};

const int kNoQuit = 12345;

// Runs the UI thread's pending messages (timers included) and takes what
// the control posted: the WM_QUIT code, or kNoQuit.
int takeQuitCode() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
    ::DispatchMessageW(&msg);
  }
  return kNoQuit;
}

// Waits (bounded) for a WM_QUIT posted from another thread.
int waitForQuitCode() {
  const DWORD deadline = ::GetTickCount() + 10000;
  while (::GetTickCount() < deadline) {
    const int code = takeQuitCode();
    if (code != kNoQuit) return code;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return kNoQuit;
}

std::wstring localAppData() {
  wchar_t folder[MAX_PATH] = {0};
  ::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_LOCAL_APPDATA, FALSE);
  return folder;
}

class ControlTest : public testing::Test {
 protected:
  void SetUp() override {
    takeQuitCode();  // nothing left over from an earlier test
    control_.reset(new MixerSetupControl(
        [this](ISetupObserver* o) { return new CountingCore(o, &afterCount_); }));
  }
  void TearDown() override { control_.reset(); }

  int afterCount_ = 0;
  std::unique_ptr<MixerSetupControl> control_;
};

TEST_F(ControlTest, SilenceAloneInstallsIntoTheDefaultDirectory) {
  control_->startSetup(L"\"C:\\dl\\KivoMixerSetup.exe\" -silence");
  EXPECT_TRUE(control_->isSilence());
  EXPECT_EQ(control_->installDirectory(), localAppData() + L"\\tarlan\\kivomixer");
  EXPECT_EQ(takeQuitCode(), 0);
  EXPECT_EQ(afterCount_, 1);
  EXPECT_TRUE(control_->core()->decompressFinished());
}

TEST_F(ControlTest, DirectoryFollowsTheOptionAfterBlankOrEquals) {
  struct Case {
    std::wstring line;
    std::wstring directory;
  } cases[] = {
      {L"setup.exe -silence C:\\Kivo", L"C:\\Kivo"},
      {L"setup.exe -silence=\"C:\\My Apps\\\u5e94\u7528 Kivo\"", L"C:\\My Apps\\\u5e94\u7528 Kivo"},
      {L"setup.exe -silence \"\"", localAppData() + L"\\tarlan\\kivomixer"},
  };
  for (const Case& c : cases) {
    SetUp();
    control_->startSetup(c.line);
    EXPECT_EQ(control_->installDirectory(), c.directory);
    EXPECT_EQ(control_->core()->path(kPathInstallDir), c.directory + L"\\");
    EXPECT_EQ(takeQuitCode(), 0);
  }
}

TEST_F(ControlTest, UnusableDirectoryQuitsWithMinus3BeforeExtraction) {
  for (const wchar_t* line : {L"s.exe -silence Kivo", L"s.exe -silence C:\\a*b",
                              L"s.exe -silence=\"C:\\a\\ \\b\"", L"s.exe -silence Q:\\Kivo"}) {
    SetUp();
    control_->startSetup(line);
    EXPECT_EQ(takeQuitCode(), kExitInvalidPath);
    EXPECT_EQ(afterCount_, 0);
    EXPECT_FALSE(control_->core()->decompressFinished());
  }
}

TEST_F(ControlTest, OptionIsCaseSensitive) {
  control_->startSetup(L"setup.exe -SILENCE C:\\Kivo");
  EXPECT_FALSE(control_->isSilence());
  // The wizard has no window yet: its check answer ends the run with 0.
  EXPECT_EQ(waitForQuitCode(), 0);
  EXPECT_EQ(control_->installDirectory(), localAppData() + L"\\tarlan\\kivomixer");
  EXPECT_EQ(afterCount_, 0);
}

struct SilentReport {
  const char* name;
  void (*report)(ISetupObserver&);
  int exitCode;
};

class SilentReportTest : public ControlTest, public testing::WithParamInterface<SilentReport> {};

TEST_P(SilentReportTest, BecomesTheDocumentedExitCode) {
  control_->startSetup(L"s.exe -silence C:\\Kivo");
  ASSERT_EQ(takeQuitCode(), 0);
  afterCount_ = 0;
  GetParam().report(*control_);
  EXPECT_EQ(takeQuitCode(), GetParam().exitCode);
  EXPECT_EQ(afterCount_, 0);
}

const SilentReport kSilentReports[] = {
    {"SetupExist", [](ISetupObserver& o) { o.onCheckResult(CR_SetupExist); }, -1},
    {"SetupInvalid", [](ISetupObserver& o) { o.onCheckResult(CR_SetupInvalid); }, -2},
    {"VirtualCamUsing", [](ISetupObserver& o) { o.onCheckResult(CR_SetupVirtualCamUsing); }, -6},
    {"UnknownCheckResult", [](ISetupObserver& o) { o.onCheckResult(9); }, kNoQuit},
    {"KivoRunning", [](ISetupObserver& o) { o.onKivoRunning(); }, -4},
    {"FileFailed", [](ISetupObserver& o) { o.onDecompressFail(L"C:\\Kivo\\a.dll"); }, -5},
    {"InstallFailed", [](ISetupObserver& o) { o.onDecompressFinish(DR_DecompressInstallFailed); }, -5},
    {"ComponentFailed", [](ISetupObserver& o) { o.onDecompressFinish(DR_DecompressComponentFailed); }, -5},
    {"DownloadFailed", [](ISetupObserver& o) { o.onDecompressFinish(DR_DownloadComponentFailed); }, -5},
    {"UnknownFinish", [](ISetupObserver& o) { o.onDecompressFinish(7); }, kNoQuit},
    {"Progress", [](ISetupObserver& o) { o.onDecompressProgress(0.5, L"a.dll"); }, kNoQuit},
};

INSTANTIATE_TEST_SUITE_P(Reports, SilentReportTest, testing::ValuesIn(kSilentReports),
                         [](const testing::TestParamInfo<SilentReport>& i) { return i.param.name; });

TEST_F(ControlTest, SuccessRunsPostInstallStepsBeforeQuitting) {
  control_->startSetup(L"s.exe -silence C:\\Kivo");
  ASSERT_EQ(takeQuitCode(), 0);
  control_->onDecompressFinish(DR_Success);
  EXPECT_EQ(afterCount_, 2);
  EXPECT_EQ(takeQuitCode(), 0);
}

TEST(CorePathTableTest, DerivesEveryPathFromTheInstallDirectory) {
  int after = 0;
  MixerSetupControl control([&after](ISetupObserver* o) { return new CountingCore(o, &after); });
  control.setSetupPath(L"C:\\\u5e94\u7528 Kivo");
  const MixerSetupCore& core = *control.core();
  EXPECT_EQ(core.path(kPathInstallDir), L"C:\\\u5e94\u7528 Kivo\\");
  EXPECT_EQ(core.path(kPathVersionDir), L"C:\\\u5e94\u7528 Kivo\\3.1.0.5");
  EXPECT_EQ(core.path(kPathStableDir), L"C:\\\u5e94\u7528 Kivo\\Stable");
  EXPECT_EQ(core.path(kPathVersionExe), L"C:\\\u5e94\u7528 Kivo\\3.1.0.5\\KivoMixer.exe");
  EXPECT_EQ(core.path(kPathRootExe), L"C:\\\u5e94\u7528 Kivo\\KivoMixer.exe");
  EXPECT_EQ(core.path(kPathUninstaller), L"C:\\\u5e94\u7528 Kivo\\Uninstall.exe");
  EXPECT_EQ(core.path(kPathReleaseNote), L"C:\\\u5e94\u7528 Kivo\\3.1.0.5\\ReleaseNotes.txt");
  EXPECT_EQ(core.path(kPathCheckDir), L"C:\\\u5e94\u7528 Kivo\\Check");
  const std::wstring user = core.path(kPathUserDataDir);
  EXPECT_EQ(user.substr(user.size() - 17), L"\\tarlan\\kivomixer");
  EXPECT_EQ(core.path(9), L"");
  EXPECT_EQ(core.path(-1), L"");

  control.setSetupPath(L"C:\\Kivo\\");  // an existing backslash is not doubled
  EXPECT_EQ(core.path(kPathInstallDir), L"C:\\Kivo\\");
  EXPECT_EQ(core.path(kPathStableDir), L"C:\\Kivo\\Stable");
}

TEST(FullInstallerAddressTest, NamesTheVersionTwice) {
  const std::wstring address = MixerSetupControl::fullInstallerAddress();
  EXPECT_NE(address.find(L"/kivomixer/install/3.1.0.5/KivoMixerSetupFull3.1.0.5.exe"),
            std::wstring::npos);
  EXPECT_EQ(address.rfind(L"http", 0), 0u);
}

}  // namespace
