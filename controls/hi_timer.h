// TCtlHiTimer: a periodic timer on the multimedia timer service. Its callback, on the service's own thread, only
// posts a message to a hidden window, so OnTimer runs on the GUI thread.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/core/ctl_objects.h"

namespace ctl {

class TCtlHiTimer : public TCtlComponent {
  CL_CLASS(TCtlHiTimer, TCtlComponent)
 public:
  explicit TCtlHiTimer(cl::TComponent* owner);
  void BeforeDestruction() override;

  // The timer runs while enabled, with an interval and a handler; each of the three setters restarts it. No
  // multimedia timer to be had raises EOutOfResources "Not enough timers available".
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  // Milliseconds; a value outside the device's period range becomes 1000.
  uint16_t Interval() const { return FInterval; }
  void SetInterval(uint16_t interval);
  const cl::TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const cl::TNotifyEvent& handler);

 protected:
  // Fires OnTimer. An exception goes to the application's handler and stops the ticks until the next restart.
  virtual void Timer();

 private:
  void Restart();
  void WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  bool FEnabled = false;
  uint16_t FInterval = 1000;
  cl::TNotifyEvent FOnTimer;
  UINT FEventId = 0;
  UINT FMinPeriod = 1;
  UINT FMaxPeriod = 1000000;
  bool FBusy = false;
  HWND FWindow = nullptr;
};

}  // namespace ctl
