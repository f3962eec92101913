// PNG32 through its entry points: round trips of every DIB depth, alpha, and failures that keep the old file.
#include <gtest/gtest.h>

#include "format_test_support.h"
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
      EXPECT_TRUE(fltest::SameColors(image, original));
      if (bitCount == 32) EXPECT_EQ(image.bits, original.bits);  // alpha kept
    }
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
}

}  // namespace
