// The in-memory image every codec and transform of the format library works on: the pixel array of a packed
// device-independent bitmap with its colour table, ready to be framed by a BITMAPINFOHEADER.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formatlib/core/errors.h"

namespace fl {

// One colour-table entry in the byte order of a DIB colour table.
struct RgbQuad {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
  uint8_t reserved = 0;
  friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

inline constexpr RgbQuad MakeRgb(uint8_t red, uint8_t green, uint8_t blue) {
  return RgbQuad{blue, green, red, 0};
}

// Every image the library makes or reads holds at most this many pixels; sizes are checked against it before any
// allocation, so a file that claims a huge size fails cleanly instead of exhausting memory.
inline constexpr int64_t kMaxPixels = int64_t{1} << 26;  // 8192 x 8192
inline constexpr int32_t kMaxDimension = 1 << 20;

struct DibImage {
  int32_t width = 0;
  int32_t height = 0;
  int bitCount = 0;              // 1, 4, 8, 24 or 32 (32: blue, green, red, reserved/alpha)
  std::vector<RgbQuad> palette;  // depths 1 to 8: at most 2^bitCount entries; empty for 24 and 32
  std::vector<uint8_t> bits;     // bottom-up rows, each padded to 4 bytes: exactly a packed DIB's pixel array

  static bool IsSupportedDepth(int bitCount);
  // Bytes of one padded row of the given size.
  static size_t StrideFor(int32_t width, int bitCount);

  size_t Stride() const { return StrideFor(width, bitCount); }
  bool HasPalette() const { return bitCount <= 8; }
  // Row `y` counted from the top of the picture (the DIB stores the bottom row first).
  uint8_t* Row(int32_t y) { return bits.data() + static_cast<size_t>(height - 1 - y) * Stride(); }
  const uint8_t* Row(int32_t y) const { return bits.data() + static_cast<size_t>(height - 1 - y) * Stride(); }

  // Palette index at (x, y) from the top left; depths 1, 4 and 8 only.
  uint32_t IndexAt(int32_t x, int32_t y) const;
  void SetIndexAt(int32_t x, int32_t y, uint32_t index);
  // Colour at (x, y) at any depth; an index past the end of the palette reads as black. The reserved byte is the
  // pixel's fourth byte at depth 32 and 0 otherwise.
  RgbQuad ColorAt(int32_t x, int32_t y) const;
  // Depths 24 and 32 only; at depth 32 the reserved byte is stored too.
  void SetColorAt(int32_t x, int32_t y, RgbQuad color);

  friend bool operator==(const DibImage&, const DibImage&) = default;
};

// Copies one pixel between two images of the same depth (a palette index or the pixel's bytes).
void CopyPixel(const DibImage& from, int32_t fromX, int32_t fromY, DibImage& to, int32_t toX, int32_t toY);

// Checks that width x height at bitCount is a size the library accepts (each side 1..kMaxDimension, at most
// kMaxPixels pixels, a supported depth); kOk or the reason it is not.
ErrorCode CheckImageSize(int64_t width, int64_t height, int bitCount);

// Checks that `image` is well formed: an accepted size, a pixel array of exactly height rows of Stride() bytes
// and a palette of at most 2^bitCount entries (none at 24 and 32); kBadDib when it is not.
ErrorCode CheckImage(const DibImage& image);

// Makes `image` a zero-filled picture of the given size and depth with an empty palette, after CheckImageSize;
// on failure `image` is left empty.
ErrorCode CreateDibImage(int64_t width, int64_t height, int bitCount, DibImage& image);

// A 2^bitCount-entry gray ramp from black to white (2 entries for depth 1, 16 for 4, 256 for 8).
std::vector<RgbQuad> GrayPalette(int bitCount);

// Luminance 0..255 of a colour (integer ITU-R BT.601 weights).
uint8_t Luminance(RgbQuad color);

}  // namespace fl
