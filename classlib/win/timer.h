// TTimer: OnTimer every Interval milliseconds on the GUI thread, through SetTimer on a window of its own. It runs
// only while enabled, with an interval above 0 and a handler; each setter restarts it. A handler may disable or
// free its timer.
#pragma once

#include <windows.h>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "classlib/win/messages.h"

namespace cl {

class TTimer : public TComponent {
  CL_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* owner);
  void BeforeDestruction() override;

  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned interval);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const TNotifyEvent& handler);

 protected:
  // Fires OnTimer.
  virtual void Timer();

 private:
  void UpdateTimer();
  void WndProc(TMessage& message);

  HWND FWindow = nullptr;
  unsigned FInterval = 1000;
  bool FEnabled = true;
  TNotifyEvent FOnTimer;
};

}  // namespace cl
