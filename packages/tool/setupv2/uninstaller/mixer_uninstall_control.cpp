#include "uninstaller/mixer_uninstall_control.h"

#include <windows.h>
#include <shlwapi.h>

#include "common/log/log_file.h"
#include "toolkit/core/tl_command_line.h"
#include "uninstaller/uninstall_model.h"

namespace kivo {

MixerUninstallControl::MixerUninstallControl()
    : core_(new MixerUninstallCore(this)), ui_(new MixerUninstallUI()) {
  ui_->setControl(this);
}

MixerUninstallControl::~MixerUninstallControl() {
  core_.reset();
  ui_.reset();
}

void MixerUninstallControl::uninstall() { uninstall(::GetCommandLineW()); }

void MixerUninstallControl::uninstall(const std::wstring& commandLine) {
  core_->sendInstallStastics();
  model_ = _analyzeUninstallModel(commandLine);
  logPrintf(L"MixerUninstallControl::uninstall, run model is %d.", model_);

  switch (model_) {
    case kModelPrompt:
      _initPath();
      core_->unRegsvrAxComM();
      ui_->showPromptWindow();
      return;
    case kModelSilent:
      _initPath();
      core_->unRegsvrAxComM();
      core_->setSilent(true);
      core_->prepareUninstall();
      ::PostQuitMessage(0);
      return;
    case kModelDelete:
      ui_->showMainWindow();
      core_->startClean(true);
      return;
    case kModelSilentDelete:
      core_->setSilent(true);
      core_->startClean(false);
      // A silent removal (what package managers run) must leave the
      // machine as clean as an interactive one.
      finishActions();
      ::PostQuitMessage(0);
      return;
  }
}

int MixerUninstallControl::_analyzeUninstallModel(const std::wstring& commandLine) {
  const UninstallRun run = analyzeUninstallModel(
      tl::splitCommandLine(commandLine), [](const std::wstring& path) { return ::PathFileExistsW(path.c_str()) != 0; });
  if (run.model == kModelDelete || run.model == kModelSilentDelete) core_->setPath(run.path);
  return run.model;
}

void MixerUninstallControl::_initPath() {
  wchar_t self[MAX_PATH] = {0};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder = self;
  const std::wstring::size_type cut = folder.rfind(L'\\');
  if (cut != std::wstring::npos) folder.resize(cut + 1);
  logPrintf(L"MixerUninstallControl::_initPath, current path is : %s", folder.c_str());
  core_->setPath(folder);
}

void MixerUninstallControl::finishActions() {
  if (!core_->cleanDeletionRan()) return;
  core_->deleteRegeditInfo();
  core_->deleteShortcuts();
}

void MixerUninstallControl::startCheck() { core_->startCheck(true); }

void MixerUninstallControl::onKivoMixerRunning() {
  ui_->showMixerRunning(L"\u8bf7\u9000\u51faKivo\u4f34\u4fa3\uff0c\u518d\u8fdb\u884c\u5378\u8f7d");
}

void MixerUninstallControl::onCheckPassed() {
  ui_->closePromptWindow();
  core_->prepareUninstall();
}

void MixerUninstallControl::onCheckNotice(const std::wstring& text) { ui_->showMixerRunning(text); }

void MixerUninstallControl::onCleanProgress(const std::wstring& text, int index, int total) {
  ::Sleep(1);
  ui_->postCleanProgress(text, index, total);
}

void MixerUninstallControl::onCleanFinish() {
  finishActions();
  ui_->postCleanFinish();
}

}  // namespace kivo
