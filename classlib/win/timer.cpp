// TTimer over SetTimer on an AllocateHWnd window.
#include "classlib/win/timer.h"

#include "classlib/win/application.h"
#include "classlib/win/util_window.h"

namespace cl {
namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  FWindow = AllocateHWnd([this](TMessage& message) { WndProc(message); });
}

void TTimer::BeforeDestruction() {
  inherited::BeforeDestruction();
  if (FWindow) {
    KillTimer(FWindow, kTimerId);
    DeallocateHWnd(std::exchange(FWindow, nullptr));
  }
}

void TTimer::SetInterval(unsigned interval) {
  if (interval == FInterval) return;
  FInterval = interval;
  UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& handler) {
  FOnTimer = handler;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (!FWindow) return;
  KillTimer(FWindow, kTimerId);
  if (FEnabled && FInterval > 0 && FOnTimer && !SetTimer(FWindow, kTimerId, FInterval, nullptr)) {
    throw EOutOfResources("Not enough timers available");
  }
}

void TTimer::WndProc(TMessage& message) {
  if (message.Msg != WM_TIMER) {
    message.Result = DefWindowProcA(FWindow, message.Msg, message.WParam, message.LParam);
    return;
  }
  DispatchScope scope(this);  // the handler may free this timer
  try {
    Timer();
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TTimer::Timer() {
  if (FEnabled && FOnTimer) FOnTimer(this);
}

}  // namespace cl
