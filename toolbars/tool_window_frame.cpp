// The frame of a tool window: its size, its painting docked (raised edge, drag grip, the dock's background showing
// through) and floating (raised border, small caption, close button), hit-testing, the window style, and the
// close button's own mouse loop.
#include <windows.h>

#include <algorithm>

#include "classlib/core/finally.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/gdi.h"
#include "classlib/win/guard.h"
#include "toolbars/capture_loop.h"
#include "toolbars/dock.h"
#include "toolbars/tool_window.h"
#include "toolbars/window_frame.h"

namespace tbr {
namespace {

static_assert(kHtClient == HTCLIENT && kHtLeft == HTLEFT && kHtBottomRight == HTBOTTOMRIGHT && kHtClose == HTCLOSE);

using DrawCaptionProc = BOOL(WINAPI*)(HWND, HDC, const RECT*, UINT);

// The system's caption painter, looked up by name: when a system lacks it, the bar paints its caption itself.
DrawCaptionProc SystemDrawCaption() {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  FARPROC found = user32 ? GetProcAddress(user32, "DrawCaption") : nullptr;
  // Through the generic function type, which converts to any other without a warning.
  return reinterpret_cast<DrawCaptionProc>(reinterpret_cast<void (*)()>(found));
}

bool GradientCaptions() {
  BOOL gradient = FALSE;
  return SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0) && gradient;
}

RECT ToRECT(const cl::TRect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

void Fill(HDC dc, const cl::TRect& r, HBRUSH brush) {
  const RECT rect = ToRECT(r);
  FillRect(dc, &rect, brush);
}

// The own caption font, as the caption of small windows used to look.
constexpr int kCaptionFontHeight = -11;
constexpr int kCaptionFontWeight = 400;
constexpr char kCaptionFontName[] = "MS Sans Serif";

}  // namespace

FloatingFrame TCustomToolWindow::Frame() const {
  const cl::TPoint frame = FloatingFrameSize(FSizableFrame);
  return FloatingFrame{frame.X, frame.Y, SmallCaptionHeight(), Width() - NonClientMargins().Horizontal()};
}

void TCustomToolWindow::CreateParams(cl::TCreateParams& params) {
  inherited::CreateParams(params);
  if (!Floating()) return;
  // Floating: a popup owned by its floating parent (and, once shown, by its form), with a border to size by.
  params.Style = WS_POPUP | WS_BORDER | (FSizableFrame ? WS_THICKFRAME : 0) | WS_CLIPCHILDREN;
  params.ExStyle = 0;
}

void TCustomToolWindow::NonClientCalcSize(cl::TMessage& message) {
  RECT& r = message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                           : *reinterpret_cast<RECT*>(message.LParam);
  const FrameMargins margins = NonClientMargins();
  r.left += margins.Left;
  r.top += margins.Top;
  r.right = std::max(r.left, r.right - margins.Right);
  r.bottom = std::max(r.top, r.bottom - margins.Bottom);
  message.Result = 0;
}

void TCustomToolWindow::RequestFrameRepaint() {
  // Without a window there is nothing to repaint, and a message to no window would go to the thread.
  if (!HandleAllocated()) return;
  const HWND wnd = Handle();
  MSG pending;
  while (PeekMessageA(&pending, wnd, WM_TOOLWINDOW_FRAMEREPAINT, WM_TOOLWINDOW_FRAMEREPAINT, PM_REMOVE | PM_NOYIELD)) {
  }
  PostMessageA(wnd, WM_TOOLWINDOW_FRAMEREPAINT, 0, 0);
}

HPALETTE TCustomToolWindow::GetPalette() {
  return FDockedTo && FDockedTo->HasBackground() ? FDockedTo->Background()->Palette() : nullptr;
}

bool TCustomToolWindow::PaletteChanged(bool foreground) {
  const bool realized = inherited::PaletteChanged(foreground);
  if (!foreground && GetPalette()) {
    RequestFrameRepaint();
    Invalidate();
  }
  return realized;
}

void TCustomToolWindow::RedrawCaption() {
  if (!HandleAllocated() || FDockedTo) return;
  WindowFrameDC dc(Handle(), 1);
  PaintFloatingFrame(dc.Get(), false, true, true);
}

void TCustomToolWindow::NonClientPaint(WPARAM updateRegion) {
  if (!HandleAllocated()) return;
  WindowFrameDC dc(Handle(), updateRegion);
  if (FDockedTo) {
    PaintDockedFrame(dc.Get());
  } else {
    PaintFloatingFrame(dc.Get(), true, true, true);
  }
}

void TCustomToolWindow::PaintDockedFrame(HDC dc) {
  const FrameMargins margins = NonClientMargins();
  const int width = Width();
  const int height = Height();
  const int clientWidth = width - margins.Horizontal();
  const int clientHeight = height - margins.Vertical();
  const cl::TRect client = cl::Bounds(margins.Left, margins.Top, clientWidth, clientHeight);
  RECT whole{0, 0, width, height};
  DrawEdge(dc, &whole, BDR_RAISEDINNER, BF_RECT);
  cl::gdi::Object<HBRUSH> face(
      static_cast<HBRUSH>(cl::gdi::Track(cl::gdi::Check(CreateSolidBrush(cl::ColorToRGB(Color()) & 0xFFFFFF)))));
  const RECT ring{1, 1, width - 1, height - 1};
  FrameRect(dc, &ring, face.Get());
  const bool background = FDockedTo->HasBackground() && FDockedTo->BackgroundOnToolbars();
  if (background) {
    const cl::TPoint origin = FDockedTo->TilingOrigin(this);
    const cl::TRect inside = cl::Rect(1, 1, width - 1, height - 1);
    FDockedTo->TileBackground(dc, inside, &client,
                              cl::Rect(origin.X + margins.Left, origin.Y + margins.Top, width, height));
  }
  if (!FDockedTo->AllowDrag() || !FDragHandle) return;
  // Two raised bars across the leading end, with the pixel where their edges meet lit.
  const bool vertical = FDockedTo->Orientation() == doVertical;
  auto grip = [&](int along1, int across1, int along2, int across2) {
    return vertical ? cl::Rect(across1, along1, across2, along2) : cl::Rect(along1, across1, along2, across2);
  };
  const int across = (vertical ? clientWidth : clientHeight) + 2;
  for (const cl::TRect& bar : {grip(4, 2, 7, across), grip(7, 2, 10, across)}) {
    RECT r = ToRECT(bar);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
  }
  if (!background) {
    Fill(dc, grip(2, 2, 4, across), face.Get());
    Fill(dc, grip(10, 2, 11, across), face.Get());
  }
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  for (int along : {4, 7}) {
    const cl::TRect at = grip(along, across - 1, along + 1, across);
    SetPixel(dc, at.Left, at.Top, highlight);
  }
}

void TCustomToolWindow::PaintFloatingFrame(HDC dc, bool drawBorder, bool drawCaption, bool drawButton) {
  const FloatingFrame frame = Frame();
  const FrameMargins margins = NonClientMargins();
  if (drawBorder) {
    RECT whole{0, 0, Width(), Height()};
    DrawEdge(dc, &whole, EDGE_RAISED, BF_RECT);
    cl::gdi::SaveDCGuard saved(dc);
    ExcludeClipRect(dc, margins.Left, margins.Top, Width() - margins.Right, Height() - margins.Bottom);
    const RECT inside{2, 2, Width() - 2, Height() - 2};
    FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
  }
  const bool withButton = FCloseButton && drawButton;
  if (drawCaption) {
    // Without the button in this pass, its square is left alone.
    cl::TRect caption = CaptionRect(frame, FCloseButton && !drawButton);
    {
      cl::gdi::SaveDCGuard saved(dc);
      if (withButton) {
        const cl::TRect button = CloseButtonRect(frame);
        ExcludeClipRect(dc, button.Left, button.Top, button.Right, button.Bottom);
      }
      PaintCaption(dc, caption);
    }
    Fill(dc, cl::Rect(caption.Left, caption.Bottom, frame.FrameX + frame.ClientWidth, caption.Bottom + 1),
         GetSysColorBrush(COLOR_BTNFACE));
  }
  if (withButton) PaintCloseButton(dc, drawCaption);
}

void TCustomToolWindow::PaintCaption(HDC dc, const cl::TRect& caption) {
  const bool active = !FInactiveCaption;
  const RECT r = ToRECT(caption);
  if (DrawCaptionProc drawCaption = SystemDrawCaption()) {
    UINT flags = DC_SMALLCAP | DC_TEXT;
    if (active) flags |= DC_ACTIVE;
    if (GradientCaptions()) flags |= DC_GRADIENT;
    drawCaption(Handle(), dc, &r, flags);
    return;
  }
  FillRect(dc, &r, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  cl::gdi::Object<HFONT> font(static_cast<HFONT>(cl::gdi::Track(cl::gdi::Check(
      CreateFontA(kCaptionFontHeight, 0, 0, 0, kCaptionFontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kCaptionFontName)))));
  cl::gdi::SelectGuard selected(dc, font.Get());
  RECT text{r.left + 1, r.top, r.right - 1, r.bottom};
  const std::string shown = FitCaption(Caption(), text.right - text.left, [dc](const std::string& s) {
    SIZE size{};
    GetTextExtentPoint32A(dc, s.data(), static_cast<int>(s.size()), &size);
    return static_cast<int>(size.cx);
  });
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  DrawTextA(dc, shown.data(), static_cast<int>(shown.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void TCustomToolWindow::PaintCloseButton(HDC dc, bool withRing) {
  const cl::TRect button = CloseButtonRect(Frame());
  RECT face{button.Left + 1, button.Top + 1, button.Right - 1, button.Bottom - 1};
  DrawFrameControl(dc, &face, DFC_CAPTION, DFCS_CAPTIONCLOSE | (FCloseButtonDown ? DFCS_PUSHED : 0));
  if (!withRing) return;
  // The ring takes the colour the caption has next to it.
  const bool gradient = GradientCaptions();
  const int color = FInactiveCaption ? (gradient ? COLOR_GRADIENTINACTIVECAPTION : COLOR_INACTIVECAPTION)
                                     : (gradient ? COLOR_GRADIENTACTIVECAPTION : COLOR_ACTIVECAPTION);
  const RECT ring = ToRECT(button);
  FrameRect(dc, &ring, GetSysColorBrush(color));
}

int TCustomToolWindow::HitTest(cl::TMessage& message) {
  DefaultHandler(message);
  RECT window;
  GetWindowRect(Handle(), &window);
  HitTestRequest request;
  request.Point = cl::Point(static_cast<short>(LOWORD(message.LParam)) - window.left,
                            static_cast<short>(HIWORD(message.LParam)) - window.top);
  request.WindowWidth = window.right - window.left;
  request.WindowHeight = window.bottom - window.top;
  request.Inherited = static_cast<int>(message.Result);
  request.Docked = FDockedTo != nullptr;
  request.Frame = Frame();
  request.CloseButton = FCloseButton;
  request.SizableFrame = FSizableFrame;
  request.EightWaySizing = FEightWaySizing;
  return ToolWindowHitTest(request);
}

void TCustomToolWindow::NonClientButtonDown(cl::TMessage& message) {
  if (FDockedTo) {
    DefaultHandler(message);
    return;
  }
  if (message.WParam == HTCLOSE) {
    CloseButtonLoop();
    return;
  }
  cl::TRect bounds;
  if (!IsSizingHitCode(static_cast<int>(message.WParam))) {
    DefaultHandler(message);
  } else if (SizeLoop(static_cast<int>(message.WParam), bounds) && !FreeStarted()) {
    {
      LockArrange();
      cl::Finally unlock([&] { UnlockArrange(); });
      SetBoundsRect(bounds);
    }
    KeepOnScreen(true);
  }
}

void TCustomToolWindow::CloseButtonLoop() {
  // Messages dispatched here may free the bar: it stays whole until its window procedure returns, and the loop
  // stops once it is going.
  const cl::Weak<TCustomToolWindow> alive(this);
  const HWND wnd = Handle();
  auto redrawButton = [&](bool down) {
    FCloseButtonDown = down;
    WindowFrameDC dc(wnd, 1);
    PaintCloseButton(dc.Get(), false);
  };
  bool accepted = false;
  {
    // However the loop ends, an exception too, the mouse goes back (first) and the button shows up again.
    cl::Finally up([&] {
      if (alive && IsWindow(wnd) && FCloseButtonDown) cl::GuardSilent([&] { redrawButton(false); });
    });
    redrawButton(true);
    CaptureHold capture(wnd);
    RunCaptureLoop(
        wnd, [&] { return static_cast<bool>(alive); },
        [&](const MSG& msg) {
          if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
              (msg.message >= WM_RBUTTONDOWN && msg.message <= WM_MBUTTONDBLCLK)) {
            return LoopStep::Swallow;
          }
          switch (msg.message) {
            case WM_MOUSEMOVE: {
              if (msg.hwnd != wnd) return LoopStep::Dispatch;
              POINT at{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
              ::ClientToScreen(wnd, &at);
              RECT window;
              GetWindowRect(wnd, &window);
              const cl::TRect button = CloseButtonRect(Frame());
              const int x = at.x - window.left;
              const int y = at.y - window.top;
              const bool inside = x >= button.Left && x < button.Right && y >= button.Top && y < button.Bottom;
              if (inside != FCloseButtonDown) redrawButton(inside);
              return LoopStep::Swallow;
            }
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
              return LoopStep::Stop;
            case WM_LBUTTONUP:
              accepted = FCloseButtonDown;
              return LoopStep::Stop;
            default:
              return LoopStep::Dispatch;
          }
        });
  }
  if (!alive || !IsWindow(wnd) || !accepted) return;
  Hide();
  if (alive && FOnClose) FOnClose(this);
}

}  // namespace tbr
