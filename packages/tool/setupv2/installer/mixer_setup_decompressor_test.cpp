// The extraction worker under Wine, with the sample application as its
// payload (compiled into this test program as resource ZIP 101, exactly as
// in the installer) and the sample KivoMixer.exe as the running client.
#include "installer/mixer_setup_decompressor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

#include "common/log/log_file.h"
#include "common/system/process_utils.h"
#include "installer/setup_interfaces.h"
#include "testing/unit/scratch_dir.h"

namespace {

using kivo::MixerSetupDecompressor;
using kivo_test::readBytes;
using kivo_test::ScratchDir;

const std::wstring kSampleApp = KIVO_SAMPLE_APP_DIR;
const wchar_t kClientClass[] = L"TARLAN SPEAK MAIN FRAME | 4D1BB563-E5FC-4771-AD17-6442A4147044";

// Records what the worker reports; the wizard body calls it from its thread.
class RecordingObserver : public kivo::ISetupObserver {
 public:
  explicit RecordingObserver(bool silent) : silent_(silent) {}
  void onCheckResult(int) override {}
  void onKivoRunning() override {
    std::lock_guard<std::mutex> lock(mutex_);
    ++kivoRunning;
  }
  void onDecompressProgress(double fraction, const std::wstring& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    fractions.push_back(fraction);
    texts.push_back(text);
  }
  void onDecompressFail(const std::wstring&) override {}
  void onDecompressFinish(int result) override {
    std::lock_guard<std::mutex> lock(mutex_);
    results.push_back(result);
  }
  bool isSilence() const override { return silent_; }

  int runningCount() {
    std::lock_guard<std::mutex> lock(mutex_);
    return kivoRunning;
  }
  std::vector<int> resultList() {
    std::lock_guard<std::mutex> lock(mutex_);
    return results;
  }

  int kivoRunning = 0;
  std::vector<double> fractions;
  std::vector<std::wstring> texts;
  std::vector<int> results;

 private:
  bool silent_;
  std::mutex mutex_;
};

// Relative paths (backslashes) of everything below |root|, files and
// directories, sorted by the walk.
void listTree(const std::wstring& root, const std::wstring& relative, std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW data;
  const std::wstring dir = relative.empty() ? root : root + L"\\" + relative;
  HANDLE find = ::FindFirstFileW((dir + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring child = relative.empty() ? name : relative + L"\\" + name;
    out.push_back(child);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) listTree(root, child, out);
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
}

std::vector<std::wstring> treeOf(const std::wstring& root) {
  std::vector<std::wstring> out;
  listTree(root, L"", out);
  std::sort(out.begin(), out.end());
  return out;
}

bool isDirectory(const std::wstring& path) {
  const DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The log lines this test program wrote since the mark.
class LogWatch {
 public:
  LogWatch() {
    logPrintf(L"--- test mark ---");
    start_ = text().size();
  }
  std::wstring since() const { return text().substr(start_); }
  bool saw(const std::wstring& line) const { return since().find(line) != std::wstring::npos; }

 private:
  static std::wstring text() { return kivo_test::readUtf16Log(kivo::LogFile::instance().openedPath()); }
  size_t start_;
};

// A sample client started from |exe| (copied there first) with |arguments|;
// ended when the test ends if it is still running.
class Client {
 public:
  Client(const std::wstring& exe, const std::wstring& arguments = L"") {
    ::CreateDirectoryW(exe.substr(0, exe.rfind(L'\\')).c_str(), nullptr);
    ::CopyFileW((kSampleApp + L"\\3.1.0.5\\KivoMixer.exe").c_str(), exe.c_str(), FALSE);
    std::wstring line = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
      return;
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    for (int i = 0; i < 500 && kivo::findProcessWindow(id_, kClientClass) == nullptr; ++i) ::Sleep(10);
  }
  ~Client() {
    if (process_ == nullptr) return;
    if (running()) ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, 5000);
    ::CloseHandle(process_);
  }
  bool started() const { return process_ != nullptr && kivo::findProcessWindow(id_, kClientClass) != nullptr; }
  bool running() const { return ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
  bool waitForEnd(DWORD ms) const { return ::WaitForSingleObject(process_, ms) == WAIT_OBJECT_0; }
  DWORD exitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(process_, &code);
    return code;
  }
  DWORD id() const { return id_; }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

class DecompressorTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { kivo::LogFile::instance().setFileName(L"decompressor_test.log"); }

  std::wstring installDir() const { return dir_.path() + L"\\"; }

  ScratchDir dir_;
};

TEST_F(DecompressorTest, SilentRunLaysEveryFileDownByteForByteAndReportsProgress) {
  RecordingObserver observer(true);
  MixerSetupDecompressor worker(&observer);
  worker.setInstallDirectory(installDir());
  worker.setSilence(true);
  LogWatch log;
  worker.start(false);
  ASSERT_EQ(observer.results, std::vector<int>{kivo::DR_Success});
  EXPECT_TRUE(log.saw(L"MixerSetupDecompressor::_syncDecompress begin [silence model]."));
  EXPECT_TRUE(log.saw(L"CDiskOutputer::output, file is install/3.1.0.5/KivoMixer.exe"));

  // Every file and folder of the application, at its mapped place and with
  // its bytes; besides them only the uninstaller and the empty "install".
  const std::vector<std::wstring> source = treeOf(kSampleApp);
  std::vector<std::wstring> expected = source;
  expected.push_back(L"Uninstall.exe");
  expected.push_back(L"install");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(treeOf(dir_.path()), expected);
  for (const std::wstring& rel : source) {
    if (isDirectory(kSampleApp + L"\\" + rel)) continue;
    EXPECT_EQ(readBytes(dir_ / rel), readBytes(kSampleApp + L"\\" + rel)) << rel;
  }
  EXPECT_TRUE(isDirectory(dir_ / L"install"));
  EXPECT_TRUE(treeOf(dir_ / L"install").empty());
  EXPECT_EQ(readBytes(dir_ / L"Uninstall.exe").substr(0, 2), "MZ");

  // One report per entry (the application's entries, Uninstall.exe and
  // install itself): fractions 0, 0.9/N, ..., 0.9(N-1)/N.
  const size_t n = source.size() + 2;
  ASSERT_EQ(observer.fractions.size(), n);
  for (size_t i = 0; i < n; ++i) EXPECT_DOUBLE_EQ(observer.fractions[i], i * 0.9 / n);
  EXPECT_EQ(observer.texts.front(), L"正在解压文件：install");
  EXPECT_NE(std::find(observer.texts.begin(), observer.texts.end(), L"正在解压文件：欢迎.mp3"),
            observer.texts.end());
}

TEST_F(DecompressorTest, CheckModeWritesOnlyTheFilterAndReportsNothing) {
  RecordingObserver observer(false);
  MixerSetupDecompressor worker(&observer);
  ASSERT_TRUE(worker.extractFilterForCheck(installDir()));
  EXPECT_EQ(treeOf(dir_.path()), (std::vector<std::wstring>{L"Check", L"Check\\KivoVirtualCam.ax"}));
  EXPECT_EQ(readBytes(dir_ / L"Check\\KivoVirtualCam.ax"), readBytes(kSampleApp + L"\\3.1.0.5\\KivoVirtualCam.ax"));
  EXPECT_TRUE(observer.fractions.empty());
  EXPECT_TRUE(observer.results.empty());
}

TEST_F(DecompressorTest, MissingPayloadFailsInEveryMode) {
  RecordingObserver observer(true);
  MixerSetupDecompressor worker(&observer);
  worker.setPayloadModule(::GetModuleHandleW(L"kernel32.dll"));
  worker.setInstallDirectory(installDir());
  LogWatch log;
  worker.start(false);
  EXPECT_EQ(observer.results, std::vector<int>{kivo::DR_DecompressInstallFailed});
  EXPECT_FALSE(worker.extractFilterForCheck(installDir()));
  EXPECT_TRUE(log.saw(L"MixerSetupDecompressor::_load7zDataFromResource, Find resource(kivo.7z) fail."));
  EXPECT_TRUE(log.saw(L"MixerSetupDecompressor::_decompress, _load7zDataFromResource fail."));
  EXPECT_TRUE(treeOf(dir_.path()).empty());
}

TEST_F(DecompressorTest, BusyTargetIsMovedAsideWhenTheSystemAllowsIt) {
  const std::wstring target = dir_ / L"3.1.0.5\\KivoVirtualCam.ax";
  ::CreateDirectoryW((dir_ / L"3.1.0.5").c_str(), nullptr);
  kivo_test::writeBytes(target, "old filter");
  // Held for reading by someone who lets it be renamed, not written.
  HANDLE holder = ::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  RecordingObserver observer(true);
  MixerSetupDecompressor worker(&observer);
  worker.setInstallDirectory(installDir());
  worker.start(false);
  ::CloseHandle(holder);
  EXPECT_EQ(observer.results, std::vector<int>{kivo::DR_Success});
  EXPECT_EQ(readBytes(target), readBytes(kSampleApp + L"\\3.1.0.5\\KivoVirtualCam.ax"));
  EXPECT_EQ(readBytes(target + L".old"), "old filter");
}

TEST_F(DecompressorTest, RunningProgramInTheVersionFolderIsReplaced) {
  // Started from D\3.1.0.5: not the client that counts as running, but
  // its image is busy.
  Client inVersionFolder(dir_ / L"3.1.0.5\\KivoMixer.exe");
  ASSERT_TRUE(inVersionFolder.started());
  RecordingObserver observer(true);
  MixerSetupDecompressor worker(&observer);
  worker.setInstallDirectory(installDir());
  worker.start(false);
  EXPECT_EQ(observer.results, std::vector<int>{kivo::DR_Success});
  EXPECT_TRUE(inVersionFolder.running());
  // The running image could not be opened for writing: it was moved aside.
  EXPECT_NE(::GetFileAttributesW((dir_ / L"3.1.0.5\\KivoMixer.exe.old").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(readBytes(dir_ / L"3.1.0.5\\KivoMixer.exe"), readBytes(kSampleApp + L"\\3.1.0.5\\KivoMixer.exe"));
}

TEST_F(DecompressorTest, FileHeldWithoutSharingFailsTheExtractionAfterTheRetries) {
  const std::wstring target = dir_ / L"Launcher.xml";
  kivo_test::writeBytes(target, "held");
  HANDLE holder = ::CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  RecordingObserver observer(true);
  MixerSetupDecompressor worker(&observer);
  worker.setInstallDirectory(installDir());
  LogWatch log;
  worker.start(false);
  ::CloseHandle(holder);
  EXPECT_EQ(observer.results, std::vector<int>{kivo::DR_DecompressInstallFailed});
  EXPECT_TRUE(log.saw(L"CDiskOutputer::writeEntryFile, cannot open " + target + L" after 5 renames"));
  EXPECT_EQ(readBytes(target), "held");
}

TEST_F(DecompressorTest, OnlyTheClientInTheInstallDirectoryCountsAsRunning) {
  MixerSetupDecompressor worker(nullptr);
  worker.setInstallDirectory(installDir());
  DWORD id = 1;
  EXPECT_FALSE(worker._isKivoRunning(id));
  EXPECT_EQ(id, 0u);

  ScratchDir elsewhere;
  Client other(elsewhere / L"KivoMixer.exe");
  ASSERT_TRUE(other.started());
  EXPECT_FALSE(worker._isKivoRunning(id));

  Client mine(dir_ / L"KivoMixer.exe");
  ASSERT_TRUE(mine.started());
  ASSERT_TRUE(worker._isKivoRunning(id));
  EXPECT_EQ(id, mine.id());

  // Closing the clients of this directory leaves the other one alone.
  EXPECT_TRUE(worker.closeRunningClients());
  EXPECT_TRUE(mine.waitForEnd(2000));
  EXPECT_TRUE(other.running());
}

TEST_F(DecompressorTest, QuitKivoAsksFirstAndTerminatesAfter500Ms) {
  const struct {
    const wchar_t* arguments;
    bool terminated;
  } cases[] = {{L"", false}, {L"-ignore-close", true}};
  for (const auto& c : cases) {
    ScratchDir where;
    Client client(where / L"KivoMixer.exe", c.arguments);
    ASSERT_TRUE(client.started());
    LogWatch log;
    const DWORD before = ::GetTickCount();
    MixerSetupDecompressor::_quitKivo(client.id());
    const DWORD took = ::GetTickCount() - before;
    EXPECT_TRUE(client.waitForEnd(1000)) << c.arguments;
    EXPECT_EQ(client.exitCode(), 0u);
    EXPECT_TRUE(log.saw(L"MixerSetupDecompressor::_quitKivo, post message (WM_APP + 601) to Kivo for quit."));
    EXPECT_EQ(log.saw(L"MixerSetupDecompressor::_quitKivo, WaitForSingleObject time-out, will terminate process."),
              c.terminated)
        << c.arguments;
    if (c.terminated) EXPECT_GE(took, 450u);
    else EXPECT_LT(took, 500u);
  }
}

TEST_F(DecompressorTest, QuitKivoOfAGoneProcessCountsItAsQuit) {
  LogWatch log;
  MixerSetupDecompressor::_quitKivo(0x7FFFFFF0);
  EXPECT_TRUE(log.saw(L"MixerSetupDecompressor::_quitKivo, OpenProcess return NULL, Kivo already quit."));
}

bool waitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 500; ++i) {
    if (condition()) return true;
    ::Sleep(10);
  }
  return condition();
}

TEST_F(DecompressorTest, WizardWorkerWaitsForTheUsersAnswerToARunningClient) {
  {  // Force quit: the client goes (even one that ignores the message) and extraction follows.
    Client client(dir_ / L"KivoMixer.exe", L"-ignore-close");
    ASSERT_TRUE(client.started());
    RecordingObserver observer(false);
    MixerSetupDecompressor worker(&observer);
    worker.setInstallDirectory(installDir());
    LogWatch log;
    worker.start(true);
    ASSERT_TRUE(waitFor([&] { return observer.runningCount() == 1; }));
    ::Sleep(50);
    EXPECT_TRUE(observer.resultList().empty());
    EXPECT_TRUE(client.running());
    worker.forceQuit();
    ASSERT_TRUE(waitFor([&] { return !observer.resultList().empty(); }));
    worker.stop();
    EXPECT_EQ(observer.results, std::vector<int>{kivo::DR_Success});
    EXPECT_FALSE(client.running());
    EXPECT_TRUE(log.saw(L"MixerSetupDecompressor::execute, aync decompress."));
    EXPECT_TRUE(log.saw(L"MixerSetupDecompressor::forceQuit, User want to force quit Kivo."));
    EXPECT_EQ(readBytes(dir_ / L"3.1.0.5\\KivoMixer.exe"), readBytes(kSampleApp + L"\\3.1.0.5\\KivoMixer.exe"));
  }
  {  // Cancel: the worker ends without reporting, the client keeps running.
    Client client(dir_ / L"KivoMixer.exe");
    ASSERT_TRUE(client.started());
    RecordingObserver observer(false);
    MixerSetupDecompressor worker(&observer);
    worker.setInstallDirectory(installDir());
    worker.start(true);
    ASSERT_TRUE(waitFor([&] { return observer.runningCount() == 1; }));
    worker.stop();
    EXPECT_TRUE(observer.results.empty());
    EXPECT_TRUE(observer.fractions.empty());
    EXPECT_TRUE(client.running());
  }
}

}  // namespace
