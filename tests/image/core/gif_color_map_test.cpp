// Colour maps: sizes, lookups, limits and reordering by use.
#include <gtest/gtest.h>

#include "image/core/gif_error.h"
#include "tests/image/core/gif_test_support.h"

namespace img {
namespace {

using test::RecordingImage;

TEST(GifColorMap, BitsForColorCount) {
  const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {17, 5}, {256, 8}, {300, 8}};
  for (auto [count, bits] : cases) EXPECT_EQ(BitsForColorCount(count), bits) << count;
  EXPECT_EQ(PaddedRowBytes(3, 8, 32), 4);
  EXPECT_EQ(PaddedRowBytes(9, 1, 32), 4);
  EXPECT_EQ(PaddedRowBytes(5, 24, 32), 16);
}

TEST(GifColorMap, CapacityGrowsInSteps) {
  RecordingImage image;
  TGIFColorMap& map = image.GlobalColorMap();
  map.SetCapacity(5);
  EXPECT_EQ(map.Capacity(), 16);
  map.SetCapacity(17);
  EXPECT_EQ(map.Capacity(), 32);
  map.SetCapacity(250);
  EXPECT_EQ(map.Capacity(), 256);
  map.SetCapacity(3);
  EXPECT_EQ(map.Capacity(), 256);
}

TEST(GifColorMap, AddFindsExistingColoursAndStopsAt256) {
  RecordingImage image;
  TGIFColorMap& map = image.GlobalColorMap();
  for (int i = 0; i < 256; ++i) EXPECT_EQ(map.Add(i * 0x010203), i);
  EXPECT_EQ(map.Add(5 * 0x010203), 5);
  EXPECT_EQ(map.Count(), 256);
  try {
    map.Add(0x123456);
    FAIL() << "no exception";
  } catch (const GIFException& error) {
    EXPECT_STREQ(error.what(), "Color table overflow");
  }
  EXPECT_EQ(map.GetColor(1), 0x010203);
}

TEST(GifColorMap, IndexOfSearchesBackwardsUnlessSorted) {
  RecordingImage image;
  image.Load([] {
    test::Bytes bytes = test::GifHeader(1, 1, 1);
    bytes[13 + 9] = bytes[13], bytes[13 + 10] = bytes[14], bytes[13 + 11] = bytes[15];  // entry 3 = entry 0
    return bytes;
  }());
  TGIFColorMap& map = image.GlobalColorMap();
  const cl::TColor first = map.GetColor(0);
  EXPECT_EQ(map.IndexOf(first), 3);
  map.SetSorted(true);
  EXPECT_EQ(map.IndexOf(first), 0);
  EXPECT_EQ(map.IndexOf(0x7F7F7F), -1);
}

TEST(GifColorMap, ColoursOutsideTheMapWarnAndAnswerBlack) {
  RecordingImage image;
  image.GlobalColorMap().Add(0xFFFFFF);
  EXPECT_EQ(image.GlobalColorMap().GetColor(1), 0);
  EXPECT_EQ(image.GlobalColorMap().GetColor(-1), 0);
  EXPECT_EQ(image.warnings, (std::vector<std::string>{"Invalid color index", "Invalid color index"}));
}

TEST(GifColorMap, ImportsAtMost256DIBColours) {
  std::vector<std::uint8_t> table(300 * 4);  // blue, green, red, reserved
  for (std::size_t i = 0; i < 300; ++i) table[4 * i + 2] = static_cast<std::uint8_t>(i);
  RecordingImage image;
  TGIFColorMap& map = image.GlobalColorMap();
  map.ImportDIBColors(table.data(), 300);
  EXPECT_EQ(map.Count(), 256);
  EXPECT_EQ(map.GetColor(255), 0x0000FF);
  EXPECT_TRUE(image.warnings.empty());
}

class SortByUsage : public ::testing::Test {
 protected:
  // One frame of 8 pixels with a local map of 4 colours.
  void SetUp() override {
    test::Bytes bytes = test::GifHeader(8, 1, -1);
    test::Append(bytes, {0x21, 0xF9, 4, 1, 0, 0, 3, 0});
    test::AppendFrame(bytes, 8, 1, 0x81);
    bytes.insert(bytes.end() - 5, {10, 10, 10, 20, 20, 20, 30, 30, 30, 40, 40, 40});
    image.Load(bytes);
    frame = image.Frame(0);
  }
  void SetPixels(const std::vector<std::uint8_t>& pixels) { std::copy(pixels.begin(), pixels.end(), frame->Data()); }
  std::vector<std::uint8_t> Pixels() const { return {frame->Data(), frame->Data() + 8}; }

  RecordingImage image;
  TGIFSubImageCore* frame = nullptr;
};

TEST_F(SortByUsage, OrdersByUseAndRewritesPixelsAndTransparentIndex) {
  SetPixels({3, 3, 3, 1, 1, 0, 2, 2});  // uses: 0 once, 1 twice, 2 twice, 3 three times
  EXPECT_TRUE(frame->ColorMap().SortByUsage(*frame, true));
  EXPECT_TRUE(frame->ColorMap().Sorted());
  EXPECT_EQ(frame->ColorMap().Count(), 4);
  EXPECT_EQ(frame->ColorMap().GetColor(0), 0x282828);
  EXPECT_EQ(frame->ColorMap().GetColor(3), 0x0A0A0A);
  EXPECT_EQ(frame->GraphicControlExtension()->TransparentColorIndex(), 0);
  const auto pixels = Pixels();
  EXPECT_EQ(pixels[0], 0);
  EXPECT_EQ(pixels[5], 3);
  EXPECT_EQ(frame->ColorMap().GetColor(pixels[3]), 0x141414);
}

TEST_F(SortByUsage, TruncateDropsUnusedColours) {
  SetPixels({2, 0, 2, 2, 0, 0, 0, 2});
  EXPECT_TRUE(frame->ColorMap().Reorder());
  EXPECT_EQ(frame->ColorMap().Count(), 2);
  EXPECT_EQ(frame->ColorMap().GetColor(0), 0x0A0A0A);
  EXPECT_EQ(frame->ColorMap().GetColor(1), 0x1E1E1E);
  EXPECT_EQ(Pixels(), (std::vector<std::uint8_t>{1, 0, 1, 1, 0, 0, 0, 1}));
}

TEST_F(SortByUsage, PixelsPastTheMapAreNotCountedAndKeepTheirValue) {
  SetPixels({4, 1, 1, 9, 0, 3, 255, 1});  // uses: 1 three times, 0 and 3 once, 2 never
  EXPECT_TRUE(frame->ColorMap().SortByUsage(*frame, true));
  EXPECT_EQ(frame->ColorMap().Count(), 3);
  EXPECT_EQ(frame->ColorMap().GetColor(0), 0x141414);
  EXPECT_EQ(frame->ColorMap().GetColor(1), 0x0A0A0A);
  EXPECT_EQ(frame->ColorMap().GetColor(2), 0x282828);
  EXPECT_EQ(Pixels(), (std::vector<std::uint8_t>{4, 0, 0, 9, 1, 2, 255, 0}));
  EXPECT_EQ(frame->GraphicControlExtension()->TransparentColorIndex(), 2);
}

TEST_F(SortByUsage, NeedsTwoColours) {
  frame->ColorMap().Clear();
  frame->ColorMap().Add(0);
  EXPECT_FALSE(frame->ColorMap().SortByUsage(*frame, true));
  EXPECT_FALSE(frame->ColorMap().Sorted());
}

}  // namespace
}  // namespace img
