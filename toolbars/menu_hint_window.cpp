#include "toolbars/menu_hint_window.h"

#include "classlib/core/string_utils.h"
#include "classlib/win/application.h"
#include "classlib/win/timer.h"
#include "toolbars/core/menu_hint_layout.h"
#include "toolbars/menu_engine.h"
#include "toolbars/menu_engine_state.h"

namespace tbr::menus {
namespace {

// The text starts this far from the window's corner.
constexpr int kTextOrigin = 2;

}  // namespace

THintWindowEx::THintWindowEx(cl::TComponent* owner) : cl::THintWindow(owner), FHideTimer(cl::New<cl::TTimer>(this)) {
  FHideTimer->SetEnabled(false);
  FHideTimer->SetOnTimer(cl::TNotifyEvent([this](cl::TObject* sender) { HideTimerFired(sender); }));
  MenuEngineState& engine = EngineState();
  if (!engine.MenuHint) engine.MenuHint = this;
}

void THintWindowEx::ActivateHint(const cl::TRect& rect, const std::string& hint) {
  ShowMenuHint(hint);
}

void THintWindowEx::ShowMenuHint(const std::string& hint) {
  if (hint.empty()) return;
  SetColor(cl::clInfoBk);
  FLines = SplitHintLines(cl::Trim(cl::GetShortHint(hint)));
  cl::TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  std::vector<cl::TPoint> sizes;
  for (const std::string& line : FLines) {
    const SIZE extent = canvas->TextExtent(line);
    sizes.push_back(cl::Point(extent.cx, extent.cy));
  }
  const cl::TPoint size = HintWindowSize(sizes);
  POINT cursor{};
  GetCursorPos(&cursor);
  const cl::TPoint pos = HintWindowPosition(cl::Point(cursor.x, cursor.y), size, MenuWorkArea());
  SetCaption(hint);
  SetBounds(pos.X, pos.Y, size.X, size.Y);
  SetWindowPos(Handle(), HWND_TOPMOST, pos.X, pos.Y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  Invalidate();
  FHideTimer->SetEnabled(false);
  FHideTimer->SetInterval(cl::Application->HintHidePause());
  FHideTimer->SetEnabled(true);
}

void THintWindowEx::HideHint() {
  FHideTimer->SetEnabled(false);
  ReleaseHandle();
}

void THintWindowEx::HideTimerFired(cl::TObject*) {
  HideHint();
}

void THintWindowEx::Paint() {
  cl::TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(ClientRect());
  canvas->Brush()->SetStyle(cl::bsClear);
  canvas->Font()->Assign(Font());
  int top = kTextOrigin;
  int pitch = 0;
  for (const std::string& line : FLines) {
    cl::TRect rect = cl::Rect(kTextOrigin, top, ClientWidth(), ClientHeight());
    const int height = canvas->TextRect(rect, line, DT_NOPREFIX);
    // Every line follows the one before by the first line's height and one pixel.
    if (pitch == 0) pitch = height + 1;
    top += pitch;
  }
}

}  // namespace tbr::menus
