// THintWindow: the small yellow box that shows a control's short hint. A topmost tool-window popup that never
// activates and lets the mouse through, so showing it changes neither the focus nor the control under the mouse.
// GetShortHint/GetLongHint split a hint text "short|long".
#pragma once

#include <string>

#include "classlib/win/custom_controls.h"

namespace cl {

// The text before the first '|', or the whole hint without one.
std::string GetShortHint(const std::string& hint);
// The text after the first '|', or the whole hint without one.
std::string GetLongHint(const std::string& hint);

class THintWindow : public TCustomControl {
  CL_CLASS(THintWindow, TCustomControl)
 public:
  explicit THintWindow(TComponent* owner);

  // Shows hint in rect (screen coordinates) without activating anything.
  virtual void ActivateHint(const TRect& rect, const std::string& hint);  // (v)
  // The rectangle, at (0, 0), the hint needs on one line per line break, at most maxWidth wide.
  virtual TRect CalcHintRect(int maxWidth, const std::string& hint);  // (v)
  // Hides the window; it stays for the next hint.
  void ReleaseHandle();
  bool IsHintShowing() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;
  void Paint() override;
};

}  // namespace cl
