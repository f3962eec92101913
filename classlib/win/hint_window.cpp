// THintWindow and the hint text helpers.
#include "classlib/win/hint_window.h"

#include "classlib/win/colors.h"
#include "classlib/win/graphics_tools.h"

namespace cl {
namespace {

// Space between the border and the text.
constexpr int kTextMargin = 2;

}  // namespace

std::string GetShortHint(const std::string& hint) {
  const size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
  const size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetColor(clInfoBk);
  Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.ClassStyle |= CS_SAVEBITS;
}

void THintWindow::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_NCHITTEST:
      message.Result = HTTRANSPARENT;
      return;
    case WM_MOUSEACTIVATE:
      message.Result = MA_NOACTIVATE;
      return;
    default:
      inherited::Dispatch(message);
  }
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
  RECT r{0, 0, maxWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  DrawTextA(dc, hint.c_str(), static_cast<int>(hint.size()), &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);
  // Border and margin on each side.
  const int extra = 2 * (kTextMargin + 1);
  return Rect(0, 0, r.right + extra, r.bottom + extra);
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& hint) {
  SetCaption(hint);
  // Kept within the work area of the monitor it would show on.
  const RECT wanted{rect.Left, rect.Top, rect.Right, rect.Bottom};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) area = monitor.rcWork;
  TRect r = rect;
  if (r.Right > area.right) r = Rect(area.right - r.Width(), r.Top, area.right, r.Bottom);
  if (r.Bottom > area.bottom) r = Rect(r.Left, area.bottom - r.Height(), r.Right, area.bottom);
  if (r.Left < area.left) r = Rect(area.left, r.Top, area.left + r.Width(), r.Bottom);
  if (r.Top < area.top) r = Rect(r.Left, area.top, r.Right, area.top + r.Height());
  SetBoundsRect(r);
  SetWindowPos(Handle(), HWND_TOPMOST, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

bool THintWindow::IsHintShowing() const {
  return Showing();
}

void THintWindow::Paint() {
  TRect r = ClientRect();
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(r);
  // In the font CalcHintRect measured with: the box fits the text exactly.
  Canvas()->SetFont(Font());
  Canvas()->Brush()->SetStyle(bsClear);
  TRect text = Rect(r.Left + kTextMargin, r.Top + kTextMargin, r.Right - kTextMargin, r.Bottom - kTextMargin);
  Canvas()->TextRect(text, Caption(), DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace cl
