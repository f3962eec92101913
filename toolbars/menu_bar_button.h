// TMenuBarButton: a button of a menu bar (TMainMenuEx). It shows a top-level menu item's caption (and glyph),
// turned a quarter on a vertical bar, flat until the mouse or the keyboard lights it up, and opens the item's
// sub-items as an owner-drawn menu below it (beside it on a side dock). While one bar menu is open, moving the mouse
// onto another button of the bar closes it and opens that button's menu instead. The MDI button stands for a
// maximised MDI child: its icon, with the child's system menu.
#pragma once

#include "toolbars/core/menu_bar_layout.h"
#include "toolbars/menu_engine.h"
#include "toolbars/toolbar_button.h"

namespace tbr::menus {

class TMainMenuEx;

class TMenuBarButton : public TToolbarButton, public MenuBarButton {
  CL_CLASS(TMenuBarButton, TToolbarButton)
 public:
  explicit TMenuBarButton(cl::TComponent* owner);
  // The engine forgets the button; its dropdown menu goes with it.
  void BeforeDestruction() override;

  TButtonOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TButtonOrientation orientation);
  // The button's size follows its caption (and the bar's side).
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  // The item whose caption the button shows and whose sub-items its menu shows; null for the MDI button.
  cl::TMenuItem* Item() const { return FItem.get(); }
  void SetItem(cl::TMenuItem* item) { FItem = item; }
  void SetMDIButton(bool mdiButton) { FMDIButton = mdiButton; }
  // The dropdown menu is freed with the button.
  void SetOwnedDropdown(TCustomPopupMenuEx* menu);
  // The button's pictures are made again at the next paint.
  void DropImages();
  // Sizes the button for its caption, font, glyph and bar (AutoSize).
  void AdjustSize();

  // MenuBarButton
  cl::TControl* Control() override { return this; }
  MenuBar* Bar() override;
  bool IsMDIButton() const override { return FMDIButton; }
  bool IsHot() const override { return FHot; }
  void PaintHot() override;
  void PaintLeft() override;
  void SetButtonDown(bool down) override;
  void Click() override;
  TCustomPopupMenuEx* DropdownMenuEx() const override;
  bool IsVertical() override { return Vertical(); }

  void DblClick() override;
  void SetBounds(int left, int top, int width, int height) override;
  void Dispatch(cl::TMessage& message) override;

 protected:
  void HotEnter() override;
  void HotLeave() override;
  void MouseMove(cl::TShiftState shift, int x, int y) override;
  void Paint() override;

 private:
  TMainMenuEx* MenuBarOf() const;
  bool Vertical() const;
  void SetHotLook(bool hot);
  // The caption and glyph over the button's colour, as wide as the button lies along its bar.
  void BuildImage(int width, int height);
  void BuildRotatedImage();
  // Opens menu at a point on the screen, showing the sub-items of item.
  void OpenMenu(TCustomPopupMenuEx* menu, cl::TMenuItem* item, cl::TPoint at);

  TButtonOrientation FOrientation = orAutomatic;
  bool FAutoSize = true;
  bool FMDIButton = false;
  bool FHot = false;
  // The mouse moved here from another button's open menu: the next move opens this one's.
  bool FSwitchPending = false;
  cl::TPoint FLastMouse{-100, -100};
  cl::Weak<cl::TMenuItem> FItem;
  cl::Weak<TCustomPopupMenuEx> FOwnedDropdown;
  cl::TBitmap* FImage = nullptr;
  cl::TBitmap* FRotatedImage = nullptr;
  bool FImageValid = false;
  bool FRotatedValid = false;
};

}  // namespace tbr::menus
