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
  const std::string path = ScratchPath("grid.gif");
  const char* root = std::getenv("PROJECT_SOURCE_DIR");
  ASSERT_NE(root, nullptr);
  fltest::WriteFileBytes(path, fltest::ReadFileBytes(std::string(root) + "/tests/image/core/data/giflib/treescap.gif"));
  Bitmap first(LoadGIFIntoBitmap(path.c_str(), 0, nullptr));
  ASSERT_TRUE(first) << ImgError();
  EXPECT_GT(ImageOf(first.Get()).width, 0);
  EXPECT_FALSE(Bitmap(LoadGIFIntoBitmap(path.c_str(), 1, nullptr)));
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
