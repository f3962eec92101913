#include "image/core/gif_import.h"

#include <cstring>

namespace img {

void UnpackIndexRow(const std::uint8_t* row, int width, int bitsPerPixel, std::uint8_t* out) {
  switch (bitsPerPixel) {
    case 8:
      std::memcpy(out, row, static_cast<std::size_t>(width));
      break;
    case 4:
      for (int x = 0; x < width; ++x) out[x] = (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2]) & 0x0F;
      break;
    case 1:
      for (int x = 0; x < width; ++x) out[x] = (row[x / 8] >> (7 - x % 8)) & 0x01;
      break;
    default:
      break;
  }
}

}  // namespace img
