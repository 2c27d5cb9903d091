#include "installer/check_completion_timer.h"

namespace kivo {
namespace {

const wchar_t kWindowClass[] = L"KivoCheckCompletionTimer";
const UINT kStartMessage = WM_APP + 1;
const UINT_PTR kTimerId = 1;

void registerClassOnce() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kWindowClass;
  ::RegisterClassW(&wc);
  registered = true;
}

}  // namespace

CheckCompletionTimer::CheckCompletionTimer(std::function<void()> callback)
    : callback_(std::move(callback)) {
  registerClassOnce();
  // A message-only window: invisible, never enumerated, owned by this thread.
  window_ = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
  if (window_ != nullptr) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProc));
  }
}

CheckCompletionTimer::~CheckCompletionTimer() {
  if (window_ != nullptr) {
    ::KillTimer(window_, kTimerId);
    ::DestroyWindow(window_);
  }
}

bool CheckCompletionTimer::start(UINT milliseconds) {
  if (window_ == nullptr) return false;
  ::InterlockedExchange(&active_, 1);
  // SetTimer works only for windows of the calling thread: let the window's
  // own thread arm it.
  return ::PostMessageW(window_, kStartMessage, milliseconds, 0) != FALSE;
}

void CheckCompletionTimer::stop() {
  ::InterlockedExchange(&active_, 0);
  if (window_ != nullptr) ::KillTimer(window_, kTimerId);
}

LRESULT CALLBACK CheckCompletionTimer::windowProc(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
  auto* self = reinterpret_cast<CheckCompletionTimer*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && message == kStartMessage) {
    if (self->active_) ::SetTimer(window, kTimerId, static_cast<UINT>(wParam), nullptr);
    return 0;
  }
  if (self != nullptr && message == WM_TIMER && wParam == kTimerId) {
    ::KillTimer(window, kTimerId);
    if (::InterlockedExchange(&self->active_, 0) != 0 && self->callback_) self->callback_();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kivo
