// Stand-in for the mixer client (a test fixture, never the real program).
//
// It owns a top-level window of the client's class, closes itself when the
// installer posts WM_APP + 601, and appends its command line to
// KivoMixer.starts.txt beside itself so that tests can see how it was
// started ("-reg" after a wizard installation).
//
//   KivoMixer.exe [-reg] [-ignore-close]
// -ignore-close makes it stay on the close message, so that the installer
// has to terminate it.
#include <windows.h>

#include <cwchar>
#include <string>

#include "sample_app/programs/record_line.h"

namespace {

const wchar_t kClientClass[] = L"TARLAN SPEAK MAIN FRAME | 4D1BB563-E5FC-4771-AD17-6442A4147044";
const UINT kQuitMessage = WM_APP + 601;
bool g_ignoreClose = false;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kQuitMessage) {
    if (!g_ignoreClose) ::DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR arguments, int) {
  sample_app::appendLineBesideModule(L"KivoMixer.starts.txt", ::GetCommandLineW());
  g_ignoreClose = std::wcsstr(arguments, L"-ignore-close") != nullptr;

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClientClass;
  if (!::RegisterClassW(&windowClass)) return 1;
  HWND window = ::CreateWindowExW(0, kClientClass, L"Kivo伴侣", WS_OVERLAPPEDWINDOW, 0, 0, 320, 200,
                                  nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 2;

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
