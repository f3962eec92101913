#include "viewer/core/gray_palette.h"

#include <algorithm>
#include <cstdlib>

namespace viewer {

namespace {
// 2 ^ 10 entries: the most a display of 32 bits asks for; deeper devices get no more greys than 8 bits can show.
constexpr int kMaxGrayBits = 10;
}  // namespace

int GrayPaletteBits(bool paletteDevice, int colorResolution, int bitsPerPixel, int planes) {
  return paletteDevice ? colorResolution : bitsPerPixel * planes;
}

int GrayPaletteSize(int bits) {
  return 1 << std::clamp(bits / 3, 0, kMaxGrayBits);
}

std::vector<uint8_t> GrayPaletteLevels(int entries) {
  std::vector<uint8_t> levels(std::max(1, entries), 0);
  // One entry has no step between entries: it stays black instead of dividing by zero.
  if (levels.size() == 1) return levels;
  const int last = static_cast<int>(levels.size()) - 1;
  for (int i = 0; i <= last; ++i) levels[i] = static_cast<uint8_t>(i * 255 / last);
  return levels;
}

std::vector<uint16_t> NearestGrayIndexes(const std::vector<uint8_t>& levels) {
  std::vector<uint16_t> nearest(256, 0);
  for (int grey = 0; grey < 256; ++grey) {
    int best = 256;
    for (size_t i = 0; i < levels.size(); ++i) {
      const int distance = std::abs(levels[i] - grey);
      // Strictly nearer only: on a tie the lower entry stays.
      if (distance < best) {
        best = distance;
        nearest[grey] = static_cast<uint16_t>(i);
      }
    }
  }
  return nearest;
}

}  // namespace viewer
