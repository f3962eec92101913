// What the viewer makes of the DIB a TWAIN source hands over in one memory block: the block is checked first
// (header kind, colour count, rows inside the block), then the colour count and palette the picture gets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/bmp_codec.h"

namespace viewer {

struct TwainDib {
  cl::bmp::TBmpLayout Layout;  // where the colour table and the rows lie in the block
  // The colours the DIB uses: by bit count for a core header, else its used-colours field, else by bit count
  // (1: 2, 4: 16, 8: 256, deeper: none).
  uint32_t ColorCount = 0;
  // The picture's palette, red, green and blue of each entry: the colour table of a 40-byte header with colours;
  // a fixed 256-entry palette (3 bits of red and green, 2 of blue) for a 24-bit one without; otherwise none.
  std::vector<cl::bmp::TColorEntry> Palette;
  // Two colours make a monochrome bitmap.
  bool Monochrome() const { return ColorCount == 2; }
};

// Raises EInvalidGraphic with a text naming the source when the block does not hold a valid packed DIB.
TwainDib ReadTwainDib(const uint8_t* block, size_t size);

}  // namespace viewer
