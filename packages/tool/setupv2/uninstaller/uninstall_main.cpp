// Uninstall entry point. The removal itself (run models, self-copy,
// deletion) is built on this start-up.
#include <windows.h>
#include <shlwapi.h>

#include "common/log/log_file.h"
#include "common/system/system_library.h"
#include "toolkit/app/tl_application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  kivo::restrictDllSearchToSystem32();

  kivo::LogFile::instance().setFileName(L"unistV2.log");
  logPrintf(L"\r\n\r\nUninstall start, command line is %s", ::PathGetArgsW(::GetCommandLineW()));

  tl::TlApplication application;
  ::PostQuitMessage(0);
  return application.exec();
}
