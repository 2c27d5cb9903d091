// The toolkit's application object: one per program, on the UI thread. It
// owns the thread's message queue and runs the message loop whose result
// (the WM_QUIT code) is the program's exit code.
#pragma once

namespace tl {

class TlApplication {
 public:
  TlApplication();
  ~TlApplication();

  TlApplication(const TlApplication&) = delete;
  TlApplication& operator=(const TlApplication&) = delete;

  // Runs until WM_QUIT and returns its code. A quit posted before the loop
  // started (a silent run) ends it at once.
  int exec();
};

}  // namespace tl
