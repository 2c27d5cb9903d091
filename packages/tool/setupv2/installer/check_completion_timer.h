// A single-shot timer whose callback runs on the thread that created the
// timer (the UI thread), while it may be started from any thread.
//
// The checker starts it from its worker thread and needs the completion on
// the UI thread, where the windows live. It stands in for the toolkit timer
// until that exists; the checker only sees this small interface.
//
// Rules:
//  - create and destroy it on the UI thread; the callback runs there, from
//    the message loop;
//  - start() from any thread (re)arms it; stop() on the UI thread disarms;
//  - the callback runs at most once per start.
#pragma once

#include <windows.h>

#include <functional>

namespace kivo {

class CheckCompletionTimer {
 public:
  explicit CheckCompletionTimer(std::function<void()> callback);
  ~CheckCompletionTimer();

  CheckCompletionTimer(const CheckCompletionTimer&) = delete;
  CheckCompletionTimer& operator=(const CheckCompletionTimer&) = delete;

  bool start(UINT milliseconds);
  void stop();
  bool isActive() const { return active_ != 0; }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::function<void()> callback_;
  HWND window_ = nullptr;
  volatile LONG active_ = 0;
};

}  // namespace kivo
