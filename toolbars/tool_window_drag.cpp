// Moving a tool window with the mouse between docks and floating, and sizing a floating one: both are loops of the
// bar's own that hold the mouse and show a dithered outline on the desktop until the button goes up.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "classlib/core/finally.h"
#include "classlib/win/screen.h"
#include "classlib/win/sys.h"
#include "toolbars/capture_loop.h"
#include "toolbars/core/drag_geometry.h"
#include "toolbars/dock.h"
#include "toolbars/drag_outline.h"
#include "toolbars/tool_window.h"

namespace tbr {
namespace {

// A docking outline is a thin line; a floating one is as thick as the floating frame.
constexpr int kDockingOutlineThickness = 1;

cl::TPoint ClampToRect(cl::TPoint p, const cl::TRect& r) {
  return cl::Point(std::clamp(p.X, r.Left, r.Right - 1), std::clamp(p.Y, r.Top, r.Bottom - 1));
}

cl::TRect ScreenClientRect(cl::TWinControl* control) {
  const cl::TPoint origin = control->ClientOrigin();
  const cl::TRect client = control->ClientRect();
  return cl::Bounds(origin.X, origin.Y, client.Width(), client.Height());
}

cl::TRect WindowRect(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return cl::Rect(r.left, r.top, r.right, r.bottom);
}

// Paints what waits to be painted, so that the outline is not drawn over windows that repaint under it.
void PaintPendingWindows() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&msg);
}

// Keeps the cursor on rect while it lives, when asked to.
class CursorClip {
 public:
  CursorClip(bool clip, const cl::TRect& rect) : FClipped(clip) {
    if (!clip) return;
    const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    ClipCursor(&r);
  }
  CursorClip(const CursorClip&) = delete;
  CursorClip& operator=(const CursorClip&) = delete;
  ~CursorClip() {
    if (FClipped) ClipCursor(nullptr);
  }

 private:
  bool FClipped;
};

bool IsKeyMessage(UINT msg) {
  return msg == WM_KEYDOWN || msg == WM_KEYUP;
}

bool IsOtherButtonMessage(UINT msg) {
  return msg >= WM_RBUTTONDOWN && msg <= WM_MBUTTONDBLCLK;
}

// Docks of control that may take bar, in the order they are offered: the control itself, then its child docks
// top, bottom, left and right, then whatever docks its other windowed children hold.
void CollectDocks(cl::TWinControl* control, TDockableTo dockableTo, std::vector<TDock*>& docks) {
  if (auto* dock = dynamic_cast<TDock*>(control)) {
    if (dock->AllowDrag() && dockableTo.Contains(dock->Position()) && dock->Showing()) docks.push_back(dock);
  }
  for (TDockPosition position : {dpTop, dpBottom, dpLeft, dpRight}) {
    for (int i = 0; i < control->ControlCount(); ++i) {
      auto* dock = dynamic_cast<TDock*>(control->Controls(i));
      if (dock && dock->Position() == position) CollectDocks(dock, dockableTo, docks);
    }
  }
  for (int i = 0; i < control->ControlCount(); ++i) {
    auto* child = dynamic_cast<cl::TWinControl*>(control->Controls(i));
    if (child && !dynamic_cast<TDock*>(child)) CollectDocks(child, dockableTo, docks);
  }
}

}  // namespace

std::vector<cl::Weak<TDock>> TCustomToolWindow::CandidateDocks() {
  std::vector<TDock*> docks;
  cl::TForm* own = BarForm();
  if (own) CollectDocks(own, FDockableTo, docks);
  for (int i = 0; cl::Screen && i < cl::Screen->FormCount(); ++i) {
    cl::TForm* form = cl::Screen->Forms(i);
    if (form != own && std::find(FExtraDockForms.begin(), FExtraDockForms.end(), form) != FExtraDockForms.end()) {
      CollectDocks(form, FDockableTo, docks);
    }
  }
  return std::vector<cl::Weak<TDock>>(docks.begin(), docks.end());
}

void TCustomToolWindow::BeginMoving(int x, int y) {
  const cl::Weak<TCustomToolWindow> alive(this);
  const HWND wnd = Handle();
  const FrameMargins margins = NonClientMargins();
  const DragGrab grab{cl::Point(x + margins.Left, y + margins.Top), Width() - 1, Height() - 1};
  bool ctrlHeld = GetKeyState(VK_CONTROL) < 0;

  // Every place the bar may go and its outer size there, worked out once: floating first, then each dock. Docks
  // are held weakly: a message handled during the loop may free one.
  const std::vector<cl::Weak<TDock>> docks = CandidateDocks();
  const TDockOrientation current = Orientation();
  const cl::TPoint frame = FloatingFrameSize(FSizableFrame);
  const FrameMargins floatingMargins = FloatingMargins(frame.X, frame.Y, SmallCaptionHeight());
  const cl::TPoint floatingClient = LayoutChildren(false, current, nullptr);
  std::vector<cl::TPoint> sizes{
      cl::Point(floatingClient.X + floatingMargins.Horizontal(), floatingClient.Y + floatingMargins.Vertical())};
  for (const cl::Weak<TDock>& dock : docks) {
    const FrameMargins docked = DockedMargins(dock->Orientation(), FDragHandle);
    const cl::TPoint client =
        dock.get() == FDockedTo ? cl::Point(ClientWidth(), ClientHeight()) : LayoutChildren(false, current, dock.get());
    sizes.push_back(cl::Point(client.X + docked.Horizontal(), client.Y + docked.Vertical()));
  }

  PaintPendingWindows();
  if (!alive) return;
  cl::Weak<TDock> target;
  bool docking = false;
  cl::TRect outlineRect;
  bool accepted = false;
  {
    LockedDesktopDC desktop;
    DragOutline outline(desktop.Get());
    CaptureHold capture(wnd);
    // Offers the bar to the first dock under the cursor that accepts it, else floats it; false when the bar went.
    auto update = [&]() {
      cl::TPoint cursor = cl::sys::CursorPos();
      target = nullptr;
      docking = false;
      size_t candidate = 0;
      for (size_t i = 0; i < docks.size() && !ctrlHeld; ++i) {
        TDock* dock = docks[i].get();
        if (!dock || !dock->HandleAllocated() ||
            !DockTakesBar({cursor, ScreenClientRect(dock), dock->Orientation() == doVertical, sizes[i + 1], grab})) {
          continue;
        }
        bool accept = true;
        if (dock->OnRequestDock()) dock->OnRequestDock()(dock, this, accept);
        if (!alive) return false;
        if (accept) {
          target = dock;
          docking = true;
          candidate = i + 1;
          break;
        }
      }
      const cl::TRect workArea = WorkArea();
      if (!docking) cursor = ClampToRect(cursor, workArea);
      outlineRect = PlaceOutline(cursor, sizes[candidate], grab);
      if (!docking) outlineRect = KeepOutlineReachable(outlineRect, workArea, frame, SmallCaptionHeight());
      outline.MoveTo(outlineRect, docking ? kDockingOutlineThickness : frame.X);
      return true;
    };
    if (!update()) return;
    RunCaptureLoop(
        wnd, [&] { return static_cast<bool>(alive); },
        [&](const MSG& msg) {
          if (IsKeyMessage(msg.message)) {
            if (msg.wParam == VK_ESCAPE) return LoopStep::Stop;
            if (msg.wParam == VK_CONTROL) {
              const bool held = msg.message == WM_KEYDOWN;
              if (held != ctrlHeld) {
                ctrlHeld = held;
                if (!update()) return LoopStep::Stop;
              }
            }
            return LoopStep::Swallow;
          }
          switch (msg.message) {
            case WM_MOUSEMOVE:
              return update() ? LoopStep::Swallow : LoopStep::Stop;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
              return LoopStep::Stop;
            case WM_LBUTTONUP:
              accepted = true;
              return LoopStep::Stop;
            default:
              return IsOtherButtonMessage(msg.message) ? LoopStep::Swallow : LoopStep::Dispatch;
          }
        });
  }
  // A dock that went during the loop takes nothing.
  if (docking && !target) accepted = false;
  if (accepted && alive && IsWindow(wnd)) FinishMoving(target.get(), outlineRect);
}

void TCustomToolWindow::FinishMoving(TDock* target, const cl::TRect& outline) {
  if (target) {
    const cl::TPoint origin = target->ClientOrigin();
    const cl::TRect r =
        cl::Rect(outline.Left - origin.X, outline.Top - origin.Y, outline.Right - origin.X, outline.Bottom - origin.Y);
    const bool vertical = target->Orientation() == doVertical;
    const DropRow drop = target->RowForDrop(vertical ? (r.Left + r.Right) / 2 : (r.Top + r.Bottom) / 2);
    int row = drop.Row;
    if (drop.NewRow) {
      target->OpenRowAt(row);
    } else if (FFullSize && target->BarsInRow(row, this) > 0) {
      // A full-size bar takes a row of its own, after the one it was dropped on.
      ++row;
      target->OpenRowAt(row);
    }
    FDockRow = row;
    FDockPos = vertical ? r.Top : r.Left;
    if (target == FDockedTo) {
      target->LayoutBars();
    } else {
      SetParent(target);
    }
  } else {
    SetFloatPos(cl::Point(outline.Left, outline.Top));
    if (FDockedTo) {
      if (cl::TForm* form = BarForm()) SetParent(form);
    } else {
      SetBounds(outline.Left, outline.Top, Width(), Height());
    }
  }
  if (!FreeStarted()) KeepOnScreen(true);
}

bool TCustomToolWindow::SizeLoop(int hitCode, cl::TRect& result) {
  const cl::Weak<TCustomToolWindow> alive(this);
  const HWND wnd = Handle();
  int minWidth = 0;
  int minHeight = 0;
  MinClientSize(minWidth, minHeight);
  const FrameMargins margins = NonClientMargins();
  const cl::TPoint minimum = cl::Point(minWidth + margins.Horizontal(), minHeight + margins.Vertical());
  const SizingEdges edges = SizingEdgesOf(hitCode);
  const int thickness = FloatingFrameSize(FSizableFrame).X;

  bool accepted = false;
  SizeLoopStart(hitCode);
  // The bar's sizing state goes whatever happens; a bar freed meanwhile is still whole until its message returns.
  cl::Finally end([&] { SizeLoopEnd(accepted); });
  PaintPendingWindows();
  if (!alive) return false;
  LockedDesktopDC desktop;
  DragOutline outline(desktop.Get());
  CaptureHold capture(wnd);
  CursorClip clip(FClipCursorWhileSizing, WorkArea());

  const cl::TRect start = WindowRect(wnd);
  const cl::TPoint startCursor = cl::sys::CursorPos();
  cl::TPoint lastCursor = startCursor;
  cl::TRect current = start;
  outline.MoveTo(current, thickness);
  RunCaptureLoop(
      wnd, [&] { return static_cast<bool>(alive); },
      [&](const MSG& msg) {
        if (IsKeyMessage(msg.message)) return msg.wParam == VK_ESCAPE ? LoopStep::Stop : LoopStep::Swallow;
        switch (msg.message) {
          case WM_MOUSEMOVE: {
            const cl::TPoint cursor = cl::sys::CursorPos();
            if (cursor == lastCursor) return LoopStep::Swallow;
            lastCursor = cursor;
            cl::TRect next =
                SizedRect(start, edges, cl::Point(cursor.X - startCursor.X, cursor.Y - startCursor.Y), minimum);
            SizeLoopTrack(next, start);
            if (!alive) return LoopStep::Stop;
            current = next;
            outline.MoveTo(current, thickness);
            return LoopStep::Swallow;
          }
          case WM_LBUTTONDOWN:
          case WM_LBUTTONDBLCLK:
            return LoopStep::Stop;
          case WM_LBUTTONUP:
            accepted = true;
            return LoopStep::Stop;
          default:
            return IsOtherButtonMessage(msg.message) ? LoopStep::Swallow : LoopStep::Dispatch;
        }
      });
  accepted = accepted && alive;
  result = current;
  return accepted;
}

}  // namespace tbr
