// Pixel format conversions of plain DIBs (no GDI): every format to 32-bit B, G, R, 0 and back, with the fixed
// palettes the class library reduces colours to.
#pragma once

#include <vector>

#include "classlib/core/bmp_codec.h"

namespace cl::dib {

using bmp::TColorEntry;
using bmp::TDibImage;

// The fixed layer palette of 8-bit conversions: the 16 VGA colours, the 6x6x6 colour cube, then 24 greys.
const std::vector<TColorEntry>& LayerPalette();
// The 16 VGA colours (4-bit conversions) and black and white (1-bit conversions).
const std::vector<TColorEntry>& VgaPalette();
const std::vector<TColorEntry>& MonochromePalette();

// Index of the entry nearest to (red, green, blue) in RGB distance; the lowest index wins a tie.
int NearestColorIndex(const std::vector<TColorEntry>& colors, int red, int green, int blue);

// Any TDibImage as 32-bit B, G, R, 0 rows.
TDibImage ExpandTo32(const TDibImage& image);

// A 32-bit image reduced to bitCount (1, 4, 8: nearest entry of colors, no dither; 16: 5-5-5, or 5-6-5 when
// rgb565; 24; 32).
TDibImage ReduceFrom32(const TDibImage& image32, int bitCount, bool rgb565, const std::vector<TColorEntry>& colors);

}  // namespace cl::dib
