// Stand-in for the statistics program (a test fixture): appends its exact
// command line to installstat.txt beside itself and exits. When the
// environment names a record file (KIVO_INSTALLSTAT_RECORD), the line goes
// there too: an uninstall deletes the copy beside the program.
#include <windows.h>

#include "sample_app/programs/record_line.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  sample_app::appendLineBesideModule(L"installstat.txt", ::GetCommandLineW());
  wchar_t record[MAX_PATH] = {0};
  const DWORD length = ::GetEnvironmentVariableW(L"KIVO_INSTALLSTAT_RECORD", record, MAX_PATH);
  if (length > 0 && length < MAX_PATH) sample_app::appendLineTo(record, ::GetCommandLineW());
  return 0;
}
