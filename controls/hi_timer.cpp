#include "controls/hi_timer.h"

#include <mmsystem.h>

#include "classlib/core/exceptions.h"
#include "classlib/win/application.h"
#include "classlib/win/util_window.h"
#include "controls/core/timer_pool.h"

namespace ctl {
namespace {

// The multimedia timer's thread: one posted message and nothing else. lParam stays 0, or DispatchMessage would
// take it for a timer procedure.
void CALLBACK PostTick(UINT eventId, UINT, DWORD_PTR window, DWORD_PTR, DWORD_PTR) noexcept {
  PostMessageA(reinterpret_cast<HWND>(window), WM_TIMER, eventId, 0);
}

}  // namespace

TCtlHiTimer::TCtlHiTimer(cl::TComponent* owner) : TCtlComponent(owner) {
  TIMECAPS caps{};
  if (timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR) {
    FMinPeriod = caps.wPeriodMin;
    FMaxPeriod = caps.wPeriodMax;
  }
  timeBeginPeriod(FMinPeriod);
  FWindow = cl::AllocateHWnd(
      [this](cl::TMessage& message) { WndProc(message.Msg, message.WParam, message.LParam, message.Result); });
}

void TCtlHiTimer::BeforeDestruction() {
  inherited::BeforeDestruction();
  FOnTimer = nullptr;
  FEnabled = false;
  timeEndPeriod(FMinPeriod);
  Restart();
  if (FWindow) cl::DeallocateHWnd(std::exchange(FWindow, nullptr));
}

void TCtlHiTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  Restart();
}

void TCtlHiTimer::SetInterval(uint16_t interval) {
  if (interval == FInterval) return;
  FInterval = HiTimerInterval(interval, FMinPeriod, FMaxPeriod);
  Restart();
}

void TCtlHiTimer::SetOnTimer(const cl::TNotifyEvent& handler) {
  FOnTimer = handler;
  Restart();
}

void TCtlHiTimer::Restart() {
  if (FEventId) timeKillEvent(std::exchange(FEventId, 0));
  if (FInterval == 0 || !FEnabled || !FOnTimer || !FWindow) return;
  FEventId = timeSetEvent(FInterval, FInterval, PostTick, reinterpret_cast<DWORD_PTR>(FWindow), TIME_PERIODIC);
  FBusy = false;
  if (!FEventId) throw cl::EOutOfResources("Not enough timers available");
}

void TCtlHiTimer::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_TIMER) {
    result = DefWindowProcA(FWindow, message, wParam, lParam);
    return;
  }
  result = 0;
  // Ticks of an earlier event, and ticks while the handler still runs (it may pump messages), are dropped.
  if (wParam != FEventId || FEventId == 0 || FBusy) return;
  cl::DispatchScope scope(this);
  try {
    FBusy = true;
    Timer();
    FBusy = false;
  } catch (...) {
    // Busy stays set: no more ticks until the timer is restarted.
    if (cl::Application) cl::Application->HandleException(this);
  }
}

void TCtlHiTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

}  // namespace ctl
