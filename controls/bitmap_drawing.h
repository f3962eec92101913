// Bitmap blits under the draw-flag word (centre, stretch, proportional, tile, transparent colour, mask, clip,
// palette), and small bitmap helpers.
#pragma once

#include <cstdint>

#include "classlib/core/types.h"
#include "controls/core/draw_placement.h"

namespace cl {
class TBitmap;
class TCanvas;
class TIcon;
}  // namespace cl

namespace ctl {

// Draws sourceRect of the source into destRect under flags: with dfBrushCopy the bitmap is drawn through
// TCanvas::BrushCopy with its own transparent colour and `color` as brush; with dfMasked the bitmap is a ready mask
// drawn before source; with dfTransparent the pixels of `color` are left out; otherwise a copy (stretched where
// sizes differ). Nothing for an empty destination or source rectangle, or a missing source.
void DrawBitmapRect(cl::TCanvas* dest, const cl::TRect& destRect, cl::TCanvas* source, cl::TBitmap* bitmap,
                    cl::TColor color, TDrawFlags flags, const cl::TRect& sourceRect);
// The whole bitmap; with dfPalette its palette is selected and realised into the destination first.
void DrawBitmap(cl::TCanvas* dest, const cl::TRect& destRect, cl::TBitmap* bitmap, cl::TColor color, TDrawFlags flags);
// As DrawBitmap; with dfClip the clip rectangle is moved by the packed offset (low word x, high word y).
void DrawBitmapClipped(cl::TCanvas* dest, const cl::TRect& destRect, cl::TBitmap* bitmap, cl::TColor color,
                       uint32_t offset, TDrawFlags flags);
// Sizes the bitmap to the rectangle and fills it with colour; nothing for a null bitmap or an empty rectangle.
void FillBitmap(cl::TBitmap* bitmap, const cl::TRect& rect, cl::TColor color);
// Copies sourceRect of source into image and mask; mask becomes the monochrome mask of transparentColor (white
// there) and the transparent pixels of image become black.
void MakeTransparentMask(cl::TCanvas* source, const cl::TRect& sourceRect, cl::TBitmap* mask,
                         cl::TColor transparentColor, cl::TBitmap* image);
// Sizes the bitmap to the icon, fills it with colour and draws the icon at 0, 0.
void IconToBitmap(cl::TBitmap* bitmap, cl::TIcon* icon, cl::TColor color);

}  // namespace ctl
