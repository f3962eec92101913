// Rotation by any angle and skew of a DibImage. Both map every output pixel back to its nearest source pixel, so
// palettes and exact colours are kept, and grow the picture so that nothing of the source is cut off. Output
// pixels that no source pixel covers get the background colour (at depths up to 8: the palette entry nearest to
// it). Sizes are checked against the pixel budget before allocation.
#pragma once

#include "formatlib/core/dib_image.h"

namespace fl {

struct PixelPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Turns by `degrees` counter-clockwise (negative: clockwise) about the centre. Multiples of 90 give exactly the
// quarter-turn results. `sourceOrigin`, when given, receives where the source's top-left corner lies in the result
// (rounded to whole pixels).
ErrorCode RotateByAngle(const DibImage& source, double degrees, RgbQuad background, DibImage& result,
                        PixelPoint* sourceOrigin = nullptr);
// Slants the picture horizontally by `degrees` (-89..89): each row moves right by tan(degrees) times its distance
// above the bottom row (negative: to the left). 0 gives an equal copy. `sourceOrigin` as for RotateByAngle.
ErrorCode Skew(const DibImage& source, double degrees, RgbQuad background, DibImage& result,
               PixelPoint* sourceOrigin = nullptr);

// The palette entry closest to `color` (squared distance); 0 for an empty palette.
uint32_t NearestPaletteIndex(const std::vector<RgbQuad>& palette, RgbQuad color);

}  // namespace fl
