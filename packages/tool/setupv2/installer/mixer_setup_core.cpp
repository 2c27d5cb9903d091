#include "installer/mixer_setup_core.h"

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "installer/effect_list_merge.h"
#include "installer/setup_interfaces.h"
#include "installer/setup_settings.h"
#include "installer/statistics/install_statistics.h"
#include "installer/statistics/setup_ini.h"

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
  checker_->start(newThread, skipSingleInstanceTest);
}

void MixerSetupCore::stopCheck() { checker_->stop(); }

void MixerSetupCore::startDecompress(bool newThread) { decompressor_->start(newThread); }

void MixerSetupCore::stopDecompress() { decompressor_->stop(); }

void MixerSetupCore::forceQuit() { decompressor_->forceQuit(); }

void MixerSetupCore::doAfterDecompress() {
  logPrintf(L"MixerSetupCore::doAfterDecompress, decompress finished.");
  decompressFinished_ = true;
  _modifyDirStructure();
  mergeEffectList();
  _createShortcut();
  refreshPinnedShortcuts();
  _do3XUpdate();
  runInstallstat();
  sendInstallStastics();
  writeStateFlags();
}

void MixerSetupCore::mergeEffectList() {
  kivo::mergeEffectList(paths_[kPathVersionDir], paths_[kPathUserDataDir]);
}

std::wstring MixerSetupCore::path(int index) const {
  if (index < 0 || index >= kPathCount) return std::wstring();
  return paths_[index];
}

void MixerSetupCore::sendInstallStastics() {
  const std::wstring address = statisticsAddress(kStatisticsHost, readMacId(), kProductVersion, true);
  sendStatisticsRequest(address);
  logPrintf(L"MixerSetupCore::sendInstallStastics, url %s.", address.c_str());
}

}  // namespace kivo
