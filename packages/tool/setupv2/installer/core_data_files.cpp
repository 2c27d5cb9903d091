// MixerSetupCore: what the installation does with its data files after
// extraction: the program and the filter copies, and the state flags that
// the client reads from setup.ini.
#include <windows.h>

#include "common/files/file_utils.h"
#include "common/log/log_file.h"
#include "installer/mixer_setup_core.h"
#include "installer/statistics/setup_ini.h"

namespace kivo {
namespace {

// Copied from the version directory into D\Stable, in this order.
const wchar_t* const kStableFiles[] = {L"KivoVirtualCam.ax", L"mpasplitter.ax", L"avcodec-53.dll",
                                       L"swscale-2.dll", L"avutil-51.dll"};

// A loaded filter blocks its file; each retry takes the next free number.
// Enough for any realistic number of programs holding old copies, and a
// bound so that a failing disk cannot keep the loop going.
const int kMaxFilterCopies = 1000;

bool copyLogged(const std::wstring& source, const std::wstring& destination, bool& inUse) {
  const bool ok = copyFile(source, destination, inUse);
  logPrintf(L"MixerSetupCore::_modifyDirStructure, copy [%s] to [%s] , result is %d, bFileInUsed=%d",
            source.c_str(), destination.c_str(), ok ? 1 : 0, inUse ? 1 : 0);
  return ok;
}

}  // namespace

void MixerSetupCore::_modifyDirStructure() {
  const std::wstring& versionDir = paths_[kPathVersionDir];
  const std::wstring& stableDir = paths_[kPathStableDir];
  if (!fileExists(stableDir)) createDirectoryTree(stableDir);

  bool inUse = false;
  copyFile(paths_[kPathVersionExe], paths_[kPathRootExe], inUse);
  std::wstring runtimeFrom = versionDir;
  std::wstring runtimeTo = paths_[kPathInstallDir];
  appendPath(runtimeFrom, L"Microsoft.VC90.CRT");
  appendPath(runtimeTo, L"Microsoft.VC90.CRT");
  copyDirectory(runtimeFrom, runtimeTo);

  axFile_.clear();
  for (const wchar_t* name : kStableFiles) {
    std::wstring source = versionDir;
    std::wstring destination = stableDir;
    appendPath(source, name);
    appendPath(destination, name);
    const bool ok = copyLogged(source, destination, inUse);
    if (std::wstring(name) != L"KivoVirtualCam.ax") continue;
    if (ok) {
      axFile_ = destination;
      continue;
    }
    for (int counter = 1; inUse && counter <= kMaxFilterCopies; ++counter) {
      const std::wstring numbered = destination + std::to_wstring(counter);
      if (copyLogged(source, numbered, inUse)) {
        axFile_ = numbered;
        break;
      }
    }
  }
}

void MixerSetupCore::writeStateFlags() {
  setIniValue(L"IfInstalled", L"0");
  setIniValue(L"NeedCleanOldVersion", L"1");
  setIniValue(L"EnableShowGuideWindow", decompressor_->silence() ? L"0" : L"1");
}

}  // namespace kivo
