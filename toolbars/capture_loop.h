// The message loop that tool windows run while they hold the mouse (moving, sizing, the close button): the
// thread's messages go through it, the loop's owner decides about each, and the rest are dispatched so that
// windows keep painting and timers keep running.
#pragma once

#include <windows.h>

#include <functional>

namespace tbr {

enum class LoopStep {
  Dispatch,  // translate and dispatch the message as usual
  Swallow,   // drop it
  Stop       // drop it and end the loop
};

// Runs until wnd loses the capture, keepGoing() turns false (checked after each message; the window or its
// object may be gone), GetMessage fails, or a quit message arrives (posted again for the loop waiting for it).
void RunCaptureLoop(HWND wnd, const std::function<bool()>& keepGoing, const std::function<LoopStep(const MSG&)>& step);

}  // namespace tbr
