#include "classlib/win/threads.h"

#include "classlib/core/exceptions.h"
#include "classlib/win/application.h"
#include "classlib/win/util_window.h"

namespace cl {
namespace {

HWND syncWindow = nullptr;

struct SyncRequest {
  const std::function<void()>* Method;
  std::exception_ptr Error;
};

void ServeSyncRequest(TMessage& message) {
  if (message.Msg != CM_THREADSYNCHRONIZE) {
    message.Result = DefWindowProcA(syncWindow, message.Msg, message.WParam, message.LParam);
    return;
  }
  // Requests come only sent from another thread, which waits with the request on its stack.
  if (!InSendMessage()) return;
  auto* request = reinterpret_cast<SyncRequest*>(message.LParam);
  try {
    (*request->Method)();
  } catch (...) {
    request->Error = std::current_exception();
  }
}

const int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,       THREAD_PRIORITY_BELOW_NORMAL,
                           THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                           THREAD_PRIORITY_TIME_CRITICAL};

}  // namespace

void StartThreadSynchronization() {
  if (!syncWindow) syncWindow = AllocateHWnd(ServeSyncRequest);
}

void StopThreadSynchronization() {
  DeallocateHWnd(syncWindow);
  syncWindow = nullptr;
}

void Synchronize(const std::function<void()>& method) {
  if (IsGuiThread()) {
    method();
    return;
  }
  if (!syncWindow) throw EThread("The class library is not started");
  SyncRequest request{&method, nullptr};
  SendMessageA(syncWindow, CM_THREADSYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&request));
  if (request.Error) std::rethrow_exception(request.Error);
}

void ServeSynchronize(DWORD timeoutMs) {
  MSG message;
  // A look at the queue runs the sent messages; the filter leaves every posted one where it is.
  if (PeekMessageA(&message, nullptr, CM_THREADSYNCHRONIZE, CM_THREADSYNCHRONIZE, PM_REMOVE)) return;
  if (timeoutMs == 0) return;
  MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_SENDMESSAGE);
  PeekMessageA(&message, nullptr, CM_THREADSYNCHRONIZE, CM_THREADSYNCHRONIZE, PM_REMOVE);
}

void WaitServingSynchronize(HANDLE handle) {
  if (!IsGuiThread()) {
    WaitForSingleObject(handle, INFINITE);
    return;
  }
  // Sent messages (Synchronize among them) are served while waiting.
  while (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    ServeSynchronize(0);
  }
}

TThread::TThread(bool createSuspended) : FCreateSuspended(createSuspended) {}

void TThread::CreateSystemThread() {
  FHandle = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &FThreadID);
  if (!FHandle) throw EThread("Thread creation error: " + std::to_string(GetLastError()));
  if (FPriority != 3) SetThreadPriority(FHandle, kPriorities[FPriority]);
}

TThread::~TThread() {
  if (FHandle) CloseHandle(FHandle);
}

void TThread::AfterConstruction() {
  if (!FCreateSuspended) Resume();
}

void TThread::BeforeDestruction() {
  if (FHandle && GetCurrentThreadId() != FThreadID) {
    FFreeOnTerminate = false;
    Terminate();
    while (FSuspended) Resume();
    WaitFor();
  }
  inherited::BeforeDestruction();
}

void TThread::Resume() {
  if (!FHandle) CreateSystemThread();
  const DWORD previous = ResumeThread(FHandle);
  if (previous == static_cast<DWORD>(-1) || previous <= 1) FSuspended = false;
}

void TThread::Suspend() {
  if (!FHandle) return;
  FSuspended = true;
  SuspendThread(FHandle);
}

int TThread::WaitFor() {
  if (GetCurrentThreadId() == FThreadID) throw EThread("Cannot wait for the own thread");
  if (!FHandle) return FReturnValue;
  WaitServingSynchronize(FHandle);
  DWORD code = 0;
  GetExitCodeThread(FHandle, &code);
  return static_cast<int>(code);
}

void TThread::SetPriority(int priority) {
  if (priority < 0 || priority > 6) throw EThread("Invalid thread priority");
  if (FHandle) SetThreadPriority(FHandle, kPriorities[priority]);
  FPriority = priority;
}

void TThread::Synchronize(const std::function<void()>& method) {
  cl::Synchronize(method);
}

DWORD WINAPI TThread::ThreadProc(void* parameter) noexcept {
  auto* thread = static_cast<TThread*>(parameter);
  try {
    if (!thread->Terminated()) thread->Execute();
  } catch (...) {
    thread->FFatalException = std::current_exception();
  }
  const bool freeIt = thread->FFreeOnTerminate;
  const auto result = static_cast<DWORD>(thread->FReturnValue);
  // Nothing reports from here: the thread ends in any case.
  try {
    if (thread->OnTerminate) thread->Synchronize([thread] { thread->OnTerminate(thread); });
  } catch (...) {
  }
  if (freeIt) {
    try {
      thread->Free();
    } catch (...) {
    }
  }
  return result;
}

}  // namespace cl
