// A clip to a rectangle for the time of one drawing call, inside whatever clip the caller had set: the rectangle is
// in the canvas's logical coordinates (a moved origin is honoured) and may be moved by a packed offset (low word x,
// high word y, in device pixels); the caller's clip region comes back afterwards.
#pragma once

#include <windows.h>

#include <cstdint>

#include "classlib/core/types.h"
#include "classlib/win/gdi.h"

namespace ctl {

class ClipToRect {
 public:
  ClipToRect(HDC dc, const cl::TRect& rect, uint32_t packedOffset = 0);
  ~ClipToRect();
  ClipToRect(const ClipToRect&) = delete;
  ClipToRect& operator=(const ClipToRect&) = delete;

 private:
  HDC FDC;
  cl::gdi::Object<HRGN> FSaved;
  bool FHadClip = false;
};

// Whether palette work is to be done: not when the application object asks to skip it on screens of 8 bits per
// pixel or fewer and the screen is such a screen.
bool PaletteWorkWanted();

}  // namespace ctl
