// Quarter turns, flips and inversion of a DibImage, at every depth. Pixels move exactly; palettes are kept.
#pragma once

#include "formatlib/core/dib_image.h"

namespace fl {

// New image turned by 90 degrees clockwise (width and height swap).
ErrorCode Rotate90(const DibImage& source, DibImage& result);
// New image turned by 90 degrees counter-clockwise.
ErrorCode Rotate270(const DibImage& source, DibImage& result);
// In place.
void Rotate180(DibImage& image);
void FlipHorizontal(DibImage& image);
void FlipVertical(DibImage& image);
// Every colour becomes its complement (255 - channel): the palette entries at depths up to 8, the pixels' blue,
// green and red bytes at 24 and 32 (the reserved byte is kept).
void Invert(DibImage& image);

}  // namespace fl
