// Frames that windows draw themselves: the device context for painting one in WM_NCPAINT, and asking a window to
// work its frame out again.
#pragma once

#include <windows.h>

#include "classlib/win/gdi.h"
#include "classlib/win/win_control.h"

namespace tbr {

// The device context of a window's whole area, clipped to WM_NCPAINT's update region. The region belongs to the
// sender, and a DC given a region takes it over and deletes it, so the DC gets a copy: the sender's region is
// never deleted twice.
class WindowFrameDC {
 public:
  // updateRegion is WM_NCPAINT's wParam: 1 (or 0) for the whole window, else a region in screen coordinates.
  WindowFrameDC(HWND window, WPARAM updateRegion) : FWindow(window) {
    const HRGN region = reinterpret_cast<HRGN>(updateRegion);
    if (updateRegion > 1) {
      HRGN copy = CreateRectRgn(0, 0, 0, 0);
      if (copy && CombineRgn(copy, region, nullptr, RGN_COPY) != ERROR) {
        FDC = GetDCEx(window, copy, DCX_WINDOW | DCX_INTERSECTRGN | DCX_CACHE);
      }
      if (!FDC && copy) DeleteObject(copy);  // not taken over
    }
    // Without a region, or when clipping to it failed, the whole window.
    if (!FDC) FDC = GetWindowDC(window);
    cl::gdi::TrackDC(FDC);
  }
  WindowFrameDC(const WindowFrameDC&) = delete;
  WindowFrameDC& operator=(const WindowFrameDC&) = delete;
  ~WindowFrameDC() { cl::gdi::FreeAcquiredDC(FWindow, FDC); }

  HDC Get() const { return FDC; }

 private:
  HWND FWindow;
  HDC FDC = nullptr;
};

// Makes the window of control, when it has one, measure (WM_NCCALCSIZE) and paint its frame again.
inline void RecalculateFrame(cl::TWinControl* control) {
  if (!control->HandleAllocated()) return;
  SetWindowPos(control->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tbr
