// The geometry of an image strip: frames of one size side by side in one bitmap (frame i at x = i * Width), and
// the limits a strip read from a file must keep.
#pragma once

#include <cstdint>

#include "classlib/core/types.h"

namespace ctl {

// The widest strip (and the tallest frame) the library makes or reads.
constexpr int32_t kMaxStripExtent = 32768;

// The fields of an image-list record in front of its bitmaps.
struct TStripGeometry {
  int32_t Height = 16;
  int32_t Width = 16;
  int32_t AllocBy = 4;
  bool Masked = false;
  int32_t Count = 0;
};

// Raises EReadError unless Width and Height lie in 1..kMaxStripExtent and Count frames fit a strip of at most
// kMaxStripExtent pixels.
void CheckStripGeometry(const TStripGeometry& geometry);

class TImageStrip {
 public:
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  // Values of 0 or less are ignored; a new size empties the strip. Returns whether the size changed.
  bool SetSize(int32_t width, int32_t height);
  int Count() const { return FCount; }
  int32_t StripWidth() const { return FCount * FWidth; }
  bool ValidIndex(int index) const { return index >= 0 && index < FCount; }
  // The frame's rectangle in the strip.
  cl::TRect FrameRect(int index) const;

  // Replaces the frames by count frames of this size.
  void Reset(int count);
  // Appends the frames of another strip: EInvalidGraphicOperation "Invalid image size" when its frames differ in
  // size, "Too many images" when the strip would grow past kMaxStripExtent pixels.
  void Append(int32_t width, int32_t height, int count);

 private:
  int32_t FWidth = 16;
  int32_t FHeight = 16;
  int FCount = 0;
};

}  // namespace ctl
