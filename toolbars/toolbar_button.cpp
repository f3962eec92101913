// TToolbarButton: its properties, hot tracking with the shared timer and hooks, press tracking and repeat, clicks
// and dropdown menus, and painting.
#include "toolbars/toolbar_button.h"

#include <vector>

#include "classlib/core/finally.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/image_list.h"
#include "classlib/win/sys.h"
#include "classlib/win/timer.h"
#include "toolbars/button_glyph.h"
#include "toolbars/dock.h"
#include "toolbars/dropdown_list.h"
#include "toolbars/tool_window.h"

namespace tbr {
namespace {

// While a button is hot, this timer checks that the mouse is still over it.
constexpr unsigned kHotCheckMs = 125;
// A button looks pressed while its click (its handler, its menu) runs.
constexpr bool kStayPressedWhileClicking = true;
// The combo arrow's place, from the right edge and the middle.
constexpr int kComboArrowRight = 13;
constexpr int kComboArrowEdgeRight = 2;

// What all buttons share.
cl::Weak<TToolbarButton> hotButton;
cl::TTimer* hotTimer = nullptr;
int buttonCount = 0;
// The checkerboard of the exclusive look, and the colours it was made with.
cl::TBitmap* pattern = nullptr;
COLORREF patternFace = 0;
COLORREF patternHighlight = 0;

COLORREF SystemRgb(cl::TColor color) {
  return static_cast<COLORREF>(cl::ColorToRGB(color) & 0xFFFFFF);
}

cl::TBitmap* ExclusivePattern() {
  if (pattern) return pattern;
  patternFace = SystemRgb(cl::clBtnFace);
  patternHighlight = SystemRgb(cl::clBtnHighlight);
  cl::Owned<cl::TBitmap> made = cl::MakeOwned<cl::TBitmap>();
  made->SetSize(8, 8);
  HDC dc = made->Canvas()->Handle();
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, IsExclusivePatternHighlight(x, y) ? patternHighlight : patternFace);
  }
  pattern = made.release();
  return pattern;
}

void DropPatternIfColoursChanged() {
  if (pattern && (patternFace != SystemRgb(cl::clBtnFace) || patternHighlight != SystemRgb(cl::clBtnHighlight))) {
    cl::FreeAndNil(pattern);
  }
}

bool IsPressOrDoubleClick(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

UINT PopupAlignmentFlag(cl::TPopupAlignment alignment) {
  switch (alignment) {
    case cl::paRight:
      return TPM_RIGHTALIGN;
    case cl::paCenter:
      return TPM_CENTERALIGN;
    default:
      return TPM_LEFTALIGN;
  }
}

void DrawButtonEdge(HDC dc, cl::TRect r, bool flat, bool pressed) {
  RECT rect{r.Left, r.Top, r.Right, r.Bottom};
  if (flat) {
    DrawEdge(dc, &rect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else {
    DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
  }
}

}  // namespace

// Hot tracking ends when the mouse is seen anywhere but over the hot button, and when the program is left.
void ButtonHook(THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam) {
  TToolbarButton* hot = hotButton.get();
  if (!hot) return;
  if (kind == hkMouseMove) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(wnd, &at);
    if (cl::FindDragTarget(cl::Point(at.x, at.y), true) != hot) hot->HotLeave();
  } else if (kind == hkActivateApp && wParam == 0 && !hot->FShowBorderWhenInactive) {
    hot->HotLeave();
  }
}

void HotTimerTick() {
  TToolbarButton* hot = hotButton.get();
  if (hot && cl::FindDragTarget(cl::sys::CursorPos(), true) != hot) hot->HotLeave();
}

TToolbarButton::TToolbarButton(cl::TComponent* owner) : cl::TGraphicControl(owner), FGlyph(cl::New<TButtonGlyph>()) {
  if (!hotTimer) {
    hotTimer = cl::New<cl::TTimer>(nullptr);
    hotTimer->SetEnabled(false);
    hotTimer->SetInterval(kHotCheckMs);
    hotTimer->SetOnTimer(cl::TNotifyEvent([](cl::TObject*) { HotTimerTick(); }));
  }
  ++buttonCount;
  AddHookClient(ButtonHook, {hkActivateApp, hkMouseMove}, false);
  SetBounds(0, 0, 23, 22);
  FControlStyle = {cl::csCaptureMouse, cl::csOpaque, cl::csDoubleClicks};
  SetColor(cl::clBtnFace);
  FGlyph->SetOnChange(cl::TNotifyEvent([this](cl::TObject*) { RepaintButton(true); }));
}

void TToolbarButton::BeforeDestruction() {
  // A hot button that is being freed no longer counts as hot: nothing is left to follow.
  if (!hotButton && hotTimer) hotTimer->SetEnabled(false);
  inherited::BeforeDestruction();
  FGlyph->SetOnChange(nullptr);
  cl::FreeAndNil(FGlyph);
  RemoveHookClient(ButtonHook);
  if (--buttonCount == 0) {
    cl::FreeAndNil(pattern);
    cl::FreeAndNil(hotTimer);
  }
}

TToolbarButton* TToolbarButton::HotButton() {
  return hotButton.get();
}

ButtonLook TToolbarButton::Look() const {
  ButtonLook look;
  look.Enabled = Enabled();
  look.GroupIndex = FGroupIndex;
  look.AllowAllUp = FAllowAllUp;
  look.Flat = FFlat;
  look.NumGlyphs = FGlyph ? FGlyph->NumGlyphs() : 1;  // the glyph goes before the button
  look.HasDropdown = HasDropdown();
  look.DropdownCombo = FDropdownCombo;
  return look;
}

bool TToolbarButton::InMainPart(cl::TPoint point) const {
  return tbr::InMainPart(point, cl::Point(Width(), Height()), Look());
}

void TToolbarButton::RepaintButton(bool erase) {
  if (erase && !FOpaque && FFlat) {
    Invalidate();
    return;
  }
  // Marked opaque for the moment, so that the parent leaves the background to the button.
  const bool opaque = FControlStyle.Contains(cl::csOpaque);
  FControlStyle.Include(cl::csOpaque);
  Invalidate();
  if (!opaque) FControlStyle.Exclude(cl::csOpaque);
}

void TToolbarButton::SetControlStyleOpaque() {
  if (FOpaque || !FFlat) {
    FControlStyle.Include(cl::csOpaque);
  } else {
    FControlStyle.Exclude(cl::csOpaque);
  }
}

// ---- Properties ----

void TToolbarButton::SetAlignment(cl::TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  RepaintButton(true);
}

void TToolbarButton::SetAllowAllUp(bool allowAllUp) {
  if (allowAllUp == FAllowAllUp) return;
  FAllowAllUp = allowAllUp;
  UpdateGroup();
}

void TToolbarButton::SetGroupIndex(int groupIndex) {
  if (groupIndex == FGroupIndex) return;
  FGroupIndex = groupIndex;
  UpdateGroup();
}

void TToolbarButton::SetDisplayMode(TButtonDisplayMode mode) {
  if (mode == FDisplayMode) return;
  FDisplayMode = mode;
  RepaintButton(true);
}

void TToolbarButton::SetDown(bool down) {
  const std::optional<bool> next = DownAfterRequest(down, FState.Down, Look());
  if (!next) return;
  FState.Down = *next;
  FState.State = RestingState(Look(), FState.Down);
  RepaintButton(true);
  if (FState.Down) UpdateGroup();
}

void TToolbarButton::UpdateGroup() {
  if (FGroupIndex == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TToolbarButton*>(Parent()->Controls(i));
    if (!other || other == this || other->FGroupIndex != FGroupIndex) continue;
    if (FState.Down && other->FState.Down) {
      other->FState.Down = false;
      other->FState.State = RestingState(other->Look(), false);
      other->RepaintButton(true);
    }
    other->FAllowAllUp = FAllowAllUp;
  }
}

void TToolbarButton::SetDropdownArrow(bool arrow) {
  if (arrow == FDropdownArrow) return;
  FDropdownArrow = arrow;
  RepaintButton(true);
}

void TToolbarButton::SetDropdownCombo(bool combo) {
  if (combo == FDropdownCombo) return;
  FDropdownCombo = combo;
  if (!ComponentState().Contains(cl::csLoading)) SetWidth(ComboSwitchedWidth(Width(), combo));
  RepaintButton(true);
}

void TToolbarButton::SetDropdownMenu(cl::TPopupMenu* menu) {
  if (menu == FDropdownMenu) return;
  if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = menu;
  if (menu) {
    menu->FreeNotification(this);
    DropdownList()->RegisterMenu(menu);
  }
  if (FDropdownArrow) RepaintButton(true);
}

void TToolbarButton::SetFlat(bool flat) {
  if (flat == FFlat) return;
  FFlat = flat;
  SetControlStyleOpaque();
  RepaintButton(true);
}

void TToolbarButton::SetOpaque(bool opaque) {
  if (opaque == FOpaque) return;
  FOpaque = opaque;
  SetControlStyleOpaque();
  Invalidate();
}

cl::TBitmap* TToolbarButton::Glyph() const {
  return FGlyph->Glyph();
}

void TToolbarButton::SetGlyph(const cl::TBitmap* glyph) {
  FGlyph->SetGlyph(glyph);
}

HPALETTE TToolbarButton::GetPalette() {
  return Glyph()->Palette();
}

cl::TBitmap* TToolbarButton::GlyphMask() const {
  return FGlyph->GlyphMask();
}

void TToolbarButton::SetGlyphMask(const cl::TBitmap* mask) {
  FGlyph->SetGlyphMask(mask);
}

cl::TCustomImageList* TToolbarButton::Images() const {
  return FGlyph->Images();
}

void TToolbarButton::SetImages(cl::TCustomImageList* images) {
  if (images == Images()) return;
  if (Images()) Images()->RemoveFreeNotification(this);
  FGlyph->SetImages(images);
  if (images) images->FreeNotification(this);
}

int TToolbarButton::ImageIndex() const {
  return FGlyph->ImageIndex();
}

void TToolbarButton::SetImageIndex(int index) {
  FGlyph->SetImageIndex(index);
}

void TToolbarButton::SetLayout(TButtonLayout layout) {
  if (layout == FLayout) return;
  FLayout = layout;
  RepaintButton(true);
}

void TToolbarButton::SetMargin(int margin) {
  if (margin == FMargin || margin < -1) return;
  FMargin = margin;
  RepaintButton(true);
}

void TToolbarButton::SetNoBorder(bool noBorder) {
  if (noBorder == FNoBorder) return;
  FNoBorder = noBorder;
  Invalidate();
}

int TToolbarButton::NumGlyphs() const {
  return FGlyph->NumGlyphs();
}

void TToolbarButton::SetNumGlyphs(int numGlyphs) {
  numGlyphs = std::clamp(numGlyphs, 1, kMaxNumGlyphs);
  if (numGlyphs == NumGlyphs()) return;
  FGlyph->SetNumGlyphs(numGlyphs);
  RepaintButton(true);
}

bool TToolbarButton::OldDisabledStyle() const {
  return FGlyph->OldDisabledStyle();
}

void TToolbarButton::SetOldDisabledStyle(bool oldStyle) {
  FGlyph->SetOldDisabledStyle(oldStyle);
  RepaintButton(true);
}

void TToolbarButton::SetSpacing(int spacing) {
  if (spacing == FSpacing) return;
  FSpacing = spacing;
  RepaintButton(true);
}

void TToolbarButton::SetWordWrap(bool wordWrap) {
  if (wordWrap == FWordWrap) return;
  FWordWrap = wordWrap;
  RepaintButton(true);
}

void TToolbarButton::Loaded() {
  inherited::Loaded();
  FGlyph->BuildStateImage(Enabled() ? bsUp : bsDisabled);
}

void TToolbarButton::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != cl::opRemove) return;
  if (component == FDropdownMenu) SetDropdownMenu(nullptr);
  if (component == Images()) SetImages(nullptr);
}

// ---- Hot tracking ----

void TToolbarButton::HotEnter() {
  const HotChange change = EnterHot(FState, Look());
  if (!change.Changed) return;
  if (change.Repaint) RepaintButton(change.Erase);
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TToolbarButton::HotLeave() {
  const HotChange change = LeaveHot(FState, Look(), FClicking);
  if (!change.Changed) return;
  StopHotTracking();
  if (change.Repaint) RepaintButton(true);
  if (FOnMouseExit) FOnMouseExit(this);
}

void TToolbarButton::StopHotTracking() {
  if (hotButton.get() != this) return;
  hotButton = nullptr;
  if (hotTimer) hotTimer->SetEnabled(false);
}

void TToolbarButton::TrackHot(cl::TPoint screenPoint) {
  if (hotButton.get() == this || cl::FindDragTarget(screenPoint, true) != this) return;
  if (TToolbarButton* old = hotButton.get()) old->HotLeave();
  if (FreeStarted()) return;
  if (!FShowBorderWhenInactive && !AppHasActiveWindow()) return;
  hotButton = this;
  if (hotTimer) hotTimer->SetEnabled(true);
  HotEnter();
}

void TToolbarButton::UpdateMouseInside() {
  const cl::TPoint cursor = cl::sys::CursorPos();
  if (cl::FindDragTarget(cursor, true) == this) {
    // Counted as inside again, so that the next arrival of the mouse is news.
    if (hotButton.get() != this) {
      TrackHot(cursor);
    } else {
      HotEnter();
    }
  } else {
    HotLeave();
  }
}

// ---- Mouse ----

void TToolbarButton::MouseMove(cl::TShiftState shift, int x, int y) {
  inherited::MouseMove(shift, x, y);
  if (FreeStarted()) return;
  TrackHot(ClientToScreen(cl::Point(x, y)));
  if (FreeStarted() || !FState.PressTracking) return;
  const bool inMain = InMainPart(cl::Point(x, y));
  if (inMain && FRepeatTimer) FRepeatTimer->SetEnabled(true);
  if (TrackPress(FState, inMain)) RepaintButton(false);
}

void TToolbarButton::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  if (!Enabled()) {
    inherited::MouseDown(button, shift, x, y);
    return;
  }
  if (button != cl::mbLeft) {
    HotEnter();
    if (!FreeStarted()) inherited::MouseDown(button, shift, x, y);
    return;
  }
  const PressChange press = PressLeft(FState, Look(), cl::Point(x, y), cl::Point(Width(), Height()));
  // The arrow part only counts while the press is handled (the menu opens inside it).
  cl::Finally arrowDone([this] { FState.ArrowPressed = false; });
  if (press.Entered && FOnMouseEnter) FOnMouseEnter(this);
  if (FreeStarted()) return;
  if (press.Repaint) RepaintButton(false);
  inherited::MouseDown(button, shift, x, y);
  if (FreeStarted()) return;
  if (FState.ArrowPressed) {
    Click();
  } else if (FRepeating) {
    inherited::Click();
    if (FreeStarted()) return;
    FreeRepeatTimer();
    FRepeatTimer = cl::New<cl::TTimer>(this);
    FRepeatTimer->SetInterval(FRepeatDelay);
    FRepeatTimer->SetOnTimer(cl::TNotifyEvent([this](cl::TObject*) { RepeatTick(); }));
  }
}

void TToolbarButton::RepeatTick() {
  FRepeatTimer->SetInterval(FRepeatInterval);
  const bool held =
      FRepeating && FState.PressTracking && MouseCapture() && InMainPart(ScreenToClient(cl::sys::CursorPos()));
  if (!held) {
    FRepeatTimer->SetEnabled(false);
    return;
  }
  // The handler may disable or free the button, and with it this timer.
  inherited::Click();
}

void TToolbarButton::FreeRepeatTimer() {
  cl::FreeAndNil(FRepeatTimer);
}

void TToolbarButton::MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  FreeRepeatTimer();
  if (button == cl::mbRight && Enabled()) {
    FState.PressTracking = false;
    HotLeave();
    if (FreeStarted()) return;
  }
  inherited::MouseUp(button, shift, x, y);
  if (FreeStarted() || button != cl::mbLeft || !FState.PressTracking) return;
  const ReleaseChange release = ReleaseLeft(FState, Look(), InMainPart(cl::Point(x, y)), FRepeating);
  if (release.Click) {
    Click();
    return;
  }
  if (release.Repaint) RepaintButton(false);
  UpdateMouseInside();
}

void TToolbarButton::CancelMode() {
  FreeRepeatTimer();
  FState.PressTracking = false;
  HotLeave();
}

void TToolbarButton::DblClick() {
  if (FState.Down) inherited::DblClick();
}

// ---- Clicks and dropdown menus ----

void TToolbarButton::Click() {
  cl::DispatchScope scope(this);  // a handler that frees the button leaves it whole until this returns
  FClicking = true;
  cl::Finally end([this] {
    FClicking = false;
    EndClickLook(FState);
    if (FreeStarted()) return;
    RepaintButton(true);
    UpdateMouseInside();
  });
  if (FGroupIndex != 0) SetDown(!FState.Down);
  if (kStayPressedWhileClicking && StartClickLook(FState)) RepaintButton(false);
  HotLeave();
  if (FreeStarted()) return;
  if (!HasDropdown() || (FDropdownCombo && !FState.ArrowPressed)) {
    if (cl::TForm* form = cl::GetParentForm(this)) form->SetModalResult(FModalResult);
    inherited::Click();
    return;
  }
  if (!FDropdownCombo) {
    inherited::Click();
    if (FreeStarted() || !HasDropdown()) return;
  }
  SetMouseCapture(false);
  ShowDropdown();
}

void TToolbarButton::ShowDropdown() {
  const cl::Weak<cl::TPopupMenu> menu(FDropdownMenu);
  const auto* toolbar = dynamic_cast<TCustomToolWindow*>(Parent());
  const TDock* dock = toolbar ? toolbar->DockedTo() : nullptr;
  const DropdownPlacement placement =
      DropdownPlacementFor(dock != nullptr, dock ? dock->Position() : dpTop, cl::Point(Width(), Height()));
  const cl::TPoint at = ClientToScreen(placement.Point);
  const cl::TPopupAlignment oldAlignment = menu->Alignment();
  menu->SetAlignment(placement.RightAligned ? cl::paRight : cl::paLeft);
  {
    cl::Finally restore([&] {
      if (menu) menu->SetAlignment(oldAlignment);
    });
    menu->SetPopupComponent(this);
    TDropdownList* list = ExistingDropdownList();
    if (menu->ClassType() == cl::TPopupMenu::StaticClass() && list && list->Handle()) {
      if (menu->OnPopup()) menu->OnPopup()(menu.get());
      if (menu) {
        TrackPopupMenu(menu->Handle(), PopupAlignmentFlag(menu->Alignment()), at.X, at.Y, 0, list->Handle(), nullptr);
      }
    } else {
      menu->Popup(at.X, at.Y);
    }
  }
  if (!FreeStarted()) RequeueMouseMessages();
}

void TToolbarButton::RequeueMouseMessages() {
  const HWND parent = Parent() && Parent()->HandleAllocated() ? Parent()->Handle() : nullptr;
  const cl::TRect bounds = BoundsRect();
  std::vector<MSG> kept;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_MBUTTONDBLCLK, PM_REMOVE)) {
    const int x = static_cast<short>(LOWORD(msg.lParam));
    const int y = static_cast<short>(HIWORD(msg.lParam));
    const bool onThisButton =
        parent && msg.hwnd == parent && x >= bounds.Left && x < bounds.Right && y >= bounds.Top && y < bounds.Bottom;
    // The press that closed the menu must not open it again.
    if (onThisButton && IsPressOrDoubleClick(msg.message)) continue;
    kept.push_back(msg);
  }
  for (const MSG& m : kept) PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
}

// ---- Messages and painting ----

void TToolbarButton::WndProc(cl::TMessage& message) {
  // A cancelled press gives the mouse back, but only the button's own: the toolbar's window may hold it for
  // another button's press or for the bar's own moving, sizing or close-button loop.
  if (message.Msg == WM_CANCELMODE && MouseCapture()) SetMouseCapture(false);
  inherited::WndProc(message);
}

void TToolbarButton::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case cl::CM_ENABLEDCHANGED:
      EnabledChanged(FState, Look());
      if (!Enabled()) {
        StopHotTracking();
        Perform(WM_CANCELMODE);
      }
      if (!FreeStarted()) RepaintButton(true);
      return;
    case WM_CANCELMODE:
      inherited::Dispatch(message);
      CancelMode();
      return;
    case cl::CM_DIALOGCHAR:
      if (Enabled() && Visible() && FDisplayMode != dmGlyphOnly &&
          cl::IsAccel(static_cast<char>(message.WParam), Caption())) {
        Click();
        message.Result = 1;
        return;
      }
      break;
    case cl::CM_FONTCHANGED:
    case cl::CM_TEXTCHANGED:
      inherited::Dispatch(message);
      RepaintButton(true);
      return;
    case cl::CM_SYSCOLORCHANGE:
      inherited::Dispatch(message);
      DropPatternIfColoursChanged();
      FGlyph->DropImages();
      FGlyph->BuildStateImage(FState.State);
      RepaintButton(true);
      return;
    default:
      break;
  }
  inherited::Dispatch(message);
}

void TToolbarButton::Paint() {
  const int width = Width();
  const int height = Height();
  // Opaque and 3-D buttons are drawn off the screen and copied in one step, so that nothing flickers.
  cl::Owned<cl::TBitmap> buffer;
  cl::TCanvas* canvas = Canvas();
  if (FOpaque || !FFlat) {
    buffer = cl::MakeOwned<cl::TBitmap>();
    buffer->SetSize(width, height);
    canvas = buffer->Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(cl::Rect(0, 0, width, height));
  }
  canvas->SetFont(Font());
  const TButtonDrawState state = FState.State;
  const bool pushed = state == bsPressed || state == bsExclusive;
  const bool combo = FDropdownCombo && HasDropdown();
  cl::TRect r = cl::Rect(0, 0, width, height);
  if (!FNoBorder && (pushed || !FFlat || (FState.MouseInside && state != bsDisabled))) {
    HDC dc = canvas->Handle();
    if (combo) {
      DrawButtonEdge(dc, cl::Rect(width - kComboArrowWidth, 0, width - kComboArrowEdgeRight, height), FFlat,
                     pushed && FState.ArrowPressed);
      r.Right -= kComboArrowWidth;
    }
    DrawButtonEdge(dc, r, FFlat, pushed && !(combo && FState.ArrowPressed));
  } else if (combo) {
    r.Right -= kComboArrowWidth;
  }
  if (!FNoBorder) {
    const int inset = FFlat ? 1 : 2;
    r = cl::Rect(r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset);
  }
  const cl::TPoint offset = pushed && !(combo && FState.ArrowPressed) ? cl::Point(1, 1) : cl::Point(0, 0);
  if (state == bsExclusive && (!FFlat || !FState.MouseInside)) {
    canvas->Brush()->SetBitmap(ExclusivePattern());
    canvas->FillRect(r);
    canvas->Brush()->SetBitmap(nullptr);
  }
  TButtonGlyph::ButtonContent content;
  content.State = state;
  content.DrawArrow = FDropdownArrow && !FDropdownCombo && HasDropdown();
  content.Spacing = FSpacing;
  content.Margin = FMargin;
  content.Layout = FLayout;
  content.Alignment = FAlignment;
  content.WordWrap = FWordWrap;
  content.Caption = Caption();
  content.ShowText = FDisplayMode != dmGlyphOnly;
  content.ShowGlyph = FDisplayMode != dmTextOnly;
  content.Offset = offset;
  FGlyph->DrawButton(canvas, r, content);
  if (combo) FGlyph->DrawDropArrow(canvas, width - kComboArrowRight, height / 2 - 1, state);
  if (buffer) Canvas()->Draw(0, 0, buffer.get());
}

}  // namespace tbr
