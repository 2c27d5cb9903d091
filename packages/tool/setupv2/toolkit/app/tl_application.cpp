#include "toolkit/app/tl_application.h"

#include <windows.h>

namespace tl {

TlApplication::TlApplication() {
  // Creates the thread's queue now, so that workers can post thread
  // messages to it before the loop runs.
  MSG msg;
  ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
}

TlApplication::~TlApplication() = default;

int TlApplication::exec() {
  MSG msg;
  for (;;) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return -1;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace tl
