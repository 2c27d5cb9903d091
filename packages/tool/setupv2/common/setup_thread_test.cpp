#include "common/setup_thread.h"

#include <gtest/gtest.h>

namespace {

class CountingWorker : public kivo::SetupThread {
 public:
  ~CountingWorker() override { stop(); }
  volatile LONG runs = 0;
  DWORD ranOn = 0;
  void* argumentSeen = nullptr;
  bool pollUntilStopped = false;
  volatile LONG polls = 0;

 protected:
  void run(void* argument) override {
    ranOn = ::GetCurrentThreadId();
    argumentSeen = argument;
    while (pollUntilStopped && !stopRequested()) {
      ::InterlockedIncrement(&polls);
      ::Sleep(1);
    }
    ::InterlockedIncrement(&runs);
  }
};

TEST(SetupThreadTest, InlineStartRunsOnTheCallersThread) {
  CountingWorker worker;
  int argument = 0;
  EXPECT_TRUE(worker.start(false, &argument));
  EXPECT_EQ(worker.runs, 1);
  EXPECT_EQ(worker.ranOn, ::GetCurrentThreadId());
  EXPECT_EQ(worker.argumentSeen, &argument);
  EXPECT_FALSE(worker.running());
}

TEST(SetupThreadTest, NewThreadRunsElsewhereAndStopJoinsIt) {
  CountingWorker worker;
  worker.pollUntilStopped = true;
  ASSERT_TRUE(worker.start(true));
  while (worker.polls == 0) ::Sleep(1);
  EXPECT_TRUE(worker.running());
  worker.stop();
  EXPECT_EQ(worker.runs, 1);  // run() finished before stop() returned
  EXPECT_NE(worker.ranOn, ::GetCurrentThreadId());
  EXPECT_FALSE(worker.running());
}

TEST(SetupThreadTest, CanBeStoppedWithoutStartAndRestartedAfterStop) {
  CountingWorker worker;
  worker.stop();
  worker.pollUntilStopped = true;
  ASSERT_TRUE(worker.start(true));
  worker.stop();
  // A fresh start clears the stop flag left by the previous stop.
  worker.pollUntilStopped = false;
  ASSERT_TRUE(worker.start(true));
  worker.stop();
  EXPECT_EQ(worker.runs, 2);
}

}  // namespace
