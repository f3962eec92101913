// TScrollBox: ranges, positions and the system scroll bars.
#include "classlib/win/scroll_box.h"

#include <algorithm>

#include "classlib/win/colors.h"

namespace cl {

namespace {
constexpr UINT kDefaultWheelLines = 3;
}

void TControlScrollBar::SetPosition(int position) {
  FBox->ScrollTo(*this, position);
}

void TControlScrollBar::SetRange(int range) {
  FRange = std::max(0, range);
  FBox->SetAutoScroll(false);
  FBox->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool visible) {
  FVisible = visible;
  FBox->UpdateScrollBars();
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 185, 41);
  FControlStyle.Include(csAcceptsControls);
  SetColor(clBtnFace);
}

void TScrollBox::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
  if (FBorderStyle != bsNone) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::SetBorderStyle(TFormBorderStyle style) {
  if (style == FBorderStyle) return;
  FBorderStyle = style;
  RecreateWnd();
}

void TScrollBox::CreateWnd() {
  inherited::CreateWnd();
  UpdateScrollBars();
}

void TScrollBox::SetAutoScroll(bool autoScroll) {
  if (autoScroll == FAutoScroll) return;
  FAutoScroll = autoScroll;
  UpdateScrollBars();
}

int TScrollBox::ClientExtent(const TControlScrollBar& bar) const {
  TRect client = ClientRect();
  return bar.FBar == SB_HORZ ? client.Width() : client.Height();
}

void TScrollBox::AlignControls(TControl* control, TRect& rect) {
  inherited::AlignControls(control, rect);
  UpdateScrollBars();
}

void TScrollBox::ControlBoundsChanged(TControl* control) {
  if (!FScrolling) UpdateScrollBars();
}

void TScrollBox::UpdateScrollBars() {
  if (FUpdating) return;
  FUpdating = true;
  if (FAutoScroll) {
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (!c->Visible() || c->Align() != alNone) continue;
      right = std::max(right, c->Left() + c->Width());
      bottom = std::max(bottom, c->Top() + c->Height());
    }
    FHorz.FRange = right + FHorz.FPosition;
    FVert.FRange = bottom + FVert.FPosition;
  }
  if (HandleAllocated()) {
    // Two passes: showing one bar shrinks the client area and may call for the other.
    for (int pass = 0; pass < 2; ++pass) {
      for (TControlScrollBar* bar : {&FHorz, &FVert}) {
        SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
        const int page = ClientExtent(*bar);
        const bool needed = bar->FVisible && bar->FRange > page;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = needed ? bar->FRange - 1 : 0;
        info.nPage = needed ? page : 0;
        info.nPos = needed ? bar->FPosition : 0;
        SetScrollInfo(Handle(), bar->FBar, &info, TRUE);
        ShowScrollBar(Handle(), bar->FBar, needed);
      }
    }
  }
  FUpdating = false;
  // A shrunk range may leave the position past its end.
  for (TControlScrollBar* bar : {&FHorz, &FVert}) ScrollTo(*bar, bar->FPosition);
}

void TScrollBox::ScrollTo(TControlScrollBar& bar, int position) {
  const int limit = std::max(0, bar.FRange - ClientExtent(bar));
  position = std::clamp(position, 0, limit);
  const int delta = bar.FPosition - position;
  if (delta == 0) return;
  bar.FPosition = position;
  FScrolling = true;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (bar.FBar == SB_HORZ) {
      c->SetBounds(c->Left() + delta, c->Top(), c->Width(), c->Height());
    } else {
      c->SetBounds(c->Left(), c->Top() + delta, c->Width(), c->Height());
    }
  }
  EnableAlign();
  FScrolling = false;
  if (HandleAllocated()) {
    SetScrollPos(Handle(), bar.FBar, position, TRUE);
    Invalidate();
  }
}

void TScrollBox::ScrollMessage(TControlScrollBar& bar, WPARAM request) {
  const int page = ClientExtent(bar);
  int position = bar.FPosition;
  switch (LOWORD(request)) {
    case SB_LINEUP:
      position -= bar.FIncrement;
      break;
    case SB_LINEDOWN:
      position += bar.FIncrement;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(Handle(), bar.FBar, &info);
      position = info.nTrackPos;
      break;
    }
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = bar.FRange;
      break;
    default:
      return;
  }
  ScrollTo(bar, position);
}

void TScrollBox::MouseWheel(TControlScrollBar& bar, int delta) {
  // A notch scrolls the lines the system's setting asks for (three by default), each the bar's arrow step; a
  // setting of "one screen at a time" scrolls a page. High-resolution wheels send parts of a notch.
  UINT lines = kDefaultWheelLines;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int notch = lines == WHEEL_PAGESCROLL ? ClientExtent(bar) : static_cast<int>(lines) * bar.FIncrement;
  ScrollTo(bar, bar.FPosition - delta * notch / WHEEL_DELTA);
}

void TScrollBox::Dispatch(TMessage& message) {
  // The box's own bars send these with no control handle (a child's bar is reflected to the child instead).
  if (message.Msg == WM_HSCROLL && message.LParam == 0) {
    ScrollMessage(FHorz, message.WParam);
    return;
  }
  if (message.Msg == WM_VSCROLL && message.LParam == 0) {
    ScrollMessage(FVert, message.WParam);
    return;
  }
  // The wheel scrolls down and up, across with Shift; a tilt wheel scrolls across (its delta points right).
  if (message.Msg == WM_MOUSEWHEEL) {
    const bool across = (GET_KEYSTATE_WPARAM(message.WParam) & MK_SHIFT) != 0;
    MouseWheel(across ? FHorz : FVert, GET_WHEEL_DELTA_WPARAM(message.WParam));
    message.Result = 0;
    return;
  }
  if (message.Msg == WM_MOUSEHWHEEL) {
    MouseWheel(FHorz, -GET_WHEEL_DELTA_WPARAM(message.WParam));
    message.Result = 0;
    return;
  }
  inherited::Dispatch(message);
  if (message.Msg == WM_SIZE) UpdateScrollBars();
}

}  // namespace cl
