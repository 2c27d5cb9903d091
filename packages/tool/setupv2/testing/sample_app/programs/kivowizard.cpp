// Stand-in for the migration program an older installation leaves behind
// (a test fixture, not part of the payload): appends its exact command line
// to kivowizard.txt beside itself, stays a moment so that a caller's wait
// is observable, and exits. While a file kivowizard.block lies beside it,
// it keeps running: tests use that to stop an installer half-way.
#include <windows.h>

#include <string>

#include "sample_app/programs/record_line.h"

namespace {

std::wstring besideModule(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {0};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text = path;
  return text.substr(0, text.find_last_of(L'\\') + 1) + name;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  ::Sleep(300);
  sample_app::appendLineBesideModule(L"kivowizard.txt", ::GetCommandLineW());
  const std::wstring block = besideModule(L"kivowizard.block");
  while (::GetFileAttributesW(block.c_str()) != INVALID_FILE_ATTRIBUTES) ::Sleep(50);
  return 0;
}
