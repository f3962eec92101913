// The menu window's opening and closing: where it opens in the work area, next to the bar button, button, form
// or parent window that opened it, and the frames it grows and shrinks by (toolbars/core/popup_placement.h),
// paced by its menu's Timeout, with the open and close sounds.
#include <windows.h>

#include "classlib/core/random.h"
#include "classlib/win/stdctrls.h"
#include "classlib/win/timer.h"
#include "toolbars/core/popup_placement.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/menu_engine.h"
#include "toolbars/popup_menu_form.h"
#include "toolbars/toolbar_button.h"

namespace tbr::menus {
namespace {

bool RandomPicksVSlide() {
  return cl::Random(2) != 0;
}

}  // namespace

PopupPlacementInput TPopupMenuExForm::PlacementInput(cl::TPoint size, TAnimation kind) const {
  PopupPlacementInput in;
  in.WorkArea = MenuWorkArea();
  in.Left = Left();
  in.Top = Top();
  in.Width = size.X;
  in.Height = size.Y;
  in.Kind = kind;
  if (TPopupMenuExForm* parent = ParentMenu()) {
    in.IsSubmenu = true;
    in.ParentLeft = parent->Left();
    return in;
  }
  // What opened the menu matters only to its top window; a submenu opens beside its parent.
  TCustomPopupMenuEx* menu = OwnerMenu();
  if (!menu) return in;
  if (MenuBarButton* button = menu->BarButton(); button && ActiveMenuBar()) {
    in.FromBarButton = true;
    in.BarButtonLeft = button->Control()->ClientToScreen(cl::Point(0, 0)).X;
    in.BarButtonWidth = button->Control()->Width();
    in.BarButtonVertical = button->IsVertical();
  }
  if (auto* control = dynamic_cast<cl::TControl*>(menu->PopupComponent())) {
    in.FromControl = true;
    in.ControlTop = control->Top();
    in.ControlHeight = control->Height();
    in.FromButton = dynamic_cast<TToolbarButton*>(control) || dynamic_cast<cl::TButton*>(control);
    in.SystemMenuFromForm = menu->OpensFromFormIcon();
  }
  return in;
}

bool TPopupMenuExForm::AnimateOpen() {
  FHStep = FVStep = 1;
  BeginOpening();
  cl::Weak<TPopupMenuExForm> self = this;
  cl::Weak<TCustomPopupMenuEx> menu = OwnerMenu();
  const bool hadMenu = menu.get() != nullptr;
  auto aborted = [&] { return !self || FClosing || (hadMenu && !menu); };
  auto abort = [&] {
    if (self) FAnimating = false;
    return false;
  };

  ReadRows();
  const cl::TPoint size = LayoutSize();
  PrepareBuffer(size);
  // The kind is resolved before the window is placed: which side a submenu takes depends on how it grows.
  const OpenAnimationChoice choice = ResolveOpenAnimation(FOpenAnimation, RandomPicksVSlide());
  FOpenAnimation = choice.Inherited;
  const PopupPlacement placement = PlacePopup(PlacementInput(size, choice.Kind));
  SetOpensUpward(placement.OpensUpward);
  SetOpensLeftward(placement.OpensLeftward);
  const AnimationSteps steps = AnimationStepsFor(size.X, size.Y, ActiveOptions()->ItemHeight(),
                                                 menu && menu->Options()->DoubleSpeed(), choice.Kind);
  FHStep = steps.HStep;
  FVStep = steps.VStep;
  const OpenFrames frames = OpenFrameSequence(placement, size.X, size.Y, choice.Kind, steps);
  FramePacer pacer(menu ? menu->Options()->Timeout() : TOptions().Timeout());

  DispatchPendingMouseMoves();
  if (aborted()) return abort();
  PaintNow();
  RaiseWindow();
  for (size_t i = 0; i < frames.Frames.size(); ++i) {
    const DWORD start = GetTickCount();
    const FrameBounds& frame = frames.Frames[i];
    SetBounds(frame.Left, frame.Top, frame.Width, frame.Height);
    PaintNow();
    DispatchPendingMouseMoves();
    if (aborted()) return abort();
    DispatchPendingPaints();
    if (aborted()) return abort();
    if (static_cast<int>(i) == frames.SoundFrame) PlayMenuSound(msPopup);
    if (const int rest = pacer.SleepAfter(static_cast<int>(GetTickCount() - start)); rest > 0) Sleep(rest);
  }
  SetBounds(frames.Final.Left, frames.Final.Top, frames.Final.Width, frames.Final.Height);
  PaintNow();
  if (frames.SoundFrame < 0) PlayMenuSound(msPopup);
  FinishOpening();
  return true;
}

bool TPopupMenuExForm::AnimateClose() {
  cl::Weak<TPopupMenuExForm> self = this;
  FSubmenuTimer->SetEnabled(false);
  FAnimating = true;
  FClosing = false;
  if (TCustomPopupMenuEx* menu = OwnerMenu(); menu && menu->OnMenuClose()) menu->OnMenuClose()(SelectedItem());
  if (!self) return true;
  const TAnimation kind = ResolveCloseAnimation(FCloseAnimation, ParentMenu() != nullptr, RandomPicksVSlide());
  PlayMenuSound(msClose);
  const std::vector<FrameBounds> frames =
      CloseFrameSequence({Left(), Top(), Width(), Height()}, kind, {FHStep, FVStep}, OpensUpward(), OpensLeftward());
  for (const FrameBounds& frame : frames) {
    if (!OwnerMenu()) break;
    // Closing the whole chain took the window over meanwhile: it only hides.
    if (FClosing) {
      FAnimating = false;
      HideMenu();
      return true;
    }
    SetBounds(frame.Left, frame.Top, frame.Width, frame.Height);
    PaintNow();
    DispatchPendingPaints();
    if (!self) return true;
  }
  FAnimating = false;
  FClosing = false;
  HideMenu();
  return true;
}

}  // namespace tbr::menus
