// A bitmap as a complete BMP file image at a chosen colour count, in memory or written to a stream.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace cl {
class TBitmap;
class TStream;
}  // namespace cl

namespace ctl {

// The BMP file image of the bitmap at colorCount colours (0 its own depth, 2, 16 or 256; deeper than 8 bits is
// written at 24), read with the palette selected and realised. The bitmap must not be selected into a DC. A null
// handle raises EInvalidGraphic "Bitmap image is not valid".
std::vector<uint8_t> BitmapToBMPImage(HBITMAP bitmap, HPALETTE palette, int colorCount);
// The image written to the stream, after its Int32 size when withSize is set.
void WriteBitmapImage(cl::TStream& stream, HBITMAP bitmap, HPALETTE palette, int colorCount, bool withSize);
// The bitmap's image at colorCount colours (a monochrome bitmap always at 2), written from the stream's start;
// the stream is left at position 0.
void WriteBitmapAtColors(cl::TStream& stream, cl::TBitmap* bitmap, int colorCount);

}  // namespace ctl
