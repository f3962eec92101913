// PCX32 and TGA32 through their entry points: round trips per depth, DCX pages, TGA orientation, out slots.
#include <gtest/gtest.h>

#include "format_test_support.h"
#include "formatlib/formatlib.h"

using fltest::Bitmap;
using fltest::ImageOf;
using fltest::Pattern;
using fltest::ScratchPath;

namespace {

constexpr DWORD kUntouched = 0xDEADBEEF;

TEST(Pcx, RoundTripsAtEveryDepth) {
  std::string path = ScratchPath("roundtrip.pcx");
  for (int bitCount : {1, 4, 8, 24}) {
    SCOPED_TRACE(bitCount);
    fl::DibImage original = Pattern(35, 12, bitCount);
    Bitmap bitmap(fltest::NewBitmap(original));
    DWORD slot = kUntouched;
    ASSERT_NE(SaveBitmapInPCXFormat(path.c_str(), bitmap.Get(), &slot), 0);
    EXPECT_EQ(slot, 0u);
    DWORD palette = kUntouched;
    Bitmap loaded(LoadPCXIntoBitmap(path.c_str(), &palette));
    ASSERT_TRUE(loaded) << ImgError();
    EXPECT_EQ(palette, 0u);
    EXPECT_TRUE(fltest::SameColors(ImageOf(loaded.Get()), original));
  }
}

TEST(Dcx, ThreePagesAreAddedAndReadBack) {
  std::string path = ScratchPath("pages.dcx");
  DeleteFileA(path.c_str());
  DWORD slot = kUntouched;
  MakeDCXFile(path.c_str(), &slot);
  EXPECT_EQ(slot, 0u);
  EXPECT_EQ(GetNumberOfImagesInDCXFile(path.c_str()), 0);
  fl::DibImage pages[] = {Pattern(20, 10, 1), Pattern(15, 25, 8), Pattern(9, 9, 24)};
  for (const fl::DibImage& page : pages) {
    Bitmap bitmap(fltest::NewBitmap(page));
    ASSERT_NE(SaveBitmapInDCXFormat(path.c_str(), bitmap.Get(), &slot), 0) << ImgError();
  }
  EXPECT_EQ(GetNumberOfImagesInDCXFile(path.c_str()), 3);
  for (int index = 0; index < 3; ++index) {
    Bitmap loaded(LoadDCXIntoBitmap(path.c_str(), index, &slot));
    ASSERT_TRUE(loaded) << index;
    EXPECT_TRUE(fltest::SameColors(ImageOf(loaded.Get()), pages[index])) << index;
  }
  EXPECT_FALSE(Bitmap(LoadDCXIntoBitmap(path.c_str(), 3, &slot)));
  EXPECT_EQ(ImgError(), fl::kBadPageIndex);
  EXPECT_FALSE(Bitmap(LoadDCXIntoBitmap(path.c_str(), -1, nullptr)));
  EXPECT_EQ(ImgError(), fl::kBadPageIndex);
}

TEST(Dcx, AddingToAMissingFileStartsOne) {
  std::string path = ScratchPath("started.dcx");
  DeleteFileA(path.c_str());
  Bitmap bitmap(fltest::NewBitmap(Pattern(5, 5, 4)));
  ASSERT_NE(SaveBitmapInDCXFormat(path.c_str(), bitmap.Get(), nullptr), 0);
  EXPECT_EQ(GetNumberOfImagesInDCXFile(path.c_str()), 1);
}

TEST(Tga, RoundTripsRunLengthAndRaw) {
  std::string path = ScratchPath("roundtrip.tga");
  for (int bitCount : {1, 4, 8, 24}) {
    for (int runLength : {0, 1}) {
      SCOPED_TRACE(testing::Message() << bitCount << " bits, run length " << runLength);
      fl::DibImage original = Pattern(29, 14, bitCount);
      Bitmap bitmap(fltest::NewBitmap(original));
      ASSERT_NE(SaveBitmapInTGAFormat(path.c_str(), bitmap.Get(), nullptr, runLength, 0), 0);
      Bitmap loaded(LoadTGAIntoBitmap(path.c_str(), 0));
      ASSERT_TRUE(loaded) << ImgError();
      EXPECT_TRUE(fltest::SameColors(ImageOf(loaded.Get()), original));
    }
  }
}

TEST(Tga, TopDownFilesAreReadTheRightWayUp) {
  // 2 x 2 true-colour, raw, descriptor bit 5 (first stored row is the top one); pixels blue, green, red.
  std::vector<uint8_t> file = {0, 0, 2,   0,   0,   0,    0,   0, 0, 0, 0,   0,
                               2, 0, 2,   0,   24,  0x20, 255, 0, 0, 0, 255, 0,  // top row: blue, green
                               0, 0, 255, 255, 255, 255};                        // bottom row: red, white
  std::string path = ScratchPath("topdown.tga");
  fltest::WriteFileBytes(path, file);
  Bitmap loaded(LoadTGAIntoBitmap(path.c_str(), 0));
  ASSERT_TRUE(loaded) << ImgError();
  fl::DibImage image = ImageOf(loaded.Get());
  EXPECT_EQ(image.ColorAt(0, 0), fl::MakeRgb(0, 0, 255));
  EXPECT_EQ(image.ColorAt(1, 0), fl::MakeRgb(0, 255, 0));
  EXPECT_EQ(image.ColorAt(0, 1), fl::MakeRgb(255, 0, 0));
  file[17] = 0;  // bottom-up: the same bytes upside down
  fltest::WriteFileBytes(path, file);
  Bitmap flipped(LoadTGAIntoBitmap(path.c_str(), 0));
  EXPECT_EQ(ImageOf(flipped.Get()).ColorAt(0, 1), fl::MakeRgb(0, 0, 255));
}

}  // namespace
