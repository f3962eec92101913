// TThread, work on a thread of its own, and Synchronize, which runs a step of that work on the user-interface
// thread. Only Execute runs off that thread; everything it does to windows, canvases or shared objects goes
// through Synchronize.
#pragma once

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>

#include "classlib/core/events.h"
#include "classlib/core/object.h"

namespace cl {

// The message the synchronisation window gets from a thread that asks for a step (lParam: the request).
constexpr UINT CM_THREADSYNCHRONIZE = 0x8FFF;

class TThread : public TObject {
  CL_CLASS(TThread, TObject)
 public:
  // The system thread is made by the first Resume, so a thread that is never started costs none; AfterConstruction
  // starts it unless createSuspended (create with New).
  explicit TThread(bool createSuspended);
  ~TThread() override;
  void AfterConstruction() override;
  // Freeing a thread that still runs terminates it, resumes it when suspended and waits for its end (it no
  // longer frees itself then); a thread that frees itself (FreeOnTerminate) does not wait for itself.
  void BeforeDestruction() override;

  void Resume();
  void Suspend();
  bool Suspended() const { return FSuspended; }
  // Asks Execute to end; it checks Terminated.
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  // Waits for the end of Execute and answers ReturnValue (at once for a thread never started). On the
  // user-interface thread the wait serves Synchronize calls (and any other sent message). Raises EThread on the
  // thread itself.
  int WaitFor();

  // 0 (idle) to 6 (time critical), 3 being normal.
  int Priority() const { return FPriority; }
  void SetPriority(int priority);
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
  int ReturnValue() const { return FReturnValue; }
  // What escaped Execute, or null.
  std::exception_ptr FatalException() const { return FFatalException; }
  // Null and 0 until the first Resume.
  HANDLE Handle() const { return FHandle; }
  DWORD ThreadID() const { return FThreadID; }
  // Fired through Synchronize when Execute has ended, the thread as Sender.
  TNotifyEvent OnTerminate;

 protected:
  virtual void Execute() = 0;
  void SetReturnValue(int value) { FReturnValue = value; }
  void Synchronize(const std::function<void()>& method);

 private:
  static DWORD WINAPI ThreadProc(void* parameter) noexcept;
  void CreateSystemThread();

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  bool FCreateSuspended;
  std::atomic<bool> FSuspended{true};
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFreeOnTerminate{false};
  int FPriority = 3;
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
};

// Runs method on the user-interface thread and waits for it: directly there, else through the
// synchronisation window, which serves it in whatever message retrieval that thread is in. An exception of
// method is raised again in the caller. Never call it holding a lock the user-interface thread may wait for.
void Synchronize(const std::function<void()>& method);

// On the user-interface thread: runs the Synchronize steps other threads wait for, waiting up to timeoutMs for
// one when none waits yet. No other message is taken off the queue.
void ServeSynchronize(DWORD timeoutMs);

// Waits for handle (a thread, say); on the user-interface thread the Synchronize steps of other threads are
// served meanwhile.
void WaitServingSynchronize(HANDLE handle);

// Made by Initialize and destroyed by Finalize: the window that serves Synchronize.
void StartThreadSynchronization();
void StopThreadSynchronization();

}  // namespace cl
