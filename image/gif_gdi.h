// The GDI helpers of the GIF classes: the fixed 216-colour palette, the check of GDI results, palettes of colour
// maps, and the device-independent copies of bitmaps that frames are imported from.
#pragma once

#include <windows.h>

#include "classlib/win/bitmap.h"
#include "image/core/gif_color_map.h"

namespace img {

// A logical palette of the 216-colour cube: entry r x 36 + g x 6 + b is (r x 51, g x 51, b x 51).
HPALETTE Create216ColorPalette();

// Raises EOutOfResources with the system's text for the last error code, or "Out of system resources" when
// there is none.
[[noreturn]] void RaiseLastGDIError();
// A GDI result that is not null comes back unchanged; null raises through RaiseLastGDIError.
template <class T>
T CheckGDIResult(T value) {
  if (!value) RaiseLastGDIError();
  return value;
}

// A logical palette of the map's entries; null for an empty map.
HPALETTE CreatePaletteHandle(const TGIFColorMap& map);

// The info header of a DIB of bitmap at format (1, 4, 8 or 24 bits; any other raises GIFException
// "Unsupported PixelFormat"): a DIB section's own header where it has a full one, else a plain header of the
// bitmap's size. "Bitmap image is not valid" when the bitmap cannot be read.
void FillDIBHeader(HBITMAP bitmap, BITMAPINFOHEADER& header, cl::TPixelFormat format);
// The bytes of the info header with its colour table or masks, and of the pixels, of that DIB.
void GetDIBSizesFor(HBITMAP bitmap, DWORD& headerSize, DWORD& imageSize, cl::TPixelFormat format);
// Copies every row of bitmap into bits as that DIB, its colour table into header (which holds GetDIBSizesFor's
// header size), with palette realised; true when rows were copied.
bool ReadDIBBits(HBITMAP bitmap, HPALETTE palette, BITMAPINFO* header, void* bits, cl::TPixelFormat format);

// Gives bitmap the pixel format; an 8-bit bitmap starts blank at its width and height.
void ForcePixelFormat(cl::TBitmap* bitmap, cl::TPixelFormat format);

}  // namespace img
