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
  FFrames.clear();
  return true;
}

cl::TRect TImageStrip::FrameRect(int index) const {
  return cl::Bounds(Frame(index).Offset, 0, FWidth, FHeight);
}

void TImageStrip::Reset(int count, bool masked) {
  FFrames.clear();
  Append(FWidth, FHeight, count, masked);
}

void TImageStrip::Append(int32_t width, int32_t height, int count, bool masksCopied) {
  if (width != FWidth || height != FHeight) throw cl::EInvalidGraphicOperation("Invalid image size");
  if (int64_t{Count() + int64_t{count}} * FWidth > kMaxStripExtent) {
    throw cl::EInvalidGraphicOperation("Too many images");
  }
  for (int i = 0; i < count; ++i) {
    FFrames.push_back({static_cast<uint16_t>(StripWidth()), masksCopied});
  }
}

}  // namespace ctl
