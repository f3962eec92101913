// The message loop that tool windows run while they hold the mouse (moving, sizing, the close button), and the
// hold on the mouse itself: the thread's messages go through the loop, the loop's owner decides about each, and
// the rest are dispatched so that windows keep painting and timers keep running.
#pragma once

#include <windows.h>

#include <functional>

namespace tbr {

enum class LoopStep {
  Dispatch,  // translate and dispatch the message as usual
  Swallow,   // drop it
  Stop       // drop it and end the loop
};

// Holds the mouse for wnd while it lives and gives it back (when still held) however the loop ends.
class CaptureHold {
 public:
  explicit CaptureHold(HWND wnd) : FWnd(wnd) { SetCapture(wnd); }
  CaptureHold(const CaptureHold&) = delete;
  CaptureHold& operator=(const CaptureHold&) = delete;
  ~CaptureHold() {
    if (GetCapture() == FWnd) ReleaseCapture();
  }

 private:
  HWND FWnd;
};

// Runs until wnd loses the capture, keepGoing() turns false (checked after each message; the window or its
// object may be gone), GetMessage fails, or a quit message arrives (posted again for the loop waiting for it).
void RunCaptureLoop(HWND wnd, const std::function<bool()>& keepGoing, const std::function<LoopStep(const MSG&)>& step);

}  // namespace tbr
