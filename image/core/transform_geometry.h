// Sizes and rectangles that the image control's resampling, fit-to-width display, grid and printing work out from
// the picture's size: plain arithmetic, kept apart from the drawing so that the rounding rules can be pinned.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/core/types.h"
#include "image/core/display_layout.h"
#include "image/core/real48.h"

namespace img {

struct PictureSize {
  int64_t Width = 0;
  int64_t Height = 0;
};

// The resampling factor percent x 0.01 as the 6-byte real stores it (rounded on storing).
Real48 PercentFactor(int percent);

// Each side times the factor of percent, truncated, then stepped up to the next multiple of 8 (a multiple of 8
// still grows by 8). The stored factor may lie just below the exact one: 27 percent of 800 gives 215, then 216.
// Sides are 64-bit so that a huge percentage cannot wrap; the caller checks them against its budget.
PictureSize ScaledPictureSize(int width, int height, int percent);

// The designed box for showing a picture fitted to its scroll box's width: top 0, left 0, width boxWidth - 4 and
// height trunc(height x boxWidth / width) - 50, each at least 1 (a low picture would otherwise give a negative
// box). The picture's width must be above 0.
DesignedBox FitWidthBox(int pictureWidth, int pictureHeight, int scrollBoxWidth);

// Where a picture goes on the printed page: the part of the DIB (x, y, width, height; the whole DIB unless the
// area's four sides add up to other than 0, when they give x, y, width and height in this order) and the
// destination (at x, y: the DIB's own size when actual, else the page width less x and the height the picture
// has at the page's width, less y).
struct PrintPlacement {
  int SourceX = 0;
  int SourceY = 0;
  int SourceWidth = 0;
  int SourceHeight = 0;
  int DestX = 0;
  int DestY = 0;
  int DestWidth = 0;
  int DestHeight = 0;
};
PrintPlacement PlacePrint(int dibWidth, int dibHeight, int x, int y, bool actual, const cl::TRect& area, int pageWidth);

// Grid lines every 100 pixels across a side: 100, 200, ..., each drawn while the one before lies below the side,
// so the last one may fall just outside.
std::vector<int> GridLines(int side);

}  // namespace img
