// PumpUntil and PumpFor over the application's loop (or a plain loop before Initialize).
#include "classlib/test/pump.h"

#include <windows.h>

#include "classlib/win/application.h"

namespace cl::test {
namespace {

void HandleQueuedMessages() {
  if (cl::Application) {
    cl::Application->ProcessMessages();
    return;
  }
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

bool PumpUntil(const std::function<bool()>& predicate, unsigned timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    HandleQueuedMessages();
    if (predicate()) return true;
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return predicate();
    DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10));
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
  }
}

void PumpFor(unsigned ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace cl::test
