// Stand-in for the statistics program (a test fixture): appends its exact
// command line to installstat.txt beside itself and exits.
#include <windows.h>

#include "sample_app/programs/record_line.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  sample_app::appendLineBesideModule(L"installstat.txt", ::GetCommandLineW());
  return 0;
}
