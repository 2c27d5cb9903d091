// Stand-in for the migration program an older installation leaves behind
// (a test fixture, not part of the payload): appends its exact command line
// to kivowizard.txt beside itself, stays a moment so that a caller's wait
// is observable, and exits.
#include <windows.h>

#include "sample_app/programs/record_line.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  ::Sleep(300);
  sample_app::appendLineBesideModule(L"kivowizard.txt", ::GetCommandLineW());
  return 0;
}
