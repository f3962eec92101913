// Conversions between the core's DibImage and the two Win32 forms of a picture: packed DIBs in global memory and
// bitmaps (DIB sections). Every reader and writer of the library goes through these, so a picture crosses the
// Win32 boundary in one way only. Failures are thrown as fl::Failure.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "formatlib/core/dib_image.h"
#include "formatlib/win_handles.h"

namespace fl {

// A new packed DIB (BITMAPINFOHEADER, colour table, bottom-up rows) whose rows the caller fills; the block stays
// locked until Release() hands it over.
class NewPackedDib {
 public:
  NewPackedDib(int32_t width, int32_t height, int bitCount, const std::vector<RgbQuad>& palette);
  NewPackedDib(const NewPackedDib&) = delete;
  NewPackedDib& operator=(const NewPackedDib&) = delete;
  ~NewPackedDib();
  // Row y counted from the top.
  uint8_t* Row(int32_t y) const { return bits_ + static_cast<size_t>(height_ - 1 - y) * stride_; }
  size_t Stride() const { return stride_; }
  // Rewrites the colour table with `palette` (as many entries as the table has).
  void SetColors(const std::vector<RgbQuad>& palette);
  HGLOBAL Release();

 private:
  GlobalMemory memory_;
  uint8_t* bits_ = nullptr;
  RGBQUAD* colors_ = nullptr;
  size_t colorCount_ = 0;
  int32_t height_;
  size_t stride_;
};

// A new bottom-up DIB section whose rows the caller fills. (Always bottom-up: Wine reports the height of a top-down
// section as positive, so code that reads a section's bits could not tell the two apart.)
class NewDibSection {
 public:
  NewDibSection(int32_t width, int32_t height, int bitCount, const std::vector<RgbQuad>& palette);
  uint8_t* Row(int32_t y) const { return bits_ + static_cast<size_t>(height_ - 1 - y) * stride_; }
  size_t Stride() const { return stride_; }
  HBITMAP Release() { return bitmap_.Release(); }

 private:
  GdiObject<HBITMAP> bitmap_;
  uint8_t* bits_ = nullptr;
  int32_t height_;
  size_t stride_;
};

// Reads a packed DIB of any usual layout: core or info headers, 1 to 32 bits, BI_RGB or BI_BITFIELDS, bottom-up or
// top-down. 16-bit and bit-field pictures become 24-bit ones. Fails with kBadDib on anything inconsistent.
DibImage DibFromPacked(HGLOBAL dib);
// The same picture as a DIB section, read straight from the block.
HBITMAP BitmapFromPacked(HGLOBAL dib);
// The colour table of a packed DIB (empty above 8 bits), checked like DibFromPacked but without copying the pixels.
std::vector<RgbQuad> PaletteOfPacked(HGLOBAL dib);
HGLOBAL PackedFromDib(const DibImage& image);

// Reads a bitmap at its own depth: a DIB section of 1, 4, 8, 24 or 32 bits keeps depth and colour table (16 bits
// becomes 24); a device bitmap gives 1 bit when monochrome, 8 bits through `palette` on a palette device, else 24.
DibImage DibFromBitmap(HBITMAP bitmap, HPALETTE palette = nullptr);
// The same reading straight into a packed DIB.
HGLOBAL PackedFromBitmap(HBITMAP bitmap, HPALETTE palette);
HBITMAP BitmapFromDib(const DibImage& image);
// Puts `image` (of the bitmap's width and height) into the existing bitmap, for the transforms that work in place.
void StoreDibInBitmap(const DibImage& image, HBITMAP bitmap);

}  // namespace fl
