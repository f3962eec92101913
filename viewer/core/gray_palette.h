// The grey palette of the grey-scale command: as many greys as the display's colour bits allow, evenly spread
// from black to white, and the grey each colour becomes.
#pragma once

#include <cstdint>
#include <vector>

namespace viewer {

// Colour bits of the display: its colour resolution on a palette device, else bits per pixel times planes.
int GrayPaletteBits(bool paletteDevice, int colorResolution, int bitsPerPixel, int planes);
// 2 ^ (bits div 3) entries (1,024 at most, as the palette of a 32-bit display).
int GrayPaletteSize(int bits);
// Entry i is i * 255 div (entries - 1); a one-entry palette (fewer than three bits) holds black.
std::vector<uint8_t> GrayPaletteLevels(int entries);

// The grey of a colour: (red * 30 + green * 59 + blue * 11) div 100.
inline uint8_t GrayOfColor(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<uint8_t>((red * 30 + green * 59 + blue * 11) / 100);
}

// For each grey value 0..255, the index of the palette entry nearest to it (the lowest on a tie), as the
// system picks the nearest entry of a palette.
std::vector<uint16_t> NearestGrayIndexes(const std::vector<uint8_t>& levels);

}  // namespace viewer
