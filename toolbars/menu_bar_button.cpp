#include "toolbars/menu_bar_button.h"

#include <cstdlib>

#include "classlib/core/finally.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "toolbars/core/menu_text.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/dock.h"
#include "toolbars/main_menu_ex.h"
#include "toolbars/popup_menu_ex.h"

namespace tbr::menus {
namespace {

// Where the glyph starts: the MDI button's icon nearly fills it.
constexpr int kGlyphLeft = 6;
constexpr int kMDIGlyphLeft = 2;
// The glyph is centred on a 16-pixel cell.
constexpr int kGlyphHalf = 7;
// Mouse moves within this of the last one are not news.
constexpr int kMoveSlackX = 2;
constexpr int kMoveSlackY = 3;

bool SideDocked(const TCustomToolWindow* bar) {
  const TDock* dock = bar ? bar->DockedTo() : nullptr;
  return dock && (dock->Position() == dpLeft || dock->Position() == dpRight);
}

}  // namespace

TMenuBarButton::TMenuBarButton(cl::TComponent* owner) : TToolbarButton(owner) {}

void TMenuBarButton::BeforeDestruction() {
  if (menus::HotButton() == this) SetHotButton(nullptr);
  if (LastButton() == this) SetLastButton(nullptr);
  // The menu was made for this button: it goes with it, and the engine forgets it if it is open.
  if (TCustomPopupMenuEx* menu = FOwnedDropdown.get()) menu->Free();
  inherited::BeforeDestruction();
  cl::FreeAndNil(FImage);
  cl::FreeAndNil(FRotatedImage);
}

void TMenuBarButton::SetOrientation(TButtonOrientation orientation) {
  if (orientation == FOrientation) return;
  FOrientation = orientation;
  Invalidate();
}

void TMenuBarButton::SetAutoSize(bool autoSize) {
  FAutoSize = autoSize;
  if (FAutoSize) AdjustSize();
}

void TMenuBarButton::SetOwnedDropdown(TCustomPopupMenuEx* menu) {
  FOwnedDropdown = menu;
  SetDropdownMenu(menu);
}

void TMenuBarButton::DropImages() {
  FImageValid = false;
  FRotatedValid = false;
}

TMainMenuEx* TMenuBarButton::MenuBarOf() const {
  return dynamic_cast<TMainMenuEx*>(Parent());
}

MenuBar* TMenuBarButton::Bar() {
  return MenuBarOf();
}

TCustomPopupMenuEx* TMenuBarButton::DropdownMenuEx() const {
  return dynamic_cast<TCustomPopupMenuEx*>(DropdownMenu());
}

bool TMenuBarButton::Vertical() const {
  return IsVerticalButton(FOrientation, Width(), Height());
}

// ---- Size ----

void TMenuBarButton::AdjustSize() {
  if (!FAutoSize || !dynamic_cast<TCustomToolbar*>(Parent())) return;
  SetBounds(Left(), Top(), Width(), Height());
}

void TMenuBarButton::SetBounds(int left, int top, int width, int height) {
  auto* toolbar = dynamic_cast<TCustomToolbar*>(Parent());
  if (FAutoSize && toolbar) {
    const TMainMenuEx* bar = MenuBarOf();
    const bool across = bar ? bar->ButtonsAcross() : SideDocked(toolbar);
    cl::TBitmap measure;
    measure.Canvas()->SetFont(Font());
    const SIZE caption = measure.Canvas()->TextExtent(DisplayedCaption(Caption()));
    const int glyphHeight = Glyph()->Empty() ? 0 : Glyph()->Height();
    const cl::TPoint size =
        MenuBarButtonSize(cl::Point(caption.cx, caption.cy), glyphHeight, FMDIButton, SideDocked(toolbar));
    width = size.X;
    height = size.Y;
  }
  if (width != Width() || height != Height()) DropImages();
  inherited::SetBounds(left, top, width, height);
}

// ---- Looks ----

void TMenuBarButton::SetHotLook(bool hot) {
  if (FMDIButton) hot = false;
  if (hot == FHot) return;
  FHot = hot;
  Invalidate();
}

void TMenuBarButton::PaintHot() {
  SetHotLook(true);
}

void TMenuBarButton::PaintLeft() {
  SetHotLook(false);
}

void TMenuBarButton::SetButtonDown(bool down) {
  SetDown(down);
  Invalidate();
}

void TMenuBarButton::HotEnter() {
  inherited::HotEnter();
  if (!FreeStarted() && MouseInside()) SetHotLook(true);
}

void TMenuBarButton::HotLeave() {
  // A button lit by the keyboard stays lit when the mouse goes.
  if (TMainMenuEx* bar = MenuBarOf(); bar && bar->KeyboardMode()) return;
  inherited::HotLeave();
  if (!FreeStarted() && !MouseInside()) SetHotLook(false);
}

void TMenuBarButton::BuildImage(int width, int height) {
  if (!FImage) FImage = cl::New<cl::TBitmap>();
  FImage->SetSize(width, height);
  cl::TCanvas* canvas = FImage->Canvas();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(cl::Rect(0, 0, width, height));
  int textLeft = 0;
  if (!Glyph()->Empty()) {
    const int x = FMDIButton ? kMDIGlyphLeft : kGlyphLeft;
    const int y = height / 2 - kGlyphHalf;
    if (Enabled()) {
      DrawTransparentGlyph(canvas, x, y, Glyph()->Handle());
    } else {
      DrawDisabledGlyph(canvas, x, y, Glyph()->Handle());
    }
    textLeft = x + Glyph()->Width();
  }
  if (!Caption().empty()) {
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(cl::bsClear);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    cl::TRect r = cl::Rect(textLeft, 0, width, height);
    if (Enabled()) {
      canvas->TextRect(r, Caption(), format);
    } else {
      cl::TRect shifted = cl::Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
      canvas->Font()->SetColor(cl::clBtnHighlight);
      canvas->TextRect(shifted, Caption(), format);
      canvas->Font()->SetColor(cl::clBtnShadow);
      canvas->TextRect(r, Caption(), format);
    }
  }
  FImageValid = true;
}

void TMenuBarButton::BuildRotatedImage() {
  const int width = FImage->Width();
  const int height = FImage->Height();
  if (!FRotatedImage) FRotatedImage = cl::New<cl::TBitmap>();
  FRotatedImage->SetSize(height, width);
  cl::TCanvas* target = FRotatedImage->Canvas();
  target->Brush()->SetColor(Color());
  target->FillRect(cl::Rect(0, 0, height, width));
  cl::TCanvas* source = FImage->Canvas();
  const cl::TColor background = cl::ColorToRGB(Color());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const cl::TColor pixel = source->Pixels(x, y);
      if (pixel == background) continue;
      const cl::TPoint to = RotatedPixel(x, y, height);
      target->SetPixels(to.X, to.Y, pixel);
    }
  }
  FRotatedValid = true;
}

void TMenuBarButton::Paint() {
  TMainMenuEx* bar = MenuBarOf();
  if (FHot && AnyMenuOpen()) FHot = false;
  // The button the keyboard used last lights up again when the bar is in keyboard mode.
  if (!FMDIButton && bar && bar->KeyboardMode() && LastButton() == this && AppHasActiveWindow() &&
      !menus::HotButton()) {
    SetHotButton(this);
    FHot = true;
  }
  const bool vertical = Vertical();
  if (!FImageValid) {
    if (vertical) {
      BuildImage(Height(), Width());
    } else {
      BuildImage(Width(), Height());
    }
    FRotatedValid = false;
  }
  if (vertical && !FRotatedValid) BuildRotatedImage();
  const bool pressed = !FMDIButton && (Down() || DrawState() == bsPressed);
  const int offset = pressed ? 1 : 0;
  cl::TCanvas* canvas = Canvas();
  canvas->Draw(offset, offset, vertical ? FRotatedImage : FImage);
  RECT edge = {0, 0, Width(), Height()};
  if (pressed) {
    DrawEdge(canvas->Handle(), &edge, BDR_SUNKENOUTER, BF_RECT);
  } else if (FHot) {
    DrawEdge(canvas->Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
  }
}

// ---- Mouse and keys ----

void TMenuBarButton::MouseMove(cl::TShiftState shift, int x, int y) {
  if (FSwitchPending) {
    FSwitchPending = false;
    if (Enabled()) Click();
    return;
  }
  if (std::abs(x - FLastMouse.X) <= kMoveSlackX && std::abs(y - FLastMouse.Y) < kMoveSlackY) return;
  FLastMouse = cl::Point(x, y);
  TCustomPopupMenuEx* open = ActivePopupMenu();
  if (!Down() && DropdownMenuEx() && open && open->IsOpen()) {
    MenuBarButton* opener = open->BarButton();
    if (opener && opener != this && opener->Bar() == Bar()) {
      // The next move over this button opens its menu.
      CloseAllMenus(true);
      FSwitchPending = true;
    }
  }
  inherited::MouseMove(shift, x, y);
  if (FreeStarted()) return;
  if (MenuBar* active = ActiveMenuBar(); active && active->StatusBar()) ShowStatusHint(Hint());
  SetLastButton(this);
}

void TMenuBarButton::DblClick() {
  if (!FMDIButton) {
    inherited::DblClick();
    return;
  }
  CloseAllMenus(false);
  if (TMainMenuEx* bar = MenuBarOf()) bar->CloseActiveMDIChild();
}

void TMenuBarButton::Click() {
  cl::DispatchScope scope(this);
  TMainMenuEx* bar = MenuBarOf();
  if (bar) bar->SetKeyboardMode(false);
  TCustomPopupMenuEx* menu = DropdownMenuEx();
  if ((Down() || FMDIButton) && menu && ActivePopupMenu() == menu && menu->IsOpen()) {
    CloseAllMenus(true);
    if (FreeStarted()) return;
    SetButtonDown(false);
    PaintHot();
    return;
  }
  CloseAllMenus(true);
  if (FreeStarted()) return;
  SetHotButton(nullptr);
  SetLastButton(this);
  // The item's click: a top-level item's handler prepares its menu before it opens.
  cl::TGraphicControl::Click();
  if (FreeStarted()) return;
  menu = DropdownMenuEx();
  if (!menu) {
    ShowMenuCaret();
    PaintLeft();
    PlayMenuSound(msCommand);
    PaintHot();
    return;
  }
  SetButtonDown(true);
  Repaint();
  PaintLeft();
  SetMouseCapture(false);
  menu->SetPopupComponent(this);
  if (bar) bar->ApplySettings(menu);
  MenuBarPlace place;
  if (bar) {
    place.Docked = bar->IsDocked();
    place.SideDock = SideDocked(bar);
    place.BarSize = cl::Point(bar->ClientWidth(), bar->ClientHeight());
  }
  place.Button = BoundsRect();
  const cl::TPoint at = ClientToScreen(MenuBarPopupPoint(place));
  if (FMDIButton) {
    DispatchPendingPaints();
    if (FreeStarted() || !bar) return;
    if (TCustomPopupMenuEx* system = bar->MDISystemMenu(this)) OpenMenu(system, nullptr, at);
    return;
  }
  OpenMenu(menu, FItem.get(), at);
  if (FreeStarted()) return;
  SetButtonDown(menu->IsOpen());
}

void TMenuBarButton::OpenMenu(TCustomPopupMenuEx* menu, cl::TMenuItem* item, cl::TPoint at) {
  auto* popup = dynamic_cast<TPopupMenuEx*>(menu);
  if (!popup || (!item && !FMDIButton)) return;
  popup->SetShowItem(item);
  popup->Popup(at.X, at.Y);
}

void TMenuBarButton::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case cl::CM_DIALOGCHAR:
      if (MenuBarButton* hot = menus::HotButton();
          hot && Enabled() && Visible() && cl::IsAccel(static_cast<char>(message.WParam), Caption())) {
        hot->PaintLeft();
      }
      break;
    case cl::CM_MOUSEENTER:
      inherited::Dispatch(message);
      // A disabled button must not stay lit.
      if (!Enabled()) MouseMove({}, -1, -1);
      return;
    case cl::CM_SYSCOLORCHANGE:
      FreePatternBitmap();
      DropImages();
      break;
    case cl::CM_ENABLEDCHANGED:
      DropImages();
      break;
    case cl::CM_FONTCHANGED:
    case cl::CM_TEXTCHANGED:
      DropImages();
      inherited::Dispatch(message);
      AdjustSize();
      return;
    default:
      break;
  }
  inherited::Dispatch(message);
}

}  // namespace tbr::menus
