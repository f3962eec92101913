// DIB routines over GDI handles: the packed-DIB helpers the components call, and the one path between GDI
// bitmaps and plain TDibImage pixels that TBitmap, the clipboard and the printer share.
#pragma once

#include <windows.h>

#include <vector>

#include "classlib/win/dib_pixels.h"

namespace cl {

// Sizes of the packed DIB that GetDIB writes: info header plus colour table, and the bits.
void GetDIBSizes(HBITMAP bitmap, DWORD& infoHeaderSize, DWORD& imageSize);
// The bitmap as a packed DIB at its own bit count (BI_RGB, 2^bpp colours for 8 bits or fewer, rows padded to 4
// bytes), read with palette selected into a screen DC. info and bits must hold GetDIBSizes bytes. False on failure.
bool GetDIB(HBITMAP bitmap, HPALETTE palette, void* info, void* bits);
// A new palette with the entries of palette (null for null).
HPALETTE CopyPalette(HPALETTE palette);

namespace dib {

// Bit count, width and height of any bitmap handle; whether it is a DIB section.
struct TBitmapShape {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
  bool IsSection = false;
  bool Rgb565 = false;
};
TBitmapShape ShapeOf(HBITMAP bitmap);

// A counted DIB section holding image (its bits, masks and colour table).
HBITMAP CreateSection(const TDibImage& image);
// A blank DIB section of that shape; the colour table for 8 bits or fewer is colors.
HBITMAP CreateBlankSection(int width, int height, int bitCount, bool rgb565, const std::vector<TColorEntry>& colors);
// The pixels of a DIB section exactly as stored (colour table included). The bitmap must not be selected.
TDibImage ReadSection(HBITMAP section);
// The colour table of a DIB section with 8 bits or fewer (empty otherwise). The bitmap must not be selected.
std::vector<TColorEntry> ColorTableOf(HBITMAP section);
// Replaces the first entries of the colour table of a DIB section with 8 bits or fewer (as many as it holds).
// The bitmap must not be selected.
void SetColorTable(HBITMAP section, const std::vector<TColorEntry>& colors);
// Any bitmap as 32-bit pixels (device-dependent ones through palette).
TDibImage Read32(HBITMAP bitmap, HPALETTE palette);

// Palettes as entry lists and back (counted).
HPALETTE CreatePaletteOf(const std::vector<TColorEntry>& colors);
std::vector<TColorEntry> EntriesOf(HPALETTE palette);

// A packed DIB in global memory handed over by someone else: locked for the object's lifetime, freed at its end
// (also when reading it raised). Bytes() is null and Size() 0 when the block cannot be locked.
class TakenBlock {
 public:
  explicit TakenBlock(HGLOBAL block);
  TakenBlock(const TakenBlock&) = delete;
  TakenBlock& operator=(const TakenBlock&) = delete;
  ~TakenBlock();
  const uint8_t* Bytes() const { return FBytes; }
  size_t Size() const { return FSize; }

 private:
  HGLOBAL FBlock;
  const uint8_t* FBytes;
  size_t FSize;
};

}  // namespace dib
}  // namespace cl
