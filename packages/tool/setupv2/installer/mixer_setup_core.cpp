#include "installer/mixer_setup_core.h"

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "installer/setup_interfaces.h"
#include "installer/setup_settings.h"

namespace kivo {

MixerSetupCore::MixerSetupCore(ISetupObserver* observer)
    : checker_(new MixerSetupChecker(observer)),
      decompressor_(new MixerSetupDecompressor(observer)) {}

MixerSetupCore::~MixerSetupCore() {
  if (decompressFinished_) {
    _writeRegedit();
    RegsvrAxCom();
  }
  checker_->stop();
  decompressor_->stop();
  checker_.reset();
  decompressor_.reset();
}

void MixerSetupCore::setInstallDirectory(const std::wstring& directory) {
  installDirectory_ = directory;
  if (installDirectory_.empty() || installDirectory_.back() != L'\\') installDirectory_ += L'\\';

  auto under = [this](std::initializer_list<const wchar_t*> components) {
    std::wstring p = installDirectory_;
    for (const wchar_t* c : components) appendPath(p, c);
    return p;
  };
  paths_[kPathInstallDir] = installDirectory_;
  paths_[kPathVersionDir] = under({kProductVersion});
  paths_[kPathStableDir] = under({L"Stable"});
  paths_[kPathUserDataDir] = userDataDirectory();
  paths_[kPathVersionExe] = under({kProductVersion, L"KivoMixer.exe"});
  paths_[kPathRootExe] = under({L"KivoMixer.exe"});
  paths_[kPathUninstaller] = under({L"Uninstall.exe"});
  paths_[kPathReleaseNote] = under({kProductVersion, L"ReleaseNotes.txt"});
  paths_[kPathCheckDir] = under({L"Check"});

  checker_->setInstallDirectory(installDirectory_);
  decompressor_->setInstallDirectory(installDirectory_);
}

void MixerSetupCore::setSilence(bool silence) { decompressor_->setSilence(silence); }

void MixerSetupCore::startCheck(bool newThread, bool skipSingleInstanceTest) {
  checker_->setSkipSingleInstanceTest(skipSingleInstanceTest);
  checker_->start(newThread);
}

void MixerSetupCore::stopCheck() { checker_->stop(); }

void MixerSetupCore::startDecompress(bool newThread) { decompressor_->start(newThread); }

void MixerSetupCore::stopDecompress() { decompressor_->stop(); }

void MixerSetupCore::forceQuit() { decompressor_->forceQuit(); }

void MixerSetupCore::doAfterDecompress() {
  logPrintf(L"MixerSetupCore::doAfterDecompress, decompress finished.");
  decompressFinished_ = true;
  // The data files, shortcuts, migration, statistics and state flags follow
  // here, each independent of the others' success.
}

std::wstring MixerSetupCore::path(int index) const {
  if (index < 0 || index >= kPathCount) return std::wstring();
  return paths_[index];
}

// The system integration fills these in; they are named here so that the
// control and the windows can already be wired to them.
void MixerSetupCore::runKivoRun() {}
void MixerSetupCore::setAutoRun(bool) {}
void MixerSetupCore::viewReleaseNote() {}
void MixerSetupCore::collectTarlan(bool) {}
void MixerSetupCore::setHomePage() {}
void MixerSetupCore::sendInstallStastics() {}

void MixerSetupCore::_writeRegedit() {}

void MixerSetupCore::RegsvrAxCom() {}

}  // namespace kivo
