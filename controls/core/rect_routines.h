// Rectangle and number routines of the control library.
#pragma once

#include <cstdint>
#include <span>

#include "classlib/core/types.h"

namespace ctl {

// A copy grown by n on every side (negative n shrinks).
cl::TRect InflateRectCopy(const cl::TRect& rect, int32_t n);
// Adds the four deltas to the four edges.
void AdjustRect(cl::TRect& rect, int32_t dLeft, int32_t dTop, int32_t dRight, int32_t dBottom);
// The item's size scaled by the smaller of box width / item width and box height / item height (each side
// truncated), placed at the box's top-left corner. An empty item gives an empty rectangle there.
cl::TRect FitRect(const cl::TRect& item, const cl::TRect& box);
void RectSize(const cl::TRect& rect, int32_t& width, int32_t& height);
// Rotates the corners about the centre by angle degrees, takes the bounding box of the rounded corners and moves
// it to (0, 0). Angle 0 leaves the rectangle as it is.
void RotateRect(cl::TRect& rect, long double angle);

// Largest and smallest of the values; 0 for none.
int32_t MaxIntValue(std::span<const int32_t> values);
int32_t MinIntValue(std::span<const int32_t> values);
long double MinValue(std::span<const long double> values);

}  // namespace ctl
