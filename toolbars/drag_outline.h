// What a dragged or sized tool window shows on the desktop: a dithered frame drawn by inverting the pixels under
// it, moved by inverting only the pixels the old and the new frame do not share, so that nothing flickers; and
// the desktop's device context, with the desktop locked against updates while it is held.
#pragma once

#include <windows.h>

#include <optional>

#include "classlib/core/types.h"
#include "classlib/win/gdi.h"

namespace tbr {

class DragOutline {
 public:
  // Draws on dc (the desktop's, or a bitmap's in tests) in screen coordinates.
  explicit DragOutline(HDC dc);
  DragOutline(const DragOutline&) = delete;
  DragOutline& operator=(const DragOutline&) = delete;
  // Erases what is shown.
  ~DragOutline();

  // Shows the frame of rect thickness pixels wide instead of the one shown (if any).
  void MoveTo(const cl::TRect& rect, int thickness);
  void Erase();

 private:
  struct Frame {
    cl::TRect Rect;
    int Thickness;
  };
  // Inverts the pixels of one frame and not the other (either may be missing).
  void Invert(const std::optional<Frame>& from, const std::optional<Frame>& to);

  HDC FDC;
  cl::gdi::Object<HBRUSH> FBrush;
  std::optional<Frame> FShown;
};

// The desktop window's DC, drawn on through the update lock: the desktop is locked against updates (other
// windows do not repaint over the outline) until it is released.
class LockedDesktopDC {
 public:
  LockedDesktopDC();
  LockedDesktopDC(const LockedDesktopDC&) = delete;
  LockedDesktopDC& operator=(const LockedDesktopDC&) = delete;
  ~LockedDesktopDC();
  HDC Get() const { return FDC; }

 private:
  bool FLocked = false;
  HDC FDC = nullptr;
};

}  // namespace tbr
