// TThread and Synchronize: steps of a worker run on the user-interface thread while it waits, exceptions stay on
// the thread they belong to, and freed threads leave no system thread behind.
#include "classlib/win/threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>

#include "classlib/core/exceptions.h"
#include "classlib/test/pump.h"

namespace {

using namespace cl;

// A thread whose Execute is the function it is given.
class TFunctionThread : public TThread {
  CL_CLASS(TFunctionThread, TThread)
 public:
  TFunctionThread(std::function<void(TFunctionThread&)> body, bool createSuspended,
                  std::atomic<bool>* destroyed = nullptr)
      : TThread(createSuspended), FBody(std::move(body)), FDestroyed(destroyed) {}
  ~TFunctionThread() override {
    if (FDestroyed) *FDestroyed = true;
  }
  using TThread::SetReturnValue;
  using TThread::Synchronize;

 protected:
  void Execute() override { FBody(*this); }

 private:
  std::function<void(TFunctionThread&)> FBody;
  std::atomic<bool>* FDestroyed;
};

// A handle of the system thread that outlives the object, to see that thread end.
HANDLE DuplicateThreadHandle(TThread* thread) {
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), thread->Handle(), GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0);
  return copy;
}

bool Ended(HANDLE thread) {
  const bool ended = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
  CloseHandle(thread);
  return ended;
}

TEST(Threads, SynchronizedStepsAndTheEndEventRunOnTheGuiThreadWhileItWaits) {
  DWORD worker = 0, step = 0, endEvent = 0;
  auto* thread = New<TFunctionThread>(
      [&](TFunctionThread& self) {
        worker = GetCurrentThreadId();
        self.Synchronize([&] { step = GetCurrentThreadId(); });
        self.SetReturnValue(7);
      },
      true);
  thread->OnTerminate = TNotifyEvent([&](TObject* sender) {
    EXPECT_EQ(sender, thread);
    endEvent = GetCurrentThreadId();
  });
  EXPECT_TRUE(thread->Suspended());
  thread->Resume();
  EXPECT_EQ(thread->WaitFor(), 7);
  EXPECT_NE(worker, GetCurrentThreadId());
  EXPECT_EQ(step, GetCurrentThreadId());
  EXPECT_EQ(endEvent, GetCurrentThreadId());
  EXPECT_EQ(thread->FatalException(), nullptr);
  Free(thread);
}

TEST(Threads, ExceptionsReachTheWorkerOrItsBoundaryButNotTheProcess) {
  std::string fromStep, fromOwnWait;
  auto* thread = New<TFunctionThread>(
      [&](TFunctionThread& self) {
        try {
          self.Synchronize([] { throw EConvertError("step failed"); });
        } catch (const EConvertError& e) {
          fromStep = e.Message();
        }
        try {
          self.WaitFor();
        } catch (const EThread& e) {
          fromOwnWait = e.Message();
        }
        throw Exception("escaped");
      },
      false);
  thread->WaitFor();
  EXPECT_EQ(fromStep, "step failed");
  EXPECT_EQ(fromOwnWait, "Cannot wait for the own thread");
  ASSERT_NE(thread->FatalException(), nullptr);
  try {
    std::rethrow_exception(thread->FatalException());
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "escaped");
  }
  Free(thread);
}

TEST(Threads, SynchronizeIsServedByALoopThatTakesOnlyItsOwnMessage) {
  // The wait of an image that stops its painters takes nothing but message 0x8FFF off the queue.
  std::atomic<bool> done{false};
  DWORD step = 0;
  auto* thread = New<TFunctionThread>(
      [&](TFunctionThread& self) {
        self.Synchronize([&] { step = GetCurrentThreadId(); });
        done = true;
      },
      false);
  PostMessageA(nullptr, WM_USER, 0, 0);
  const DWORD until = GetTickCount() + 5000;
  while (!done && GetTickCount() < until) ServeSynchronize(10);
  EXPECT_TRUE(done);
  MSG message;
  EXPECT_EQ(step, GetCurrentThreadId());
  EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_REMOVE)) << "other input stays queued";
  Free(thread);
}

TEST(Threads, FreedThreadsEndTheirSystemThread) {
  // A running thread is told to stop and waited for.
  std::atomic<bool> started{false}, stopped{false};
  auto* running = New<TFunctionThread>(
      [&](TFunctionThread& self) {
        started = true;
        while (!self.Terminated()) Sleep(1);
        stopped = true;
      },
      false);
  HANDLE system = DuplicateThreadHandle(running);
  while (!started) Sleep(1);
  Free(running);
  EXPECT_TRUE(stopped);
  EXPECT_TRUE(Ended(system));

  // A thread never started has no system thread and never runs its work.
  bool ran = false;
  auto* suspended = New<TFunctionThread>([&](TFunctionThread&) { ran = true; }, true);
  suspended->SetPriority(1);
  EXPECT_EQ(suspended->Handle(), nullptr);
  EXPECT_EQ(suspended->WaitFor(), 0);
  Free(suspended);
  EXPECT_FALSE(ran);

  // A thread that frees itself, its end event served by the message loop.
  std::atomic<bool> destroyed{false};
  bool ended = false;
  int priority = THREAD_PRIORITY_ERROR_RETURN;
  auto* selfFreeing = New<TFunctionThread>(
      [&](TFunctionThread&) {
        priority = GetThreadPriority(GetCurrentThread());
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &system, SYNCHRONIZE, FALSE, 0);
      },
      true, &destroyed);
  selfFreeing->SetFreeOnTerminate(true);
  selfFreeing->SetPriority(2);
  selfFreeing->OnTerminate = TNotifyEvent([&](TObject*) { ended = true; });
  system = nullptr;
  selfFreeing->Resume();
  EXPECT_TRUE(test::PumpUntil([&] { return destroyed.load(); }));
  EXPECT_TRUE(ended);
  EXPECT_EQ(priority, THREAD_PRIORITY_BELOW_NORMAL) << "a priority set before the start holds";
  EXPECT_TRUE(Ended(system));
}

}  // namespace
