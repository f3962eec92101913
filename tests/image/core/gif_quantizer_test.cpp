// Reduction of true-colour pixels to a GIF colour table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include "image/core/gif_quantizer.h"

namespace img {
namespace {

std::vector<std::uint8_t> Colors(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> rgb;
  for (int i = 0; i < count; ++i) {
    rgb.insert(rgb.end(), {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                           static_cast<std::uint8_t>(random())});
  }
  return rgb;
}

TEST(GifQuantizer, UpTo256ColoursAreKeptExactly) {
  const std::vector<std::uint8_t> palette = Colors(256, 1);
  std::vector<std::uint8_t> rgb;
  std::mt19937 random(2);
  for (int i = 0; i < 5000; ++i) {
    const std::size_t pick = random() % 256;
    rgb.insert(rgb.end(), palette.begin() + static_cast<std::ptrdiff_t>(3 * pick),
               palette.begin() + static_cast<std::ptrdiff_t>(3 * pick + 3));
  }
  const TQuantizedPixels result = QuantizeTo256Colors(rgb.data(), 5000);
  ASSERT_LE(result.Palette.size(), 256u);
  for (std::size_t i = 0; i < 5000; ++i) {
    const TGIFColor& color = result.Palette[result.Indices[i]];
    ASSERT_EQ(color, (TGIFColor{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]})) << i;
  }
}

TEST(GifQuantizer, RicherPicturesGet256NearbyColours) {
  // A smooth gradient of 64 x 64 x 4 colours.
  std::vector<std::uint8_t> rgb;
  for (int r = 0; r < 64; ++r) {
    for (int g = 0; g < 64; ++g) {
      for (int b = 0; b < 4; ++b)
        rgb.insert(rgb.end(), {static_cast<std::uint8_t>(r * 4), static_cast<std::uint8_t>(g * 4),
                               static_cast<std::uint8_t>(b * 64)});
    }
  }
  const std::size_t count = rgb.size() / 3;
  const TQuantizedPixels result = QuantizeTo256Colors(rgb.data(), count);
  EXPECT_EQ(result.Palette.size(), 256u);
  long error = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const TGIFColor& color = result.Palette[result.Indices[i]];
    error += std::abs(color.Red - rgb[3 * i]) + std::abs(color.Green - rgb[3 * i + 1]) +
             std::abs(color.Blue - rgb[3 * i + 2]);
  }
  EXPECT_LT(error / static_cast<long>(count), 40);
}

TEST(GifQuantizer, OneColourAndNoPixels) {
  const std::vector<std::uint8_t> gray(300, 128);
  const TQuantizedPixels one = QuantizeTo256Colors(gray.data(), 100);
  EXPECT_EQ(one.Palette.size(), 1u);
  EXPECT_EQ(std::set<std::uint8_t>(one.Indices.begin(), one.Indices.end()), std::set<std::uint8_t>{0});
  EXPECT_TRUE(QuantizeTo256Colors(nullptr, 0).Palette.empty());
}

}  // namespace
}  // namespace img
