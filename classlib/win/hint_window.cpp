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
  TRect r = rect;
  // Kept on the screen.
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (r.Right > screenWidth) r = Rect(screenWidth - r.Width(), r.Top, screenWidth, r.Bottom);
  if (r.Bottom > screenHeight) r = Rect(r.Left, screenHeight - r.Height(), r.Right, screenHeight);
  if (r.Left < 0) r = Rect(0, r.Top, r.Width(), r.Bottom);
  if (r.Top < 0) r = Rect(r.Left, 0, r.Right, r.Height());
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
  Canvas()->SetFont(Font());
  HDC dc = Canvas()->Handle();
  SetBkMode(dc, TRANSPARENT);
  RECT text{r.Left + kTextMargin, r.Top + kTextMargin, r.Right - kTextMargin, r.Bottom - kTextMargin};
  const std::string caption = Caption();
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace cl
