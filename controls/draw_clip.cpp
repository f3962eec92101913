#include "controls/draw_clip.h"

#include "classlib/win/screen.h"
#include "controls/ctl_application.h"

namespace ctl {

ClipToRect::ClipToRect(HDC dc, const cl::TRect& rect, uint32_t packedOffset)
    : FDC(dc), FSaved(static_cast<HRGN>(cl::gdi::Track(CreateRectRgn(0, 0, 0, 0)))) {
  FHadClip = FSaved && GetClipRgn(dc, FSaved.Get()) == 1;
  POINT corners[2] = {{rect.Left, rect.Top}, {rect.Right, rect.Bottom}};
  LPtoDP(dc, corners, 2);
  cl::gdi::Object<HRGN> region(
      static_cast<HRGN>(cl::gdi::Track(CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y))));
  if (!region) return;
  const auto dx = static_cast<int16_t>(packedOffset & 0xFFFF), dy = static_cast<int16_t>(packedOffset >> 16);
  if (dx || dy) OffsetRgn(region.Get(), dx, dy);
  if (FHadClip) {
    ExtSelectClipRgn(dc, region.Get(), RGN_AND);
  } else {
    SelectClipRgn(dc, region.Get());
  }
}

ClipToRect::~ClipToRect() {
  SelectClipRgn(FDC, FHadClip ? FSaved.Get() : nullptr);
}

bool PaletteWorkWanted() {
  const bool skipOnLowColor = CtlApplication && (CtlApplication->DisplayOptions() & doSkipPaletteOnLowColor);
  return !(skipOnLowColor && cl::Screen && cl::Screen->ColorDepth() <= 8);
}

}  // namespace ctl
