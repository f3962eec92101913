// TApplication: the hint text of what the mouse is over, the hint window, and tracking of the control under the
// mouse (CM_MOUSEENTER / CM_MOUSELEAVE).
#include "classlib/win/application.h"
#include "classlib/win/hint_window.h"
#include "classlib/win/win_control.h"

namespace cl {
namespace {

// Timers of the application window.
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

// A control without a hint of its own shows its parent's.
std::string HintOf(const TControl* control) {
  for (; control; control = control->Parent()) {
    if (!control->Hint().empty()) return control->Hint();
  }
  return "";
}

bool CancelsHint(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
      return true;
    default:
      return false;
  }
}

}  // namespace

void TApplication::SetHint(const std::string& hint) {
  if (hint == FHint) return;
  FHint = hint;
  if (FOnHint) FOnHint(this);
}

void TApplication::SetShowHint(bool showHint) {
  if (showHint == FShowHint) return;
  FShowHint = showHint;
  if (!showHint) CancelHint();
}

THintWindow* TApplication::HintWindow() const {
  return FHintWindow && FHintWindow->IsHintShowing() ? FHintWindow : nullptr;
}

TControl* TApplication::MouseControl() const {
  return FMouseControl.get();
}

void TApplication::CancelHint() {
  StopHintTimers();
  HideHintWindow();
  FHintControl = nullptr;
}

void TApplication::HintMessage(const MSG& msg) {
  if (msg.message == WM_MOUSEMOVE && msg.hwnd) {
    // The message's own position, so that a move posted to a window counts where it says.
    POINT pos{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    ClientToScreen(msg.hwnd, &pos);
    TrackMouse(pos);
  } else if (CancelsHint(msg.message)) {
    CancelHint();
  }
}

void TApplication::TrackMouse(POINT screenPos) {
  TControl* control = FindDragTarget(Point(screenPos.x, screenPos.y), false);
  if (FHintWindow && control == FHintWindow) return;
  TControl* previous = FMouseControl.get();
  if (control == previous) return;
  FMouseControl = control;
  CancelHint();
  if (previous) previous->Perform(CM_MOUSELEAVE);
  // The leave handler may have freed the new control.
  if (control && FMouseControl.get() == control) control->Perform(CM_MOUSEENTER);
  control = FMouseControl.get();
  SetHint(GetLongHint(HintOf(control)));
  if (control && FShowHint && control->ShowHint() && !GetShortHint(HintOf(control)).empty()) {
    FHintControl = control;
    StartHintTimer(kHintShowTimer, FHintPause);
  }
}

void TApplication::StartHintTimer(UINT id, int ms) {
  SetTimer(FHandle, id, static_cast<UINT>(ms > 0 ? ms : 1), nullptr);
}

void TApplication::StopHintTimers() {
  if (!FHandle) return;
  KillTimer(FHandle, kHintShowTimer);
  KillTimer(FHandle, kHintHideTimer);
}

void TApplication::HintTimerExpired(UINT id) {
  KillTimer(FHandle, id);
  if (id == kHintShowTimer) {
    ShowHintWindow();
  } else {
    // Shown long enough; it comes back only after the mouse entered another control.
    HideHintWindow();
  }
}

void TApplication::ShowHintWindow() {
  TControl* control = FHintControl.get();
  if (!control || control != FMouseControl.get() || !control->Showing()) return;
  if (!FHintWindow) FHintWindow = New<THintWindow>(nullptr);
  const std::string text = GetShortHint(HintOf(control));
  POINT cursor;
  GetCursorPos(&cursor);
  TRect r = FHintWindow->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), text);
  // Below the cursor's hot spot, clear of the arrow.
  const int below = GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
  FHintWindow->ActivateHint(Bounds(cursor.x, cursor.y + below, r.Width(), r.Height()), text);
  StartHintTimer(kHintHideTimer, FHintHidePause);
}

void TApplication::HideHintWindow() {
  if (FHintWindow) FHintWindow->ReleaseHandle();
}

void TApplication::ReleaseHints() {
  StopHintTimers();
  FHintControl = nullptr;
  FMouseControl = nullptr;
  FreeAndNil(FHintWindow);
}

}  // namespace cl
