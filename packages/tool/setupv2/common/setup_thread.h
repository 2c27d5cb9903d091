// The worker base of both programs' background jobs (checks, extraction,
// deletion).
//
// start() runs run() either inline on the caller's thread or on a new
// thread; stop() raises the stop flag that run() polls and then waits,
// without a time-out, for the thread to end. A worker reaches windows only
// by posting messages.
#pragma once

#include <windows.h>

namespace kivo {

class SetupThread {
 public:
  SetupThread() = default;
  virtual ~SetupThread();

  SetupThread(const SetupThread&) = delete;
  SetupThread& operator=(const SetupThread&) = delete;

  // Returns false only when a new thread was asked for and could not be
  // started. A previous thread is stopped first.
  bool start(bool newThread, void* argument = nullptr);
  void stop();

  bool stopRequested() const { return stopFlag_ != 0; }
  bool running() const { return thread_ != nullptr; }

 protected:
  virtual void run(void* argument) = 0;

 private:
  static unsigned __stdcall threadMain(void* self);

  HANDLE thread_ = nullptr;
  volatile LONG stopFlag_ = 0;
  unsigned threadId_ = 0;
  void* argument_ = nullptr;
};

}  // namespace kivo
