// Image strip geometry: frame placement, the growth checks and the limits of strips read from files.
#include "controls/core/image_strip.h"

#include "classlib/core/exceptions.h"

namespace ctl {

void CheckStripGeometry(const TStripGeometry& geometry) {
  const bool sizeValid = geometry.Width > 0 && geometry.Width <= kMaxStripExtent && geometry.Height > 0 &&
                         geometry.Height <= kMaxStripExtent;
  if (!sizeValid || geometry.Count < 0 || int64_t{geometry.Count} * geometry.Width > kMaxStripExtent) {
    throw cl::EReadError("Stream read error");
  }
}

bool TImageStrip::SetSize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || (width == FWidth && height == FHeight)) return false;
  FWidth = width;
  FHeight = height;
  FCount = 0;
  return true;
}

cl::TRect TImageStrip::FrameRect(int index) const {
  return cl::Bounds(index * FWidth, 0, FWidth, FHeight);
}

void TImageStrip::Reset(int count) {
  FCount = 0;
  Append(FWidth, FHeight, count);
}

void TImageStrip::Append(int32_t width, int32_t height, int count) {
  if (width != FWidth || height != FHeight) throw cl::EInvalidGraphicOperation("Invalid image size");
  if ((int64_t{FCount} + count) * FWidth > kMaxStripExtent) {
    throw cl::EInvalidGraphicOperation("Too many images");
  }
  FCount += count;
}

}  // namespace ctl
