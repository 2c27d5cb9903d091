// Result codes, run modes and window messages of the installer. The numeric
// values are fixed: windows and logs depend on them.
#pragma once

#include <windows.h>

namespace kivo {

enum InstallModel { kModelWizard = 0, kModelSilent = 1 };

enum CheckResult {
  CR_Success = 0,
  CR_SetupExist = 1,
  CR_SetupVirtualCamUsing = 2,
  CR_SetupInvalid = 3,
};

enum DecompressResult {
  DR_Success = 0,
  DR_DecompressInstallFailed = 1,
  DR_DecompressComponentFailed = 2,
  DR_DownloadComponentFailed = 3,
};

// Posted, never sent. A heap value carried in wParam/lParam belongs to the
// receiving window, which deletes it.
enum SetupMessage : UINT {
  MSG_SETUP_INVALID = WM_USER + 101,
  MSG_SETUP_EXIST = WM_USER + 102,
  MSG_SHOW_MAIN_UI = WM_USER + 104,         // wParam: new std::wstring (directory)
  MSG_KIVO_RUNNING = WM_USER + 105,
  MSG_RETRY_DECOMPRESS = WM_USER + 106,
  MSG_DECOMPRESS_PROGRESS = WM_USER + 107,  // wParam: new double, lParam: new std::wstring
  MSG_DECOMPRESS_FINISH = WM_USER + 108,
  MSG_QUIT_SETUP = WM_USER + 111,           // wParam: DecompressResult (1..3)
  MSG_AX_USIMG = WM_USER + 112,
};

// Process exit codes of a run.
enum SetupExitCode {
  kExitOk = 0,
  kExitSetupExist = -1,
  kExitSetupInvalid = -2,
  kExitInvalidPath = -3,
  kExitClientRunning = -4,
  kExitDecompressFailed = -5,
  kExitVirtualCamUsing = -6,
};

}  // namespace kivo
