#include "installer/mixer_setup_control.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "installer/mixer_setup_ui.h"
#include "installer/setup_settings.h"
#include "toolkit/core/tl_command_line.h"

namespace kivo {
namespace {

const wchar_t kSilenceOption[] = L"-silence";

}  // namespace

MixerSetupControl::MixerSetupControl()
    : MixerSetupControl([](ISetupObserver* observer) { return new MixerSetupCore(observer); }) {}

MixerSetupControl::MixerSetupControl(const CoreFactory& makeCore)
    : ui_(MixerSetupUI::instance()), core_(makeCore(this)) {
  ui_->setControl(this);
}

MixerSetupControl::~MixerSetupControl() {
  // The core's destruction runs the end-of-run steps; the windows go last.
  core_.reset();
  MixerSetupUI::release();
}

void MixerSetupControl::startSetup() { startSetup(::GetCommandLineW()); }

void MixerSetupControl::startSetup(const std::wstring& commandLine) {
  const int model = _analyzeInstallModel(commandLine);
  logPrintf(L"MixerSetupControl::startSetup, install model is %d.", model);
  if (model == kModelWizard) {
    initSetupPath();
    logPrintf(L"Async check environment.");
    ui_->showCheckUI();
    core_->startCheck(true);
  } else {
    core_->startCheck(false);
  }
}

int MixerSetupControl::_analyzeInstallModel(const std::wstring& commandLine) {
  std::vector<WString> tokens = tl::splitCommandLine(commandLine);
  // The first token is the program itself.
  if (!tokens.empty()) tokens.erase(tokens.begin());

  bool silent = false;
  const WString directory = tl::tokenAfter(tokens, kSilenceOption, &silent);
  core_->setSilence(silent);
  if (!silent) return kModelWizard;

  if (directory.empty()) {
    initSetupPath();
  } else {
    installDirectory_ = directory;
  }
  silence_ = 1;
  logPrintf(L"MixerSetupControl::_analyzeInstallModel, silence mode, setup path is %s",
            installDirectory_.c_str());
  return kModelSilent;
}

void MixerSetupControl::initSetupPath() {
  std::wstring directory;
  LPITEMIDLIST items = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_LOCAL_APPDATA, &items))) {
    directory = L"C:\\Program Files\\tarlan\\kivomixer";
  } else {
    wchar_t folder[MAX_PATH] = {0};
    if (::SHGetPathFromIDListW(items, folder)) directory = std::wstring(folder) + L"\\tarlan\\kivomixer";
    else directory = installDirectory_;
    ::CoTaskMemFree(items);
  }
  setSetupPath(directory);
  logPrintf(L"Initialized setup path is %s", installDirectory_.c_str());
}

void MixerSetupControl::quit(int exitCode) {
  logPrintf(L"Quit application, exit code is %d", exitCode);
  ::PostQuitMessage(exitCode);
}

void MixerSetupControl::runSilentDecompress() {
  if (!isValidInstallPath(installDirectory_)) {
    quit(kExitInvalidPath);
    return;
  }
  core_->setInstallDirectory(installDirectory_);
  core_->startDecompress(false);
}

// --- command interface -----------------------------------------------------

void MixerSetupControl::recheck(bool skipSingleInstanceTest) {
  core_->stopCheck();
  core_->startCheck(true, skipSingleInstanceTest);
}

void MixerSetupControl::stopCheck() { core_->stopCheck(); }

void MixerSetupControl::setSetupPath(const std::wstring& path) {
  installDirectory_ = path;
  core_->setInstallDirectory(path);
}

void MixerSetupControl::forceQuit() { core_->forceQuit(); }

void MixerSetupControl::startDecompress(bool newThread) { core_->startDecompress(newThread); }

void MixerSetupControl::stopDecompress() { core_->stopDecompress(); }

void MixerSetupControl::runKivoRun() { core_->runKivoRun(); }

void MixerSetupControl::setAutoRun() { core_->setAutoRun(); }

void MixerSetupControl::viewReleaseNote() { core_->viewReleaseNote(); }

void MixerSetupControl::collectTarlan() { core_->collectTarlan(); }

void MixerSetupControl::finishPageDone() {}

std::wstring MixerSetupControl::fullInstallerAddress() {
  wchar_t address[1024] = {0};
  _snwprintf(address, 1023, L"%s/kivomixer/install/%s/KivoMixerSetupFull%s.exe", kDownloadHost,
             kProductVersion, kProductVersion);
  return address;
}

void MixerSetupControl::openFullInstallerPage() {
  ::ShellExecuteW(nullptr, nullptr, fullInstallerAddress().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MixerSetupControl::setHomePage() { core_->setHomePage(); }

void MixerSetupControl::sendInstallStastics() { core_->sendInstallStastics(); }

// --- observer interface ----------------------------------------------------

void MixerSetupControl::onCheckResult(int result) {
  switch (result) {
    case CR_Success:
      logPrintf(L"Check result is CR_Success, and then prepare to decompress.");
      if (isSilence()) runSilentDecompress();
      else ui_->onPrepareShowMainUI(installDirectory_);
      break;
    case CR_SetupExist:
      logPrintf(L"Check result is CR_SetupExist");
      if (isSilence()) quit(kExitSetupExist);
      else ui_->onShowSetupExist();
      break;
    case CR_SetupVirtualCamUsing:
      logPrintf(L"Check result is CR_SetupVirtualCamUsing.");
      if (!isSilence()) ui_->onShowVirtualCamUsers();
      quit(kExitVirtualCamUsing);
      break;
    case CR_SetupInvalid:
      logPrintf(L"Check result is CR_SetupInvalid");
      if (isSilence()) quit(kExitSetupInvalid);
      else ui_->onShowSetupInvalid();
      break;
    default:
      break;
  }
}

void MixerSetupControl::onKivoRunning() {
  if (isSilence()) quit(kExitClientRunning);
  else ui_->onShowKivoRunning();
}

void MixerSetupControl::onDecompressProgress(double fraction, const std::wstring& text) {
  if (!isSilence()) ui_->progress(fraction, text);
}

void MixerSetupControl::onDecompressFail(const std::wstring& file) {
  logPrintf(L"MixerSetupControl::onDecompressFail, decompress fail, file is %s", file.c_str());
  if (isSilence()) quit(kExitDecompressFailed);
  else ui_->onShowRetryUI();
}

void MixerSetupControl::onDecompressFinish(int result) {
  switch (result) {
    case DR_Success:
      logPrintf(L"MixerSetupControl::onDecompressFinish, DR_Success.");
      core_->doAfterDecompress();
      if (isSilence()) quit(kExitOk);
      else ui_->onDecompressFinish();
      break;
    case DR_DecompressInstallFailed:
      logPrintf(L"MixerSetupControl::onDecompressFinish, DR_DecompressInstallFailed.");
      if (isSilence()) quit(kExitDecompressFailed);
      else ui_->onQuitSetup(DR_DecompressInstallFailed);
      break;
    case DR_DecompressComponentFailed:
      logPrintf(L"MixerSetupControl::onDecompressFinish, DR_DecompressComponentFailed.");
      if (isSilence()) quit(kExitDecompressFailed);
      else ui_->onQuitSetup(DR_DecompressComponentFailed);
      break;
    case DR_DownloadComponentFailed:
      logPrintf(L"MixerSetupControl::onDecompressFinish, DR_DownloadComponentFailed.");
      if (isSilence()) quit(kExitDecompressFailed);
      else ui_->onQuitSetup(DR_DownloadComponentFailed);
      break;
    default:
      break;
  }
}

}  // namespace kivo
