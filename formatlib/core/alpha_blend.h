// Transparent pixels laid over an opaque background colour, for pictures that become plain bitmaps.
#pragma once

#include <algorithm>
#include <cstdint>

#include "formatlib/core/dib_image.h"

namespace fl {

// The colour transparent pictures are laid over when their file names none.
inline constexpr RgbQuad kDefaultBackground = MakeRgb(255, 255, 255);

// One channel of a pixel whose colour does not carry its alpha (0 transparent, 255 opaque) over the background's.
inline uint8_t BlendOver(uint8_t color, uint8_t alpha, uint8_t background) {
  return static_cast<uint8_t>((color * alpha + background * (255 - alpha) + 127) / 255);
}

// The same for a colour already multiplied by its alpha.
inline uint8_t BlendPremultipliedOver(uint8_t color, uint8_t alpha, uint8_t background) {
  return static_cast<uint8_t>(std::min(255, color + (background * (255 - alpha) + 127) / 255));
}

// A colour with the given alpha over the background.
inline RgbQuad BlendOver(RgbQuad color, uint8_t alpha, RgbQuad background) {
  return MakeRgb(BlendOver(color.red, alpha, background.red), BlendOver(color.green, alpha, background.green),
                 BlendOver(color.blue, alpha, background.blue));
}

}  // namespace fl
