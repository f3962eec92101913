// The message loop of tool windows that hold the mouse.
#include "toolbars/capture_loop.h"

namespace tbr {

void RunCaptureLoop(HWND wnd, const std::function<bool()>& keepGoing, const std::function<LoopStep(const MSG&)>& step) {
  MSG msg;
  while (keepGoing() && IsWindow(wnd) && GetCapture() == wnd) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) return;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    switch (step(msg)) {
      case LoopStep::Stop:
        return;
      case LoopStep::Swallow:
        break;
      case LoopStep::Dispatch:
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        break;
    }
  }
}

}  // namespace tbr
