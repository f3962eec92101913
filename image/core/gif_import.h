// The pixel side of turning a bitmap into a GIF frame, over plain rows: unpacking palette rows to one index a
// pixel, and the small cache of recent colours that saves colour-table searches on true-colour pictures.
#pragma once

#include <array>
#include <cstdint>

namespace img {

// Unpacks a row of a palette picture of 1, 4 or 8 bits a pixel into one index byte a pixel; packed pixels lie
// leftmost in the high bits.
void UnpackIndexRow(const std::uint8_t* row, int width, int bitsPerPixel, std::uint8_t* out);

// The colours met last with their colour-map indexes: eight pairs used as a ring. A search starts at the pair
// used last and goes backwards until it is round or meets an empty pair.
class TGIFColorRing {
 public:
  // The index of color: from the ring when it holds the colour, else add(color), which is then remembered in
  // the slot after the one used last.
  template <class Add>
  int IndexOf(std::uint32_t color, Add&& add) {
    for (int n = 0, slot = FLast; n < kSlots; ++n, slot = (slot + kSlots - 1) % kSlots) {
      const Pair& pair = FPairs[static_cast<std::size_t>(slot)];
      if (pair.Index < 0) break;
      if (pair.Color == color) {
        FLast = slot;
        return pair.Index;
      }
    }
    const int index = add(color);
    FLast = (FLast + 1) % kSlots;
    FPairs[static_cast<std::size_t>(FLast)] = {color, index};
    return index;
  }

 private:
  static constexpr int kSlots = 8;
  struct Pair {
    std::uint32_t Color = 0;
    int Index = -1;  // -1: empty
  };
  std::array<Pair, kSlots> FPairs{};
  int FLast = 0;
};

}  // namespace img
