// The crop tool's rubber band in display pixels: its handles and their zones, the area a redraw paints back, the
// band a drag makes, and the zone under the mouse. Pure geometry; the image control draws and tracks the mouse.
#pragma once

#include <array>

#include "classlib/core/types.h"

namespace img {

// Zones of the band: 0 none, 1 the inside (moves the band), 2 to 9 the handles.
enum CropZone {
  kNoZone = 0,
  kMoveZone = 1,
  kTopRightHandle = 2,
  kTopLeftHandle = 3,
  kBottomRightHandle = 4,
  kBottomLeftHandle = 5,
  kLeftEdgeHandle = 6,
  kRightEdgeHandle = 7,
  kTopEdgeHandle = 8,
  kBottomEdgeHandle = 9,
};
constexpr int kFirstHandle = kTopRightHandle;
constexpr int kLastHandle = kBottomEdgeHandle;

// A handle: the white square drawn for it and the zone that reacts to the mouse (framed in black).
struct CropHandle {
  cl::TRect Square;
  cl::TRect Zone;
};

// The band grown by 6 on the left and top and by 7 on the right and bottom: all the band and handles cover.
cl::TRect CropRestoreArea(const cl::TRect& band);
// Zone 1: the band grown by 2 on the left and top and by 3 on the right and bottom.
cl::TRect CropMoveZone(const cl::TRect& band);
// Handles 2 to 9.
CropHandle CropHandleOf(const cl::TRect& band, int zone);
// The order the handles are drawn in.
constexpr std::array<int, 8> kHandleDrawOrder = {2, 3, 4, 5, 7, 6, 8, 9};

// The first band when no rectangle was chosen yet: a quarter of the scroll box, a quarter in from its visible
// top-left corner.
cl::TRect InitialCropRect(int scrollBoxWidth, int scrollBoxHeight, int scrollX, int scrollY);

// The band after dragging zone by (dx, dy): the move zone shifts all four sides, a corner its two, an edge its
// one. The band stays at least one pixel wide and high: a side dragged past its opposite is put one pixel from
// it (on the side the drag came from).
cl::TRect DragCropBand(cl::TRect band, int zone, int dx, int dy);
// A dragged band is taken only while it still touches the control.
bool CropBandAcceptable(const cl::TRect& band, int controlWidth, int controlHeight);
// The part of a rectangle in image coordinates that lies on a width x height picture (empty when none does): a band
// moved over the picture's edge selects what it frames on the picture.
cl::TRect PartOnPicture(const cl::TRect& rect, int width, int height);
// Mouse points further than 10 pixels outside the control are not looked at.
bool CropPointIgnored(int x, int y, int controlWidth, int controlHeight);
// The zone under the point: only strictly inside the restore area, the zones tested in order 1 to 9, each with a
// strict inside test; kNoZone when none.
int CropZoneAt(const cl::TRect& band, int x, int y);

}  // namespace img
