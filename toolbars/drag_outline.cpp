// The dithered drag outline and the locked desktop it is drawn on.
#include "toolbars/drag_outline.h"

#include <utility>

namespace tbr {
namespace {

// An 8 x 8 checkerboard, one word per row.
constexpr WORD kDitherRows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};

HBRUSH MakeDitherBrush() {
  cl::gdi::Object<HBITMAP> pattern(
      static_cast<HBITMAP>(cl::gdi::Track(cl::gdi::Check(CreateBitmap(8, 8, 1, 1, kDitherRows)))));
  return static_cast<HBRUSH>(cl::gdi::Track(cl::gdi::Check(CreatePatternBrush(pattern.Get()))));
}

using Region = cl::gdi::Object<HRGN>;

Region NewRegion(const cl::TRect& r) {
  return Region(static_cast<HRGN>(cl::gdi::Track(cl::gdi::Check(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom)))));
}

// The ring between rect and rect inset by thickness.
Region FrameRegion(const cl::TRect& rect, int thickness) {
  Region frame = NewRegion(rect);
  Region inside =
      NewRegion(cl::Rect(rect.Left + thickness, rect.Top + thickness, rect.Right - thickness, rect.Bottom - thickness));
  CombineRgn(frame.Get(), frame.Get(), inside.Get(), RGN_DIFF);
  return frame;
}

}  // namespace

DragOutline::DragOutline(HDC dc) : FDC(dc), FBrush(MakeDitherBrush()) {}

DragOutline::~DragOutline() {
  Erase();
}

void DragOutline::MoveTo(const cl::TRect& rect, int thickness) {
  const Frame next{rect, thickness};
  Invert(FShown, next);
  FShown = next;
}

void DragOutline::Erase() {
  if (!FShown) return;
  Invert(FShown, std::nullopt);
  FShown.reset();
}

void DragOutline::Invert(const std::optional<Frame>& from, const std::optional<Frame>& to) {
  Region area = NewRegion(cl::Rect(0, 0, 0, 0));
  if (from) area = FrameRegion(from->Rect, from->Thickness);
  if (to) {
    Region next = FrameRegion(to->Rect, to->Thickness);
    if (from) {
      CombineRgn(area.Get(), area.Get(), next.Get(), RGN_XOR);
    } else {
      area = std::move(next);
    }
  }
  cl::gdi::SaveDCGuard saved(FDC);
  SelectClipRgn(FDC, area.Get());
  RECT box;
  if (GetClipBox(FDC, &box) == NULLREGION) return;
  cl::gdi::SelectGuard brush(FDC, FBrush.Get());
  PatBlt(FDC, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
}

LockedDesktopDC::LockedDesktopDC() {
  const HWND desktop = GetDesktopWindow();
  FLocked = LockWindowUpdate(desktop) != FALSE;
  FDC = GetDCEx(desktop, nullptr, DCX_WINDOW | DCX_CACHE | (FLocked ? DCX_LOCKWINDOWUPDATE : 0));
  if (!FDC) {
    if (FLocked) LockWindowUpdate(nullptr);
    cl::gdi::RaiseOutOfResources();
  }
  cl::gdi::TrackDC(FDC);
}

LockedDesktopDC::~LockedDesktopDC() {
  cl::gdi::FreeAcquiredDC(GetDesktopWindow(), FDC);
  if (FLocked) LockWindowUpdate(nullptr);
}

}  // namespace tbr
