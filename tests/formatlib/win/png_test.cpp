// PNG32 through its entry points: round trips of every DIB depth, transparency laid over the background, and
// failures that keep the old file.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include "format_test_support.h"
#include "formatlib/core/alpha_blend.h"
#include "formatlib/formatlib.h"

using fltest::Dib;
using fltest::ImageOf;
using fltest::Pattern;
using fltest::ScratchPath;

namespace {

TEST(Png, DibRoundTripsAtEveryDepth) {
  for (int bitCount : {1, 4, 8, 24, 32}) {
    for (bool gray : {false, true}) {
      SCOPED_TRACE(testing::Message() << bitCount << " bits, gray " << gray);
      std::string path = ScratchPath("roundtrip.png");
      fl::DibImage original = Pattern(37, 21, bitCount, gray);
      Dib dib(fltest::NewDib(original));
      ASSERT_EQ(WriteGraphicFile(path.c_str(), dib.Get()), 0);
      EXPECT_EQ(ImgError(), 0);
      Dib read(ReadGraphicFile(path.c_str()));
      ASSERT_TRUE(read) << ImgError();
      fl::DibImage image = ImageOf(read.Get());
      EXPECT_EQ(image.bitCount, bitCount);
      if (bitCount == 32) {  // written with its alpha, read back laid over white
        for (int32_t x = 0; x < original.width; ++x) {
          fl::RgbQuad color = original.ColorAt(x, 3);
          EXPECT_EQ(image.ColorAt(x, 3), fl::BlendOver(color, color.reserved, fl::kDefaultBackground)) << x;
        }
      } else {
        EXPECT_TRUE(fltest::SameColors(image, original));
      }
    }
  }
}

// Writes a 3x1 PNG of the given kind with libpng: `samples` are its pixels' samples at 8 bits, `palette` its
// colour table; `alphas` go into a transparency chunk (palette alphas, or one transparent gray or RGB value) and
// `background` into a background chunk.
void WritePng(const std::string& path, int colorType, std::vector<uint8_t> samples, std::vector<png_color> palette,
              std::vector<uint8_t> alphas, const png_color_16* transparent, const png_color_16* background) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(file);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, 3, 1, 8, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!alphas.empty() || transparent) {
    png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), const_cast<png_color_16*>(transparent));
  }
  if (background) png_set_bKGD(png, info, const_cast<png_color_16*>(background));
  png_write_info(png, info);
  png_write_row(png, samples.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

TEST(Png, TransparentPixelsLieOverTheFilesBackgroundOrWhite) {
  const png_color_16 grayLevel40{0, 0, 0, 0, 40}, greenish{1, 10, 200, 30, 0}, paletteEntry1{1, 0, 0, 0, 0};
  const png_color_16 transparentGray{0, 0, 0, 0, 90}, transparentRgb{0, 1, 2, 3, 0};
  const std::vector<png_color> palette = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}};
  struct Case {
    const char* name;
    int colorType;
    std::vector<uint8_t> samples;
    std::vector<uint8_t> alphas;
    const png_color_16* transparent;
    const png_color_16* background;
    std::vector<fl::RgbQuad> expected;
  };
  const Case cases[] = {
      {"rgba-white",
       PNG_COLOR_TYPE_RGB_ALPHA,
       {255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 128},
       {},
       nullptr,
       nullptr,
       {fl::MakeRgb(255, 0, 0), fl::MakeRgb(255, 255, 255), fl::MakeRgb(127, 127, 255)}},
      {"rgba-background",
       PNG_COLOR_TYPE_RGB_ALPHA,
       {255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 128},
       {},
       nullptr,
       &greenish,
       {fl::MakeRgb(255, 0, 0), fl::MakeRgb(10, 200, 30), fl::MakeRgb(5, 100, 143)}},
      {"gray-alpha-background",
       PNG_COLOR_TYPE_GRAY_ALPHA,
       {200, 255, 200, 0, 0, 0},
       {},
       nullptr,
       &grayLevel40,
       {fl::MakeRgb(200, 200, 200), fl::MakeRgb(40, 40, 40), fl::MakeRgb(40, 40, 40)}},
      {"gray-transparent-level",
       PNG_COLOR_TYPE_GRAY,
       {90, 10, 90},
       {},
       &transparentGray,
       nullptr,
       {fl::MakeRgb(255, 255, 255), fl::MakeRgb(10, 10, 10), fl::MakeRgb(255, 255, 255)}},
      {"rgb-transparent-colour",
       PNG_COLOR_TYPE_RGB,
       {1, 2, 3, 1, 2, 4, 1, 2, 3},
       {},
       &transparentRgb,
       &greenish,
       {fl::MakeRgb(10, 200, 30), fl::MakeRgb(1, 2, 4), fl::MakeRgb(10, 200, 30)}},
      {"palette-alphas",
       PNG_COLOR_TYPE_PALETTE,
       {0, 1, 2},
       {0, 128},
       nullptr,
       nullptr,
       {fl::MakeRgb(255, 255, 255), fl::MakeRgb(127, 127, 255), fl::MakeRgb(0, 255, 0)}},
      {"palette-background-entry",
       PNG_COLOR_TYPE_PALETTE,
       {0, 1, 2},
       {0},
       nullptr,
       &paletteEntry1,
       {fl::MakeRgb(0, 0, 255), fl::MakeRgb(0, 0, 255), fl::MakeRgb(0, 255, 0)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = ScratchPath(std::string(c.name) + ".png");
    WritePng(path, c.colorType, c.samples, c.colorType == PNG_COLOR_TYPE_PALETTE ? palette : std::vector<png_color>{},
             c.alphas, c.transparent, c.background);
    Dib read(ReadGraphicFile(path.c_str()));
    ASSERT_TRUE(read) << ImgError();
    fl::DibImage image = ImageOf(read.Get());
    EXPECT_EQ(image.bitCount, c.colorType == PNG_COLOR_TYPE_PALETTE ? 8 : 32);  // palette pictures keep indexes
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(image.ColorAt(x, 0), c.expected[x]) << "pixel " << x;
  }
}

TEST(Png, IndexesPastTheColourTableAreWritten) {
  std::string path = ScratchPath("short-table.png");
  fl::DibImage original = Pattern(16, 4, 8);
  original.palette.resize(3);  // most pixels use indexes past the table and show black
  Dib dib(fltest::NewDib(original));
  ASSERT_EQ(WriteGraphicFile(path.c_str(), dib.Get()), 0);
  Dib read(ReadGraphicFile(path.c_str()));
  ASSERT_TRUE(read) << ImgError();
  EXPECT_TRUE(fltest::SameColors(ImageOf(read.Get()), original));
}

TEST(Png, ThirtyTwoBitDibWithoutAlphaIsWrittenOpaque) {
  std::string path = ScratchPath("opaque.png");
  fl::DibImage original = Pattern(9, 5, 32);
  for (int32_t y = 0; y < original.height; ++y) {
    for (int32_t x = 0; x < original.width; ++x) original.Row(y)[4 * x + 3] = 0;
  }
  Dib dib(fltest::NewDib(original));
  ASSERT_EQ(WriteGraphicFile(path.c_str(), dib.Get()), 0);
  Dib read(ReadGraphicFile(path.c_str()));
  ASSERT_TRUE(read);
  fl::DibImage image = ImageOf(read.Get());
  EXPECT_EQ(image.bitCount, 24);
  EXPECT_TRUE(fltest::SameColors(image, original));
}

TEST(Png, FailedWriteKeepsTheExistingFile) {
  std::string path = ScratchPath("keep.png");
  std::vector<uint8_t> before = {1, 2, 3, 4};
  fltest::WriteFileBytes(path, before);
  HGLOBAL bad = GlobalAlloc(GMEM_MOVEABLE, 16);  // too small for any DIB header
  uint16_t status = WriteGraphicFile(path.c_str(), bad);
  GlobalFree(bad);
  EXPECT_NE(status, 0);
  EXPECT_EQ(status, ImgError());
  EXPECT_EQ(fltest::ReadFileBytes(path), before);
  EXPECT_NE(WriteGraphicFile(path.c_str(), nullptr), 0);
  EXPECT_EQ(fltest::ReadFileBytes(path), before);
}

TEST(Png, ReadingFailuresSetTheError) {
  EXPECT_FALSE(Dib(ReadGraphicFile(ScratchPath("absent.png").c_str())));
  EXPECT_EQ(ImgError(), fl::kCannotOpenFile);
  std::string path = ScratchPath("not.png");
  fltest::WriteFileBytes(path, {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0});
  EXPECT_FALSE(Dib(ReadGraphicFile(path.c_str())));
  EXPECT_EQ(ImgError(), fl::kNotPngFile);

  // A small file whose header claims 8000 x 8000 pixels is refused before the picture's memory is taken.
  Dib small(fltest::NewDib(Pattern(8, 8, 24)));
  ASSERT_EQ(WriteGraphicFile(path.c_str(), small.Get()), 0);
  std::vector<uint8_t> bytes = fltest::ReadFileBytes(path);
  for (size_t at : {16, 20}) bytes[at + 2] = 8000 >> 8, bytes[at + 3] = 8000 & 0xFF;
  uint32_t crc = crc32(0, &bytes[12], 17);  // chunk type and header data
  for (int i = 0; i < 4; ++i) bytes[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  fltest::WriteFileBytes(path, bytes);
  EXPECT_FALSE(Dib(ReadGraphicFile(path.c_str())));
  EXPECT_EQ(ImgError(), fl::kTruncatedFile);
}

}  // namespace
