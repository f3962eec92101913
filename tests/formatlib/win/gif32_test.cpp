// GIF32 through its entry points: round trips of palette and true-colour bitmaps, frame choice, damaged files,
// and a failed save that leaves the old file alone.
#include <gtest/gtest.h>

#include <cstdlib>

#include "format_test_support.h"
#include "formatlib/formatlib.h"

using fltest::Bitmap;
using fltest::ImageOf;
using fltest::Pattern;
using fltest::ScratchPath;

namespace {

constexpr DWORD kUntouched = 0xDEADBEEF;

TEST(Gif32, PaletteBitmapsRoundTripExactly) {
  const std::string path = ScratchPath("palette.gif");
  for (int bitCount : {1, 4, 8}) {
    SCOPED_TRACE(bitCount);
    const fl::DibImage original = Pattern(37, 23, bitCount);
    Bitmap bitmap(fltest::NewBitmap(original));
    DWORD slot = kUntouched;
    ASSERT_NE(SaveBitmapInGIFFormat(path.c_str(), bitmap.Get(), 0, &slot), 0) << ImgError();
    EXPECT_EQ(slot, 0u);
    DWORD palette = kUntouched;
    Bitmap loaded(LoadGIFIntoBitmap(path.c_str(), 0, &palette));
    ASSERT_TRUE(loaded) << ImgError();
    EXPECT_EQ(palette, 0u);
    EXPECT_EQ(ImgError(), 0);
    EXPECT_TRUE(fltest::SameColors(ImageOf(loaded.Get()), original));
  }
}

TEST(Gif32, TrueColourBitmapsKeepUpTo256ColoursExactly) {
  const std::string path = ScratchPath("few.gif");
  fl::DibImage original;
  ASSERT_EQ(fl::CreateDibImage(40, 30, 24, original), fl::kOk);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x)
      // 16 reds by 16 blues: exactly 256 colours.
      original.SetColorAt(x, y, fl::MakeRgb(static_cast<uint8_t>(x % 16 * 17), 0, static_cast<uint8_t>(y % 16 * 17)));
  }
  Bitmap bitmap(fltest::NewBitmap(original));
  ASSERT_NE(SaveBitmapInGIFFormat(path.c_str(), bitmap.Get(), 0, nullptr), 0) << ImgError();
  Bitmap loaded(LoadGIFIntoBitmap(path.c_str(), 0, nullptr));
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(fltest::SameColors(ImageOf(loaded.Get()), original));
}

TEST(Gif32, RicherBitmapsAreReducedToNearbyColours) {
  const std::string path = ScratchPath("many.gif");
  const fl::DibImage original = Pattern(64, 64, 24);
  Bitmap bitmap(fltest::NewBitmap(original));
  ASSERT_NE(SaveBitmapInGIFFormat(path.c_str(), bitmap.Get(), 0, nullptr), 0) << ImgError();
  Bitmap loaded(LoadGIFIntoBitmap(path.c_str(), 0, nullptr));
  ASSERT_TRUE(loaded);
  const fl::DibImage image = ImageOf(loaded.Get());
  ASSERT_EQ(image.width, 64);
  ASSERT_EQ(image.height, 64);
  EXPECT_EQ(image.bitCount, 8);
  const std::vector<uint8_t> want = fltest::RgbPixels(original), got = fltest::RgbPixels(image);
  ASSERT_EQ(want.size(), got.size());
  long total = 0;
  for (std::size_t i = 0; i < want.size(); ++i) total += std::abs(want[i] - got[i]);
  EXPECT_LT(total / static_cast<long>(want.size()), 24);
}

TEST(Gif32, PagesCountFramesWithPixels) {
  // Two 2 x 1 frames (white, black and black, white) with a frame of extensions only between them.
  const std::string path = ScratchPath("pages.gif");
  fltest::WriteFileBytes(
      path, {'G', 'I', 'F', '8',  '9', 'a', 2, 0, 1, 0, 0x80, 0,    0,    0, 0,    0,    255,  255, 255, 0x2C,
             0,   0,   0,   0,    2,   0,   1, 0, 0, 2, 2,    0x0C, 0x0A, 0, 0x21, 0xF9, 4,    0,   0,   0,
             0,   0,   0,   0x2C, 0,   0,   0, 0, 2, 0, 1,    0,    0,    2, 2,    0x44, 0x0A, 0,   0x3B});
  const uint32_t expected[2][2] = {{0xFFFFFF, 0}, {0, 0xFFFFFF}};
  for (int page = 0; page < 2; ++page) {
    Bitmap frame(LoadGIFIntoBitmap(path.c_str(), page, nullptr));
    ASSERT_TRUE(frame) << "page " << page << ", error " << ImgError();
    const fl::DibImage image = ImageOf(frame.Get());
    for (int x = 0; x < 2; ++x) {
      const fl::RgbQuad color = image.ColorAt(x, 0);
      EXPECT_EQ(uint32_t{color.red} << 16 | color.green << 8 | color.blue, expected[page][x]) << page << " " << x;
    }
  }
  EXPECT_FALSE(Bitmap(LoadGIFIntoBitmap(path.c_str(), 2, nullptr)));
  EXPECT_EQ(ImgError(), fl::kBadPageIndex);
}

TEST(Gif32, DamagedFilesFailWithACode) {
  const std::string path = ScratchPath("damaged.gif");
  fltest::WriteFileBytes(path, {'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0x80, 0, 0, 1, 2});
  EXPECT_FALSE(Bitmap(LoadGIFIntoBitmap(path.c_str(), 0, nullptr)));
  EXPECT_EQ(ImgError(), fl::kTruncatedFile);
  fltest::WriteFileBytes(path, {'P', 'N', 'G', '8', '9', 'a', 4, 0, 4, 0, 0, 0, 0});
  EXPECT_FALSE(Bitmap(LoadGIFIntoBitmap(path.c_str(), 0, nullptr)));
  EXPECT_EQ(ImgError(), fl::kBadGifData);
  EXPECT_FALSE(Bitmap(LoadGIFIntoBitmap(ScratchPath("missing.gif").c_str(), 0, nullptr)));
  EXPECT_EQ(ImgError(), fl::kCannotOpenFile);
}

TEST(Gif32, AFailedSaveKeepsTheOldFile) {
  const std::string path = ScratchPath("kept.gif");
  fltest::WriteFileBytes(path, {1, 2, 3});
  EXPECT_EQ(SaveBitmapInGIFFormat(path.c_str(), nullptr, 0, nullptr), 0);
  EXPECT_GT(ImgError(), 0);
  EXPECT_EQ(fltest::ReadFileBytes(path), (std::vector<uint8_t>{1, 2, 3}));
}

}  // namespace
