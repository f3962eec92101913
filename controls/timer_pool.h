// TCtlTimerPool: the timer pool on a window timer of its own, so that every logical timer fires on the GUI thread.
#pragma once

#include <windows.h>

#include "controls/core/timer_pool.h"

namespace ctl {

class TCtlTimerPool : public TCtlCustomTimerPool {
  CL_CLASS(TCtlTimerPool, TCtlCustomTimerPool)
 public:
  explicit TCtlTimerPool(cl::TComponent* owner, uint16_t minInterval = 1000)
      : TCtlCustomTimerPool(owner, minInterval) {}
  void BeforeDestruction() override;

 protected:
  // Timer 1 of a hidden window made on first use; no timer raises EOutOfResources "Not enough timers available".
  void StartTicks(uint16_t interval) override;
  void StopTicks() override;

 private:
  HWND FWindow = nullptr;
};

}  // namespace ctl
