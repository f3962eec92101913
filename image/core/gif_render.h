// The pixel arithmetic of showing a GIF frame, over plain index rows: transparency mask bits, the reduction to the
// fixed 216-colour cube by error diffusion, and the frame's place on a stretched logical screen. The Win32 side
// writes what these produce into bitmaps.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/core/types.h"
#include "image/core/gif_color_map.h"

namespace img {

// Bytes of one row of a transparency mask: the rows of a monochrome bitmap are padded to 16 bits.
inline int MaskRowBytes(int width) {
  return (width + 15) / 16 * 2;
}

// Sets the mask bit of every pixel of the row whose index is transparentIndex (bit 0x80 of the first byte is the
// leftmost pixel); true when it set any.
bool MarkTransparentPixels(const std::uint8_t* indices, int width, int transparentIndex, std::uint8_t* maskRow);

// The index of the 216-colour cube entry nearest to a colour: red x 36 + green x 6 + blue, each channel rounded
// to the nearest step of 51 and limited to the cube.
int CubeIndexOf(int red, int green, int blue);

// Floyd-Steinberg error diffusion of a frame to the 216-colour cube, one row after the other from the top. Rows
// alternate in direction (the first left to right); errors are integers scaled by 1024. Indexes the colour map
// does not hold count as black, so no colour is read from past the map.
class TGIFDither216 {
 public:
  TGIFDither216(int width, const TGIFColorMap& colors);

  // Dithers the next row of indices into cube indexes at out. With a mask row, the pixels of transparentIndex
  // get their mask bit and their own colour's cube entry, and neither take nor spread error. True when a mask
  // bit was set.
  bool Row(const std::uint8_t* indices, std::uint8_t* out, std::uint8_t* maskRow, int transparentIndex);

 private:
  int FWidth;
  TGIFColor FColors[TGIFColorMap::kMaxColors];
  // The errors of this row and of the next: red, green and blue of slot x + 1 for pixel x, one slot more on
  // either side.
  std::vector<std::int32_t> FCurrent, FNext;
  bool FLeftToRight = true;
};

// Where a frame at (left, top) of width x height lies when a logical screen of screenWidth x screenHeight is
// stretched onto rect (MulDiv rounding, as the system's).
cl::TRect ScaleFrameRect(const cl::TRect& rect, int left, int top, int width, int height, int screenWidth,
                         int screenHeight);

}  // namespace img
