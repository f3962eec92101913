// TToolbarButton: a flat or 3-D push button with a glyph and/or a caption. Buttons of a group stay down one at a
// time, a flat button shows its border while the mouse is over it (one hot button at a time, followed by one
// shared timer and the shared window hooks), a repeating button clicks again while held, and a button with a
// dropdown menu opens it, from the whole button or from a separate arrow part.
#pragma once

#include <windows.h>

#include "classlib/win/custom_controls.h"
#include "classlib/win/menus.h"
#include "classlib/win/stdctrls.h"
#include "classlib/win/forms.h"
#include "toolbars/core/button_states.h"
#include "toolbars/toolbar_common.h"

namespace cl {
class TBitmap;
class TCustomImageList;
class TTimer;
}  // namespace cl

namespace tbr {

class TButtonGlyph;

enum TButtonDisplayMode { dmBoth, dmGlyphOnly, dmTextOnly };

class TToolbarButton : public cl::TGraphicControl {
  CL_CLASS(TToolbarButton, cl::TGraphicControl)
 public:
  explicit TToolbarButton(cl::TComponent* owner);
  void BeforeDestruction() override;

  cl::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(cl::TAlignment alignment);
  // With AllowAllUp the down button of a group comes up when clicked again; the group shares the setting.
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool allowAllUp);
  // Buttons of one parent with the same index other than 0 form a group: one of them at most is down.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int groupIndex);
  TButtonDisplayMode DisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TButtonDisplayMode mode);
  // Only a button of a group can be down; going down raises the group's other down button.
  bool Down() const { return FState.Down; }
  void SetDown(bool down);
  // The arrow drawn next to the caption of a button with a menu (not a DropdownCombo one).
  bool DropdownArrow() const { return FDropdownArrow; }
  void SetDropdownArrow(bool arrow);
  // The button has an arrow part of its own at the right that opens the menu; the rest clicks. Switching it
  // widens or narrows the button by the arrow part.
  bool DropdownCombo() const { return FDropdownCombo; }
  void SetDropdownCombo(bool combo);
  // Opened by a click (of the arrow part); cleared when the menu is freed.
  cl::TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(cl::TPopupMenu* menu);
  // Flat buttons show their border only while pressed, down or under the mouse.
  bool Flat() const { return FFlat; }
  void SetFlat(bool flat);
  // The picture: up to five state images side by side (up, disabled, pressed, down, hot); the setters copy.
  cl::TBitmap* Glyph() const;
  void SetGlyph(const cl::TBitmap* glyph);
  cl::TBitmap* GlyphMask() const;
  void SetGlyphMask(const cl::TBitmap* mask);
  // The picture from an image list instead; cleared when the list is freed.
  cl::TCustomImageList* Images() const;
  void SetImages(cl::TCustomImageList* images);
  int ImageIndex() const;
  void SetImageIndex(int index);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout layout);
  // Pixels from the edge to the glyph; -1 centres glyph and caption. Values below -1 are ignored.
  int Margin() const { return FMargin; }
  void SetMargin(int margin);
  // Given to the parent form on a click.
  cl::TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(cl::TModalResult result) { FModalResult = result; }
  bool NoBorder() const { return FNoBorder; }
  void SetNoBorder(bool noBorder);
  // 1 to 5 (others are brought into that range).
  int NumGlyphs() const;
  void SetNumGlyphs(int numGlyphs);
  bool OldDisabledStyle() const;
  void SetOldDisabledStyle(bool oldStyle);
  // An opaque button paints its whole area (in Color); a transparent flat one shows its parent behind it.
  bool Opaque() const { return FOpaque; }
  void SetOpaque(bool opaque);
  // Held down, the button clicks on the press, after RepeatDelay ms and then every RepeatInterval ms while the
  // mouse stays on it; it does not click on release.
  bool Repeating() const { return FRepeating; }
  void SetRepeating(bool repeating) { FRepeating = repeating; }
  unsigned RepeatDelay() const { return FRepeatDelay; }
  void SetRepeatDelay(unsigned ms) { FRepeatDelay = ms; }
  unsigned RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(unsigned ms) { FRepeatInterval = ms; }
  // The border stays under the mouse while the program is not active.
  bool ShowBorderWhenInactive() const { return FShowBorderWhenInactive; }
  void SetShowBorderWhenInactive(bool show) { FShowBorderWhenInactive = show; }
  // Pixels between glyph and caption; -1 spaces them evenly.
  int Spacing() const { return FSpacing; }
  void SetSpacing(int spacing);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wordWrap);

  const cl::TNotifyEvent& OnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(const cl::TNotifyEvent& e) { FOnMouseEnter = e; }
  const cl::TNotifyEvent& OnMouseExit() const { return FOnMouseExit; }
  void SetOnMouseExit(const cl::TNotifyEvent& e) { FOnMouseExit = e; }

  // The button under the mouse, if any.
  static TToolbarButton* HotButton();

  // Toggles Down in a group, then fires OnClick, or opens the dropdown menu.
  void Click() override;
  // Only a down button reports double clicks.
  void DblClick() override;
  // The glyph's palette.
  HPALETTE GetPalette() override;
  void WndProc(cl::TMessage& message) override;
  void Dispatch(cl::TMessage& message) override;

 protected:
  TButtonDrawState DrawState() const { return FState.State; }
  bool MouseInside() const { return FState.MouseInside; }
  // The mouse came over the button, or left it.
  virtual void HotEnter();
  virtual void HotLeave();
  // Repaints without the parent erasing behind the button (a transparent flat button asked to erase is simply
  // invalidated).
  void RepaintButton(bool erase);

  void Loaded() override;
  void Notification(cl::TComponent* component, cl::TOperation operation) override;
  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void MouseMove(cl::TShiftState shift, int x, int y) override;
  void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void Paint() override;

 private:
  friend void ButtonHook(THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam);
  friend void HotTimerTick();

  ButtonLook Look() const;
  bool HasDropdown() const { return FDropdownMenu != nullptr; }
  bool InMainPart(cl::TPoint point) const;
  // Takes the hot button's place when the mouse at screen point is over this button.
  void TrackHot(cl::TPoint screenPoint);
  // After a click or release: hot again when the mouse is still over the button, else it leaves.
  void UpdateMouseInside();
  void StopHotTracking();
  void UpdateGroup();
  void RepeatTick();
  void FreeRepeatTimer();
  void CancelMode();
  // Opens the dropdown menu beside the button; then drops the presses on this button that closed it.
  void ShowDropdown();
  void RequeueMouseMessages();
  void SetControlStyleOpaque();

  ButtonState FState;
  bool FClicking = false;
  cl::TTimer* FRepeatTimer = nullptr;
  TButtonGlyph* FGlyph;
  cl::TAlignment FAlignment = cl::taCenter;
  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  TButtonDisplayMode FDisplayMode = dmBoth;
  bool FDropdownArrow = true;
  bool FDropdownCombo = false;
  cl::TPopupMenu* FDropdownMenu = nullptr;
  bool FFlat = true;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  cl::TModalResult FModalResult = 0;
  bool FNoBorder = false;
  bool FOpaque = true;
  bool FRepeating = false;
  unsigned FRepeatDelay = 400;
  unsigned FRepeatInterval = 100;
  bool FShowBorderWhenInactive = false;
  int FSpacing = 4;
  bool FWordWrap = false;
  cl::TNotifyEvent FOnMouseEnter;
  cl::TNotifyEvent FOnMouseExit;
};

}  // namespace tbr
