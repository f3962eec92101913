// Driving loops that pump messages themselves (a dragged bar, a sized one): the steps of a script run one at a
// time from the message queue, each after the messages the one before it posted, so that a step can move the
// cursor the loop sees and post the mouse message for it before the next step moves it again.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

#include "classlib/win/win_control.h"
#include "classlib/test/input.h"
#include "classlib/win/util_window.h"

namespace tbr::test {

class LoopScript {
 public:
  LoopScript() : FWindow(cl::AllocateHWnd([this](cl::TMessage& m) { Handle(m); })) {}
  LoopScript(const LoopScript&) = delete;
  LoopScript& operator=(const LoopScript&) = delete;
  ~LoopScript() { cl::DeallocateHWnd(FWindow); }

  LoopScript& Then(std::function<void()> step) {
    FSteps.push_back(std::move(step));
    return *this;
  }
  // The cursor the loop sees while the script lives.
  cl::test::FakeCursor& Cursor() { return FCursor; }
  // Puts the cursor on a screen point and posts the move to target, as the mouse would while target holds it.
  LoopScript& MoveTo(cl::TWinControl* target, cl::TPoint screen) {
    return Then([this, target, screen] {
      FCursor.MoveTo(screen);
      const cl::TPoint client = target->ScreenToClient(screen);
      PostMessageA(target->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.X, client.Y));
    });
  }
  LoopScript& Post(cl::TWinControl* target, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return Then([target, msg, wParam, lParam] { PostMessageA(target->Handle(), msg, wParam, lParam); });
  }
  // Posts the first step; the loop to drive must be entered before the queue is handled.
  void Start() { PostMessageA(FWindow, kStep, 0, 0); }
  bool Done() const { return FSteps.empty(); }

 private:
  static constexpr UINT kStep = WM_APP + 77;

  void Handle(cl::TMessage& m) {
    if (m.Msg != kStep) {
      m.Result = DefWindowProcA(FWindow, m.Msg, m.WParam, m.LParam);
      return;
    }
    if (FSteps.empty()) return;
    std::function<void()> step = std::move(FSteps.front());
    FSteps.pop_front();
    step();
    if (!FSteps.empty()) PostMessageA(FWindow, kStep, 0, 0);
  }

  HWND FWindow;
  cl::test::FakeCursor FCursor{cl::Point(0, 0)};
  std::deque<std::function<void()>> FSteps;
};

}  // namespace tbr::test
