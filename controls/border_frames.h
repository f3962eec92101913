// The library's border frames: fifteen styles drawn as sequences of DrawEdge calls.
#pragma once

#include <cstdint>

#include "classlib/core/types.h"
#include "controls/core/draw_placement.h"

namespace cl {
class TCanvas;
}

namespace ctl {

// Draws the style's frame around rect; rect moves inwards past every edge drawn (BF_ADJUST). extraFlags is or-ed
// into the DrawEdge flags where the style takes them.
void DrawBorderFrame(cl::TCanvas* canvas, cl::TRect& rect, TCtlBorderStyle style, uint32_t extraFlags);

}  // namespace ctl
