// LZW encoding of one GIF frame's pixels into image data: the minimum code size byte, data sub-blocks of at
// most 254 bytes and the block terminator.
#pragma once

#include <cstdint>
#include <vector>

namespace img {

struct GIFPixelSource {
  const std::uint8_t* pixels;  // width x height colour indices, rows top to bottom
  int width;
  int height;
  bool interlaced;  // write the rows in the four interlace passes
};

// Appends the image data to out. bitsPerPixel is the depth of the frame's colour map; pixel values that do
// not fit it widen the code size, so every index survives the trip.
void EncodeGIFImageData(const GIFPixelSource& source, int bitsPerPixel, std::vector<std::uint8_t>& out);

}  // namespace img
