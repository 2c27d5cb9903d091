// The installation core: owns the checker and the extraction worker, knows
// every path derived from the install directory, and runs the post-install
// steps. Its destruction (main thread, end of run) writes the registry
// values and registers the filter, but only when extraction finished in
// this run.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "installer/mixer_setup_checker.h"
#include "installer/mixer_setup_decompressor.h"

namespace kivo {

class ISetupObserver;

// Indexes into the core's path table. D is the install directory.
enum SetupPath {
  kPathInstallDir = 0,   // D with a trailing backslash
  kPathVersionDir = 1,   // D\3.1.0.5
  kPathStableDir = 2,    // D\Stable
  kPathUserDataDir = 3,  // %APPDATA%\tarlan\kivomixer (created when computed)
  kPathVersionExe = 4,   // D\3.1.0.5\KivoMixer.exe
  kPathRootExe = 5,      // D\KivoMixer.exe
  kPathUninstaller = 6,  // D\Uninstall.exe
  kPathReleaseNote = 7,  // D\3.1.0.5\ReleaseNotes.txt
  kPathCheckDir = 8,     // D\Check
  kPathCount = 9,
};

class MixerSetupCore {
 public:
  explicit MixerSetupCore(ISetupObserver* observer);
  virtual ~MixerSetupCore();

  MixerSetupCore(const MixerSetupCore&) = delete;
  MixerSetupCore& operator=(const MixerSetupCore&) = delete;

  void setInstallDirectory(const std::wstring& directory);
  void setSilence(bool silence);
  void startCheck(bool newThread, bool skipSingleInstanceTest = false);
  void stopCheck();
  void startDecompress(bool newThread);
  void stopDecompress();
  void forceQuit();
  virtual void doAfterDecompress();

  // Post-install operations that the windows reach through the control.
  // runKivoRun starts the client with "-reg"; the others are offered to the
  // windows but none of this system's windows calls them.
  virtual void runKivoRun();
  virtual void setAutoRun();
  virtual void viewReleaseNote();
  virtual void collectTarlan();
  virtual void setHomePage();
  virtual void sendInstallStastics();

  // An index above the table yields an empty string.
  std::wstring path(int index) const;
  bool decompressFinished() const { return decompressFinished_; }

 protected:
  // The steps of doAfterDecompress, in their order. None stops the next.
  void _modifyDirStructure();
  virtual void mergeEffectList();
  void _createShortcut();
  void refreshPinnedShortcuts();
  void _do3XUpdate();
  void runInstallstat();
  void writeStateFlags();

  // End-of-run steps, called by the destructor.
  void _writeRegedit();
  void RegsvrAxCom();

  // EstimatedSize of the uninstall entry.
  ULONGLONG estimatedKilobytes() const;

  const std::wstring& axFile() const { return axFile_; }
  const std::wstring& appFile() const { return appFile_; }

 private:
  std::unique_ptr<MixerSetupChecker> checker_;
  std::unique_ptr<MixerSetupDecompressor> decompressor_;
  std::wstring installDirectory_;
  std::wstring paths_[kPathCount];
  std::wstring axFile_;
  std::wstring reserved1_;
  std::wstring reserved2_;
  bool decompressFinished_ = false;
  std::wstring appFile_;
};

}  // namespace kivo
