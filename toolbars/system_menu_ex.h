// TSystemMenuEx: the owner-drawn system menu of a menus TForm (menu_form.h), read afresh from the window's system
// menu each time it opens; its items send their window commands to the form.
#pragma once

#include "toolbars/popup_menu_ex.h"

namespace tbr::menus {

class TSystemMenuEx : public TPopupMenuEx {
  CL_CLASS(TSystemMenuEx, TPopupMenuEx)
 public:
  explicit TSystemMenuEx(cl::TComponent* owner) : TPopupMenuEx(owner) {}
  // The owner must be a menus TForm, which takes the menu as its system menu; any other owner raises an error.
  void AfterConstruction() override;

  // Caption clicks open this menu; off: the system's own handling.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled) { FEnabled = enabled; }
  // The form sets the opening animation: smart from the icon, popup at the mouse.
  bool AllowAdjust() const { return FAllowAdjust; }
  void SetAllowAdjust(bool allowAdjust) { FAllowAdjust = allowAdjust; }
  // Fires before the menu opens (Sender: the form).
  const cl::TNotifyEvent& OnShow() const { return FOnShow; }
  void SetOnShow(const cl::TNotifyEvent& handler) { FOnShow = handler; }

  bool OpensFromFormIcon() const override;

 private:
  bool FEnabled = true;
  bool FAllowAdjust = true;
  cl::TNotifyEvent FOnShow;
};

}  // namespace tbr::menus
