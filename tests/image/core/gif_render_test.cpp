// The pixel arithmetic of showing frames and importing bitmaps: mask bits, the 216-colour error diffusion, the
// frame's place on a stretched screen, palette row unpacking and the recent-colour ring.
#include <gtest/gtest.h>

#include <vector>

#include "image/core/gif_import.h"
#include "image/core/gif_render.h"
#include "image/core/gif_sub_image.h"

namespace img {
namespace {

class TestColorMap : public TGIFColorMap {
 public:
  explicit TestColorMap(std::initializer_list<cl::TColor> colors) {
    for (cl::TColor color : colors) Add(color);
  }
  void Warning(int, const std::string&) override {}
  bool Reorder() override { return false; }
  void Changed() override {}
};

constexpr cl::TColor Gray(int level) {
  return level * 0x010101;
}

// Dithers rows of indices (each width long) and returns the cube indexes.
std::vector<std::vector<int>> Dither(const TGIFColorMap& map, const std::vector<std::vector<std::uint8_t>>& rows) {
  const int width = static_cast<int>(rows[0].size());
  TGIFDither216 dither(width, map);
  std::vector<std::vector<int>> result;
  for (const auto& row : rows) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width));
    dither.Row(row.data(), out.data(), nullptr, -1);
    result.emplace_back(out.begin(), out.end());
  }
  return result;
}

TEST(GifRender, CubeIndexRoundsEachChannelToTheNearestLevelWithinTheCube) {
  EXPECT_EQ(CubeIndexOf(255, 255, 255), 215);
  EXPECT_EQ(CubeIndexOf(0, 0, 0), 0);
  EXPECT_EQ(CubeIndexOf(255, 0, 0), 180);
  EXPECT_EQ(CubeIndexOf(25, 26, 0), 6);          // 25 / 51 is below a half, 26 / 51 above
  EXPECT_EQ(CubeIndexOf(-1000, 1000, -26), 30);  // far outside the cube: limited to its levels, never wrapped
}

TEST(GifRender, DitherSpreadsTheRoundingErrorToTheNeighboursInTheRowsDirection) {
  TestColorMap map{Gray(20), Gray(0)};
  // 20 rounds to 0 and leaves 20 x 1024 per channel: 7/16 of it lifts the next pixel of the row to 28, which
  // rounds up; 5/16 lifts the pixel below to 26.
  EXPECT_EQ(Dither(map, {{0, 0}}), (std::vector<std::vector<int>>{{0, 43}}));
  EXPECT_EQ(Dither(map, {{0}, {0}}), (std::vector<std::vector<int>>{{0}, {43}}));
  // The second row runs right to left: its first pixel is the rightmost, and its error goes to the left.
  EXPECT_EQ(Dither(map, {{1, 1}, {0, 0}}), (std::vector<std::vector<int>>{{0, 0}, {43, 0}}));
  // The third row runs left to right again.
  EXPECT_EQ(Dither(map, {{1, 1}, {1, 1}, {0, 0}}), (std::vector<std::vector<int>>{{0, 0}, {0, 0}, {0, 43}}));
}

TEST(GifRender, DitherReadsNoColourPastTheMapAndLeavesTransparentPixelsUntouched) {
  TestColorMap map{Gray(255)};
  EXPECT_EQ(Dither(map, {{0, 7, 255}}), (std::vector<std::vector<int>>{{215, 0, 0}}));  // past the map: black

  TestColorMap grays{Gray(20), Gray(0), Gray(40)};
  TGIFDither216 dither(3, grays);
  const std::uint8_t row[] = {0, 2, 1};  // 20 (error +20), transparent 40, 0
  std::uint8_t out[3] = {}, mask[2] = {};
  EXPECT_TRUE(dither.Row(row, out, mask, 2));
  EXPECT_EQ(mask[0], 0x40);
  EXPECT_EQ(out[1], 43);  // its own colour's cube entry: 40 rounds to 51
  EXPECT_EQ(out[2], 0);   // the error of pixel 0 did not pass the transparent pixel
}

TEST(GifRender, MaskRowsArePaddedTo16BitsWithTheLeftmostPixelInTheHighBit) {
  EXPECT_EQ(MaskRowBytes(1), 2);
  EXPECT_EQ(MaskRowBytes(16), 2);
  EXPECT_EQ(MaskRowBytes(17), 4);
  const std::uint8_t row[] = {3, 0, 0, 0, 0, 0, 0, 0, 3};
  std::uint8_t mask[2] = {};
  EXPECT_TRUE(MarkTransparentPixels(row, 9, 3, mask));
  EXPECT_EQ(mask[0], 0x80);
  EXPECT_EQ(mask[1], 0x80);
  std::uint8_t none[2] = {};
  EXPECT_FALSE(MarkTransparentPixels(row, 9, 7, none));
  EXPECT_EQ(none[0] | none[1], 0);
}

TEST(GifRender, FramePlaceScalesWithTheStretchedScreen) {
  EXPECT_EQ(ScaleFrameRect(cl::Rect(0, 0, 200, 50), 10, 20, 30, 40, 100, 100), cl::Rect(20, 10, 80, 30));
  EXPECT_EQ(ScaleFrameRect(cl::Rect(5, 7, 105, 107), 0, 0, 100, 100, 100, 100), cl::Rect(5, 7, 105, 107));
}

TEST(GifImport, PaletteRowsUnpackHighBitsFirst) {
  const std::uint8_t nibbles[] = {0x12, 0x3F};
  std::uint8_t out[10] = {};
  UnpackIndexRow(nibbles, 3, 4, out);  // the low nibble of the second byte is no pixel
  EXPECT_EQ(std::vector<int>(out, out + 3), (std::vector<int>{1, 2, 3}));
  const std::uint8_t bits[] = {0xA5, 0xC0};
  UnpackIndexRow(bits, 10, 1, out);
  EXPECT_EQ(std::vector<int>(out, out + 10), (std::vector<int>{1, 0, 1, 0, 0, 1, 0, 1, 1, 1}));
  const std::uint8_t bytes[] = {9, 200};
  UnpackIndexRow(bytes, 2, 8, out);
  EXPECT_EQ(std::vector<int>(out, out + 2), (std::vector<int>{9, 200}));
}

TEST(GifImport, ColorRingAsksOnlyForColoursNotAmongTheLastEight) {
  TGIFColorRing ring;
  int added = 0;
  auto add = [&](std::uint32_t color) {
    ++added;
    return static_cast<int>(color) * 10;
  };
  for (std::uint32_t color = 1; color <= 9; ++color) EXPECT_EQ(ring.IndexOf(color, add), static_cast<int>(color) * 10);
  EXPECT_EQ(added, 9);
  EXPECT_EQ(ring.IndexOf(9, add), 90);
  EXPECT_EQ(ring.IndexOf(2, add), 20);
  EXPECT_EQ(added, 9);
  EXPECT_EQ(ring.IndexOf(1, add), 10);  // the ninth colour took its place
  EXPECT_EQ(added, 10);
}

}  // namespace
}  // namespace img
