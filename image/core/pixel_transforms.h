// Quarter turns, flips and inversion done straight on the rows of a 24 or 32-bit picture in memory. The image
// control takes this road for pictures held in DIB sections, where a round trip through packed DIBs would copy
// every pixel several times over.
#pragma once

#include <cstddef>
#include <cstdint>

namespace img {

// Pixels of 3 (blue, green, red) or 4 bytes (blue, green, red, reserved); row y counted from the top of the
// picture starts at Top + y * Stride (a negative stride for rows stored bottom-up).
struct PixelRows {
  uint8_t* Top = nullptr;
  std::ptrdiff_t Stride = 0;
  int Width = 0;
  int Height = 0;
  int BytesPerPixel = 3;
  uint8_t* Row(int y) const { return Top + y * Stride; }
};

enum class PixelChange {
  Invert,        // every colour becomes its complement; the reserved byte of 4-byte pixels is kept
  FlipVertical,  // upside down
  Mirror,        // left to right
  Rotate180,
};

void ChangePixels(PixelChange change, const PixelRows& rows);

// Fills target, whose width and height are source's height and width, with source turned by 90 degrees, clockwise
// or counter-clockwise.
void TurnPixels(const PixelRows& source, const PixelRows& target, bool clockwise);

}  // namespace img
