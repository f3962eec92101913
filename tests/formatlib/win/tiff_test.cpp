// TIFF32 through its entry points: round trips per depth and compression, multi-page files, tags, errors.
#include <gtest/gtest.h>
#include <tiffio.h>

#include "format_test_support.h"
#include "formatlib/formatlib.h"

using fltest::Bitmap;
using fltest::Dib;
using fltest::ImageOf;
using fltest::Pattern;
using fltest::ScratchPath;

namespace {

constexpr int kCompressionCodes[] = {COMPRESSION_NONE, COMPRESSION_PACKBITS, COMPRESSION_LZW, 208};

std::string FreshFile(const std::string& name) {
  std::string path = ScratchPath(name);
  DeleteFileA(path.c_str());
  return path;
}

uint16_t StoredCompression(const std::string& path, int page) {
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  uint16_t compression = 0;
  if (tiff && TIFFSetDirectory(tiff, static_cast<tdir_t>(page))) TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compression);
  if (tiff) TIFFClose(tiff);
  return compression;
}

TEST(Tiff, DibRoundTripsAtEveryDepthAndCompression) {
  for (int bitCount : {1, 4, 8, 24}) {
    for (bool gray : {false, true}) {
      for (int compression : kCompressionCodes) {
        SCOPED_TRACE(testing::Message() << bitCount << " bits, gray " << gray << ", compression " << compression);
        std::string path = FreshFile("roundtrip.tif");
        fl::DibImage original = Pattern(41, 17, bitCount, gray);
        Dib dib(fltest::NewDib(original));
        ASSERT_NE(SaveDIBInTiffFormat(path.c_str(), dib.Get(), compression, 1), 0);
        EXPECT_EQ(TiffError(), 0);
        Bitmap loaded(LoadTiffIntoBitmap(path.c_str(), 0, 0));
        ASSERT_TRUE(loaded) << TiffError();
        fl::DibImage read = ImageOf(loaded.Get());
        EXPECT_EQ(read.bitCount, bitCount);
        EXPECT_TRUE(fltest::SameColors(read, original));
      }
    }
  }
}

TEST(Tiff, CompressionCodesMapToTiffCompressions) {
  std::string path = FreshFile("codes.tif");
  Dib color(fltest::NewDib(Pattern(16, 16, 24)));
  Bitmap mono(fltest::NewBitmap(Pattern(16, 16, 1, true)));
  ASSERT_NE(SaveDIBInTiffFormat(path.c_str(), color.Get(), 208, 1), 0);
  ASSERT_NE(SaveBitmapInTiffFile(path.c_str(), mono.Get(), 208, 0), 0);
  ASSERT_NE(SaveDIBInTiffFormat(path.c_str(), color.Get(), COMPRESSION_CCITTFAX4, 1), 0);
  ASSERT_NE(SaveBitmapInTiffFile(path.c_str(), mono.Get(), COMPRESSION_PACKBITS, 0), 0);
  EXPECT_EQ(StoredCompression(path, 0), COMPRESSION_LZW);
  EXPECT_EQ(StoredCompression(path, 1), COMPRESSION_CCITTFAX4);
  EXPECT_EQ(StoredCompression(path, 2), COMPRESSION_LZW);  // fax codes only suit monochrome pages
  EXPECT_EQ(StoredCompression(path, 3), COMPRESSION_PACKBITS);
}

TEST(Tiff, SavingToAnExistingFileAddsPagesReadByIndex) {
  std::string path = FreshFile("pages.tif");
  fl::DibImage pages[] = {Pattern(10, 12, 1), Pattern(20, 8, 8), Pattern(7, 9, 24)};
  for (const fl::DibImage& page : pages) {
    Bitmap bitmap(fltest::NewBitmap(page));
    ASSERT_NE(SaveBitmapInTiffFile(path.c_str(), bitmap.Get(), 208, 0), 0);
  }
  EXPECT_EQ(GetNumberOfImagesInTiffFile(path.c_str()), 3);
  for (int index = 0; index < 3; ++index) {
    Bitmap loaded(LoadTiffIntoBitmap(path.c_str(), index, 0));
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(fltest::SameColors(ImageOf(loaded.Get()), pages[index])) << index;
  }
  for (int badIndex : {-1, 3, 1000}) {
    Bitmap missing(LoadTiffIntoBitmap(path.c_str(), badIndex, 0));
    EXPECT_FALSE(missing);
    EXPECT_EQ(TiffError(), fl::kBadPageIndex);
  }
}

TEST(Tiff, NonTiffFileIsNeitherReadNorOverwritten) {
  std::string path = FreshFile("notes.tif");
  std::vector<uint8_t> text = {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't'};
  fltest::WriteFileBytes(path, text);
  Dib dib(fltest::NewDib(Pattern(8, 8, 24)));
  EXPECT_EQ(SaveDIBInTiffFormat(path.c_str(), dib.Get(), 5, 1), 0);
  EXPECT_EQ(TiffError(), fl::kNotTiffFile);
  EXPECT_EQ(fltest::ReadFileBytes(path), text);
  EXPECT_FALSE(Bitmap(LoadTiffIntoBitmap(path.c_str(), 0, 0)));
  EXPECT_GT(TiffError(), 0);
  EXPECT_EQ(GetNumberOfImagesInTiffFile(path.c_str()), 0);
  EXPECT_EQ(GetNumberOfImagesInTiffFile(ScratchPath("absent.tif").c_str()), 0);
  EXPECT_EQ(TiffError(), fl::kCannotOpenFile);
}

TEST(Tiff, PagesOfAnUnknownCompressionAreRefused) {
  std::string path = FreshFile("webp.tif");
  Dib dib(fltest::NewDib(Pattern(8, 8, 24)));
  ASSERT_NE(SaveDIBInTiffFormat(path.c_str(), dib.Get(), COMPRESSION_NONE, 1), 0);
  std::vector<uint8_t> bytes = fltest::ReadFileBytes(path);
  // Turn the page's compression entry into WebP, which this build of libtiff does not decode.
  size_t directory = bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (bytes[7] << 24);
  size_t entries = bytes[directory] | (bytes[directory + 1] << 8);
  for (size_t entry = directory + 2; entry < directory + 2 + 12 * entries; entry += 12) {
    if ((bytes[entry] | (bytes[entry + 1] << 8)) != TIFFTAG_COMPRESSION) continue;
    bytes[entry + 8] = COMPRESSION_WEBP & 0xFF;
    bytes[entry + 9] = COMPRESSION_WEBP >> 8;
  }
  fltest::WriteFileBytes(path, bytes);
  EXPECT_FALSE(Bitmap(LoadTiffIntoBitmap(path.c_str(), 0, 0)));
  EXPECT_EQ(TiffError(), fl::kUnsupportedCompression);
}

TEST(Tiff, TagsAreAddedToTheChosenPage) {
  std::string path = FreshFile("tags.tif");
  Dib dib(fltest::NewDib(Pattern(8, 8, 8)));
  ASSERT_NE(SaveDIBInTiffFormat(path.c_str(), dib.Get(), 5, 1), 0);
  ASSERT_NE(SaveDIBInTiffFormat(path.c_str(), dib.Get(), 5, 1), 0);
  ASSERT_NE(AddTiffTagToImage(path.c_str(), 0, TIFFTAG_IMAGEDESCRIPTION, 2, "First page", 0), 0) << TiffError();
  ASSERT_NE(AddTiffTagToImage(path.c_str(), 1, TIFFTAG_ARTIST, 2, "Somebody", 0), 0) << TiffError();
  ASSERT_NE(AddTiffTagToImage(path.c_str(), 1, 40000, 3, "", 1234), 0) << TiffError();
  ASSERT_NE(AddTiffTagToImage(path.c_str(), 1, 40000, 3, "", 4321), 0) << TiffError();  // again: replaced
  EXPECT_EQ(AddTiffTagToImage(path.c_str(), 0, TIFFTAG_IMAGEWIDTH, 4, "", 1), 0);       // layout tags are refused
  EXPECT_EQ(AddTiffTagToImage(path.c_str(), 2, TIFFTAG_ARTIST, 2, "x", 0), 0);
  EXPECT_EQ(TiffError(), fl::kBadPageIndex);

  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  ASSERT_TRUE(tiff);
  char* description = nullptr;
  ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_IMAGEDESCRIPTION, &description));
  EXPECT_STREQ(description, "First page");
  ASSERT_TRUE(TIFFSetDirectory(tiff, 1));
  char* artist = nullptr;
  ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_ARTIST, &artist));
  EXPECT_STREQ(artist, "Somebody");
  uint32_t count = 0;
  uint16_t* values = nullptr;
  ASSERT_TRUE(TIFFGetField(tiff, 40000, &count, &values));
  EXPECT_EQ(values[0], 4321);
  TIFFClose(tiff);
  EXPECT_EQ(GetNumberOfImagesInTiffFile(path.c_str()), 2);
  EXPECT_TRUE(Bitmap(LoadTiffIntoBitmap(path.c_str(), 0, 0)));
  EXPECT_TRUE(Bitmap(LoadTiffIntoBitmap(path.c_str(), 1, 0)));
}

TEST(Tiff, SizeFlagMakesFaxPixelsSquare) {
  std::string path = FreshFile("fax.tif");
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  ASSERT_TRUE(tiff);
  const uint32_t width = 16, height = 10;
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
  TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 204.0f);
  TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 98.0f);
  std::vector<uint8_t> row(2, 0x0F);
  for (uint32_t y = 0; y < height; ++y) TIFFWriteScanline(tiff, row.data(), y, 0);
  TIFFClose(tiff);

  Bitmap stored(LoadTiffIntoBitmap(path.c_str(), 0, 0));
  Bitmap square(LoadTiffIntoBitmap(path.c_str(), 0, 1));
  ASSERT_TRUE(stored && square);
  fl::DibImage asStored = ImageOf(stored.Get());
  fl::DibImage asSquare = ImageOf(square.Get());
  EXPECT_EQ(asStored.height, 10);
  EXPECT_EQ(asSquare.width, 16);
  EXPECT_EQ(asSquare.height, 21);  // 10 * 204 / 98, rounded
  EXPECT_EQ(asSquare.ColorAt(0, 20), asStored.ColorAt(0, 9));
  EXPECT_EQ(asSquare.ColorAt(15, 0), asStored.ColorAt(15, 0));
}

TEST(Tiff, LoadedPagesTakeInPlaceTransforms) {
  std::string path = FreshFile("transform.tif");
  for (int bitCount : {8, 24}) {
    fl::DibImage original = Pattern(24, 10, bitCount);
    Dib dib(fltest::NewDib(original));
    DeleteFileA(path.c_str());
    ASSERT_NE(SaveDIBInTiffFormat(path.c_str(), dib.Get(), COMPRESSION_LZW, 1), 0);
    Bitmap loaded(LoadTiffIntoBitmap(path.c_str(), 0, 0));
    ASSERT_NE(FlipBitmapVertical(loaded.Get()), 0);
    fl::DibImage flipped = ImageOf(loaded.Get());
    EXPECT_EQ(flipped.ColorAt(3, 0), original.ColorAt(3, 9));
    EXPECT_EQ(flipped.ColorAt(5, 9), original.ColorAt(5, 0));
  }
}

}  // namespace
