// Reduction of a true-colour picture to at most 256 colours, so that it can be written as a GIF frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/core/gif_color_map.h"

namespace img {

struct TQuantizedPixels {
  std::vector<TGIFColor> Palette;     // at most 256 colours
  std::vector<std::uint8_t> Indices;  // one palette index a pixel
};

// rgb holds pixelCount pixels as red, green, blue bytes. A picture of at most 256 distinct colours keeps them
// exactly (in order of first appearance); a richer one gets a median-cut palette and each pixel its nearest
// colour in it.
TQuantizedPixels QuantizeTo256Colors(const std::uint8_t* rgb, std::size_t pixelCount);

}  // namespace img
