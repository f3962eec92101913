// Pixel changes and quarter turns of 24 and 32-bit pictures in memory, stored top-down and bottom-up, with odd and
// even sizes: every pixel lands where the change puts it, and a turn writes nothing into the padding after a row.
#include "image/core/pixel_transforms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace img {
namespace {

// A picture whose pixel (x, y) holds distinct bytes; the reserved byte of 4-byte pixels is 0xA0 + x.
struct Picture {
  int Width, Height, Bytes;
  bool BottomUp;
  std::vector<uint8_t> Memory;

  Picture(int width, int height, int bytes, bool bottomUp)
      : Width(width), Height(height), Bytes(bytes), BottomUp(bottomUp) {
    Memory.assign(static_cast<size_t>(Stride()) * height, 0xEE);
  }
  int Stride() const { return (Width * Bytes + 3) & ~3; }
  PixelRows Rows() {
    PixelRows rows;
    rows.Width = Width;
    rows.Height = Height;
    rows.BytesPerPixel = Bytes;
    rows.Top = BottomUp ? Memory.data() + static_cast<size_t>(Height - 1) * Stride() : Memory.data();
    rows.Stride = BottomUp ? -Stride() : Stride();
    return rows;
  }
  uint32_t At(int x, int y) {
    uint32_t pixel = 0;
    std::memcpy(&pixel, Rows().Row(y) + x * Bytes, Bytes);
    return pixel;
  }
  void Set(int x, int y, uint32_t pixel) { std::memcpy(Rows().Row(y) + x * Bytes, &pixel, Bytes); }
};

uint32_t Original(int x, int y, int bytes) {
  const uint32_t color = static_cast<uint32_t>(x * 7 + 1) | static_cast<uint32_t>(y * 11 + 2) << 8 | 0x330000u;
  return bytes == 4 ? color | static_cast<uint32_t>(0xA0 + x) << 24 : color;
}

Picture Filled(int width, int height, int bytes, bool bottomUp) {
  Picture picture(width, height, bytes, bottomUp);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.Set(x, y, Original(x, y, bytes));
  return picture;
}

struct Shape {
  int width, height, bytes;
  bool bottomUp;
};

class PixelTransformsTest : public ::testing::TestWithParam<Shape> {};

TEST_P(PixelTransformsTest, ChangesPutEveryPixelInItsPlace) {
  const Shape s = GetParam();
  const std::function<uint32_t(int, int)> expected[] = {
      [&](int x, int y) { return Original(x, y, s.bytes) ^ 0x00FFFFFFu; },
      [&](int x, int y) { return Original(x, s.height - 1 - y, s.bytes); },
      [&](int x, int y) { return Original(s.width - 1 - x, y, s.bytes); },
      [&](int x, int y) { return Original(s.width - 1 - x, s.height - 1 - y, s.bytes); },
  };
  const PixelChange changes[] = {PixelChange::Invert, PixelChange::FlipVertical, PixelChange::Mirror,
                                 PixelChange::Rotate180};
  for (int i = 0; i < 4; ++i) {
    Picture picture = Filled(s.width, s.height, s.bytes, s.bottomUp);
    ChangePixels(changes[i], picture.Rows());
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) ASSERT_EQ(picture.At(x, y), expected[i](x, y)) << i << " " << x << "," << y;
  }
}

TEST_P(PixelTransformsTest, QuarterTurnsBothWays) {
  const Shape s = GetParam();
  Picture source = Filled(s.width, s.height, s.bytes, s.bottomUp);
  for (bool clockwise : {true, false}) {
    Picture target(s.height, s.width, s.bytes, !s.bottomUp);
    TurnPixels(source.Rows(), target.Rows(), clockwise);
    for (int y = 0; y < s.width; ++y) {
      for (int x = 0; x < s.height; ++x) {
        const uint32_t want =
            clockwise ? Original(y, s.height - 1 - x, s.bytes) : Original(s.width - 1 - y, x, s.bytes);
        ASSERT_EQ(target.At(x, y), want) << clockwise << " " << x << "," << y;
      }
      const uint8_t* row = target.Rows().Row(y);
      for (int i = target.Width * s.bytes; i < target.Stride(); ++i) ASSERT_EQ(row[i], 0xEE) << "padding of row " << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, PixelTransformsTest,
                         ::testing::Values(Shape{5, 3, 3, true}, Shape{4, 4, 4, false}, Shape{1, 7, 3, false},
                                           Shape{7, 1, 3, true}, Shape{1, 1, 3, false}, Shape{33, 65, 3, false},
                                           Shape{65, 33, 4, false}, Shape{130, 67, 3, true}, Shape{67, 130, 4, true}));

}  // namespace
}  // namespace img
