// THintWindowEx: the hint window of menu items. It shows a hint of one or more lines (broken at "&#13;" and at
// carriage returns) below the cursor inside the work area, on top of everything without taking the activation,
// and hides itself after the application's hint pause. The first one made is the menu engine's MenuHint.
#pragma once

#include <string>
#include <vector>

#include "classlib/win/hint_window.h"

namespace cl {
class TTimer;
}

namespace tbr::menus {

class THintWindowEx : public cl::THintWindow {
  CL_CLASS(THintWindowEx, cl::THintWindow)
 public:
  explicit THintWindowEx(cl::TComponent* owner);

  // Shows hint as ShowMenuHint does; the rectangle is not used.
  void ActivateHint(const cl::TRect& rect, const std::string& hint) override;
  // Shows the short part of hint, trimmed, at the cursor; nothing for an empty hint.
  void ShowMenuHint(const std::string& hint);
  // Hides the window and stops its hide timer.
  void HideHint();
  const std::vector<std::string>& Lines() const { return FLines; }

 protected:
  void Paint() override;

 private:
  void HideTimerFired(cl::TObject* sender);

  std::vector<std::string> FLines;
  cl::TTimer* FHideTimer;
};

}  // namespace tbr::menus
