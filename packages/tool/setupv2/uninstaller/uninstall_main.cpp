// Uninstall entry point.
#include <windows.h>
#include <shlwapi.h>

#include "common/log/log_file.h"
#include "common/system/font_probe.h"
#include "common/system/system_library.h"
#include "toolkit/app/tl_application.h"
#include "uninstaller/mixer_uninstall_control.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  kivo::restrictDllSearchToSystem32();

  kivo::LogFile::instance().setFileName(L"unistV2.log");
  logPrintf(L"\r\n\r\nUninstall start, command line is %s", ::PathGetArgsW(::GetCommandLineW()));

  int exitCode = 0;
  {
    tl::TlApplication application;
    kivo::probeFontAvailable();
    {
      kivo::MixerUninstallControl control;
      control.uninstall();
      exitCode = application.exec();
    }
  }
  // The last line of every run: the second process is detached, and this
  // is how an observer learns that it has finished.
  logPrintf(L"Uninstall end, exit code is %d", exitCode);
  return exitCode;
}
