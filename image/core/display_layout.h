// Where and how large the image control shows its picture: the source area, the scale into the designed box (or
// actual size), the output size with its step up to a multiple of 8, the centring offsets, and the clip rule of
// the source rectangle. Sizes are plain ints: a side never wraps at 16 bits.
#pragma once

#include "classlib/core/types.h"
#include "image/core/real48.h"

namespace img {

// The box the control was designed in; display sizes are worked out against it, never against the current bounds.
struct DesignedBox {
  int Top = 0;
  int Left = 0;
  int Width = 160;
  int Height = 160;
  bool operator==(const DesignedBox&) const = default;
};

struct ClippedSource {
  cl::TRect Rect;
  bool Valid = false;  // Left < Right and Top < Bottom: only then can the rectangle select a crop
};

// Pulls sides that lie outside a width x height picture to its quarter lines: Left < 0 becomes W div 4, Top < 0
// H div 4, Right > W (W div 4) * 3, Bottom > H (H div 4) * 3. The zero rectangle is never valid.
ClippedSource ClipSourceRect(cl::TRect rect, int width, int height);

// The next multiple of 8 above a side: a multiple of 8 still grows by 8. Negative sides count as 0.
int StepUpToMultipleOf8(int side);

// How the shown bitmap gets its new contents.
enum class DisplayDraw {
  None,                // nothing to draw: the picture or the source area is empty
  ShrinkOntoShown,     // scale below 1: stretch the shown bitmap onto itself, then cut it to the output size
  EnlargeFromWorking,  // scale above 1: size the shown bitmap first, then stretch the working bitmap into it
  MoveOntoShown,       // scale 1 with a valid crop at actual size: move the area to the origin, then size it
  ResizeOnly,          // scale 1 otherwise: just size the shown bitmap
};

struct DisplayRequest {
  int PictureWidth = 0;
  int PictureHeight = 0;
  cl::TRect Source;  // as clipped by ClipSourceRect
  bool ClipValid = false;
  bool Crop = false;
  bool ActualSize = false;
  DesignedBox Box;
};

struct DisplayLayout {
  DisplayDraw Draw = DisplayDraw::None;
  int SourceX = 0;
  int SourceY = 0;
  int SourceWidth = 0;
  int SourceHeight = 0;
  bool FitComputed = false;  // FitX and FitY were worked out (fit mode with a non-empty source)
  Real48 FitX;
  Real48 FitY;
  Real48 Scale;  // meaningful unless Draw is None
  int OutWidth = 0;
  int OutHeight = 0;
  int OffsetX = 0;
  int OffsetY = 0;
  cl::TRect Bounds;  // the control's new bounds: designed left/top plus the offsets, output size
};

DisplayLayout ComputeDisplayLayout(const DisplayRequest& request);

}  // namespace img
