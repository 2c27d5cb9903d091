#include "common/setup_thread.h"

#include <process.h>

namespace kivo {

SetupThread::~SetupThread() {
  // Derived destructors stop their own thread before their members go; this
  // is the last guard against a thread outliving its object's base.
  stop();
}

bool SetupThread::start(bool newThread, void* argument) {
  stop();
  ::InterlockedExchange(&stopFlag_, 0);
  argument_ = argument;
  if (!newThread) {
    run(argument_);
    return true;
  }
  const uintptr_t handle = ::_beginthreadex(nullptr, 0, &SetupThread::threadMain, this, 0, &threadId_);
  thread_ = reinterpret_cast<HANDLE>(handle);
  return thread_ != nullptr;
}

void SetupThread::stop() {
  ::InterlockedExchange(&stopFlag_, 1);
  // A worker that stops itself must not wait for its own end.
  if (thread_ != nullptr && ::GetCurrentThreadId() != threadId_) {
    ::WaitForSingleObject(thread_, INFINITE);
    ::CloseHandle(thread_);
  }
  thread_ = nullptr;
  threadId_ = 0;
  argument_ = nullptr;
}

unsigned __stdcall SetupThread::threadMain(void* self) {
  SetupThread* thread = static_cast<SetupThread*>(self);
  thread->run(thread->argument_);
  return 0;
}

}  // namespace kivo
