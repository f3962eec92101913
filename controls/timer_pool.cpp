#include "controls/timer_pool.h"

#include "classlib/core/exceptions.h"
#include "classlib/win/application.h"
#include "classlib/win/util_window.h"

namespace ctl {
namespace {

constexpr UINT_PTR kPoolTimer = 1;

}  // namespace

void TCtlTimerPool::BeforeDestruction() {
  inherited::BeforeDestruction();
  if (FWindow) cl::DeallocateHWnd(std::exchange(FWindow, nullptr));
}

void TCtlTimerPool::StartTicks(uint16_t interval) {
  if (!FWindow) {
    FWindow = cl::AllocateHWnd([this](cl::TMessage& message) {
      if (message.Msg != WM_TIMER) {
        message.Result = DefWindowProcA(FWindow, message.Msg, message.WParam, message.LParam);
        return;
      }
      cl::DispatchScope scope(this);
      try {
        TimerTick();
      } catch (...) {
        if (cl::Application) cl::Application->HandleException(this);
      }
    });
  }
  if (!SetTimer(FWindow, kPoolTimer, interval, nullptr)) throw cl::EOutOfResources("Not enough timers available");
}

void TCtlTimerPool::StopTicks() {
  if (FWindow) KillTimer(FWindow, kPoolTimer);
}

}  // namespace ctl
