// The geometry of an image strip: frames of one size side by side in one bitmap (frame i at x = i * Width), each
// with its own x offset and masked flag, and the limits a strip read from a file must keep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

struct TStripFrame {
  uint16_t Offset = 0;
  bool Masked = false;
  bool operator==(const TStripFrame&) const = default;
};

class TImageStrip {
 public:
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  // Values of 0 or less are ignored; a new size empties the strip. Returns whether the size changed.
  bool SetSize(int32_t width, int32_t height);
  int Count() const { return static_cast<int>(FFrames.size()); }
  int32_t StripWidth() const { return Count() * FWidth; }
  const TStripFrame& Frame(int index) const { return FFrames.at(static_cast<size_t>(index)); }
  bool ValidIndex(int index) const { return index >= 0 && index < Count(); }
  // The frame's rectangle in the strip.
  cl::TRect FrameRect(int index) const;

  // Replaces the frames by count frames of this size, all masked or all not.
  void Reset(int count, bool masked);
  // Appends the frames of another strip: EInvalidGraphicOperation "Invalid image size" when its frames differ in
  // size, "Too many images" when the strip would grow past kMaxStripExtent pixels. The new frames are masked when
  // both strips are.
  void Append(int32_t width, int32_t height, int count, bool masksCopied);

 private:
  int32_t FWidth = 16;
  int32_t FHeight = 16;
  std::vector<TStripFrame> FFrames;
};

}  // namespace ctl
