// IMAGE32 through its entry points: bitmap and DIB conversions, transform identities, tone changes, palettes,
// metafiles, text files and error texts.
#include <gtest/gtest.h>

#include <cstring>

#include "format_test_support.h"
#include "formatlib/formatlib.h"

using fltest::Bitmap;
using fltest::Dib;
using fltest::ImageOf;
using fltest::Pattern;
using fltest::ScratchPath;

namespace {

TEST(Image, BitmapToDibToBitmapKeepsEveryPixel) {
  for (int bitCount : {1, 4, 8, 24, 32}) {
    SCOPED_TRACE(bitCount);
    fl::DibImage original = Pattern(33, 19, bitCount);
    Bitmap bitmap(fltest::NewBitmap(original));
    Dib dib(ConvertBitmapToDIB(bitmap.Get(), nullptr));
    ASSERT_TRUE(dib);
    Bitmap back(ConvertDIBToBitmap(dib.Get()));
    ASSERT_TRUE(back);
    fl::DibImage result = ImageOf(back.Get());
    EXPECT_EQ(result.bitCount, bitCount);
    EXPECT_EQ(result, original);
  }
}

TEST(Image, DeviceBitmapBecomesTrueColourDib) {
  HDC screen = GetDC(nullptr);
  Bitmap bitmap(CreateCompatibleBitmap(screen, 12, 7));
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap.Get());
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 12; ++x) SetPixel(dc, x, y, RGB(x * 20, y * 30, 200));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);

  Dib dib(ConvertBitmapToDIB(bitmap.Get(), nullptr));
  ASSERT_TRUE(dib);
  fl::DibImage image = ImageOf(dib.Get());
  EXPECT_EQ(image.bitCount, 24);
  EXPECT_EQ(image.ColorAt(11, 6), fl::MakeRgb(220, 180, 200));
  EXPECT_EQ(image.ColorAt(0, 0), fl::MakeRgb(0, 0, 200));
}

TEST(Image, BitmapTransformIdentities) {
  for (int bitCount : {1, 4, 8, 24}) {
    SCOPED_TRACE(bitCount);
    fl::DibImage original = Pattern(13, 6, bitCount);
    Bitmap start(fltest::NewBitmap(original));
    Bitmap once(RotateBitmap90(start.Get()));
    Bitmap twice(RotateBitmap90(once.Get()));
    Bitmap thrice(RotateBitmap90(twice.Get()));
    Bitmap fourTimes(RotateBitmap90(thrice.Get()));
    ASSERT_TRUE(once && twice && thrice && fourTimes);
    EXPECT_EQ(ImageOf(once.Get()).width, 6);
    EXPECT_EQ(ImageOf(fourTimes.Get()), original);
    Bitmap back(RotateBitmap270(once.Get()));
    EXPECT_EQ(ImageOf(back.Get()), original);

    Bitmap bitmap(fltest::NewBitmap(original));
    for (auto change : {FlipBitmapHorizontal, FlipBitmapVertical, InvertBitmap}) {
      ASSERT_NE(change(bitmap.Get()), 0);
      EXPECT_NE(ImageOf(bitmap.Get()), original);
      ASSERT_NE(change(bitmap.Get()), 0);
      EXPECT_EQ(ImageOf(bitmap.Get()), original);
    }
    ASSERT_NE(RotateBitmap180(bitmap.Get()), 0);
    FlipBitmapHorizontal(bitmap.Get());
    FlipBitmapVertical(bitmap.Get());
    EXPECT_EQ(ImageOf(bitmap.Get()), original);
  }
}

TEST(Image, DibTransformIdentities) {
  for (int bitCount : {1, 8, 24}) {
    SCOPED_TRACE(bitCount);
    fl::DibImage original = Pattern(11, 7, bitCount);
    Dib dib(fltest::NewDib(original));
    Dib right(RotateDIB90(dib.Get()));
    Dib back(RotateDIB270(right.Get()));
    EXPECT_EQ(ImageOf(back.Get()), original);
    Dib half(RotateDIB180(dib.Get()));
    Dib full(RotateDIB180(half.Get()));
    EXPECT_EQ(ImageOf(full.Get()), original);
    Dib mirrored(FlipDIBHorizontal(dib.Get()));
    Dib unmirrored(FlipDIBHorizontal(mirrored.Get()));
    EXPECT_EQ(ImageOf(unmirrored.Get()), original);

    POINT origin{-1, -1}, size{-1, -1};
    Dib unturned(RotateDIB(dib.Get(), 0, 0xFFFFFF, &origin, &size));
    EXPECT_EQ(ImageOf(unturned.Get()), original);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(size.x, 11);
    EXPECT_EQ(size.y, 7);
    Dib quarter(RotateDIB(dib.Get(), 90, 0, nullptr, nullptr));
    Dib left(RotateDIB270(dib.Get()));
    EXPECT_EQ(ImageOf(quarter.Get()), ImageOf(left.Get()));  // positive angles turn counter-clockwise
    Dib unskewed(SkewDIB(dib.Get(), 0, 0, nullptr, nullptr));
    EXPECT_EQ(ImageOf(unskewed.Get()), original);
  }
}

TEST(Image, AngleTransformsGrowThePictureAndFillTheBackground) {
  Dib dib(fltest::NewDib(Pattern(20, 10, 24)));
  POINT origin{}, size{};
  Dib turned(RotateDIB(dib.Get(), 45, RGB(1, 2, 3), &origin, &size));
  ASSERT_TRUE(turned);
  fl::DibImage image = ImageOf(turned.Get());
  EXPECT_EQ(size.x, image.width);
  EXPECT_GT(image.width, 20);
  EXPECT_GT(image.height, 10);
  EXPECT_EQ(image.ColorAt(0, 0), fl::MakeRgb(1, 2, 3));
  Dib slanted(SkewDIB(dib.Get(), 30, RGB(9, 9, 9), &origin, &size));
  ASSERT_TRUE(slanted);
  EXPECT_GT(size.x, 20);
  EXPECT_EQ(size.y, 10);
  EXPECT_FALSE(Dib(SkewDIB(dib.Get(), 90, 0, &origin, &size)));
  EXPECT_GT(ImgError(), 0);
  EXPECT_EQ(size.x, 0);
}

TEST(Image, ToneChanges) {
  fl::DibImage original = Pattern(8, 8, 24);
  Dib dib(fltest::NewDib(original));
  Dib same(ColorBrightnessContrast(dib.Get(), 0, 0));
  EXPECT_EQ(ImageOf(same.Get()), original);
  Dib brightest(ColorBrightnessContrast(dib.Get(), 100, 0));
  Dib clamped(ColorBrightnessContrast(dib.Get(), 500, 0));
  EXPECT_EQ(ImageOf(clamped.Get()), ImageOf(brightest.Get()));

  Bitmap bitmap(fltest::NewBitmap(original));
  Bitmap mono(ConvertToMonochromeBitmap(bitmap.Get()));
  ASSERT_TRUE(mono);
  fl::DibImage monoImage = ImageOf(mono.Get());
  EXPECT_EQ(monoImage.bitCount, 1);
  Dib monoDib(ConvertBitmapToDIB(mono.Get(), nullptr));
  Dib grayDib(ConvMonoDIBtoGrayscale(monoDib.Get(), 0));
  ASSERT_TRUE(grayDib);
  fl::DibImage gray = ImageOf(grayDib.Get());
  EXPECT_EQ(gray.bitCount, 8);
  EXPECT_EQ(gray.palette, fl::GrayPalette(8));
}

TEST(Image, DibPaletteHoldsTheColourTable) {
  fl::DibImage original = Pattern(4, 4, 4);
  Dib dib(fltest::NewDib(original));
  HPALETTE palette = CreateDIBPalette(dib.Get());
  ASSERT_TRUE(palette);
  PALETTEENTRY entries[16] = {};
  EXPECT_EQ(GetPaletteEntries(palette, 0, 16, entries), 16u);
  EXPECT_EQ(entries[5].peRed, original.palette[5].red);
  EXPECT_EQ(entries[5].peBlue, original.palette[5].blue);
  DeleteObject(palette);
  Dib trueColour(fltest::NewDib(Pattern(4, 4, 24)));
  HPALETTE halftone = CreateDIBPalette(trueColour.Get());
  EXPECT_TRUE(halftone);
  DeleteObject(halftone);
}

TEST(Image, EnhancedMetafileIsPlayedOntoWhite) {
  std::string path = ScratchPath("picture.emf");
  DeleteFileA(path.c_str());
  RECT frame{0, 0, 2540, 1270};  // 1 x 0.5 inch in 0.01 mm: 96 x 48 pixels
  HDC recorder = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
  ASSERT_TRUE(recorder);
  SetMapMode(recorder, MM_ANISOTROPIC);
  SetWindowExtEx(recorder, 96, 48, nullptr);
  SetViewportExtEx(recorder, 96, 48, nullptr);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RECT left{0, 0, 48, 48};
  FillRect(recorder, &left, black);
  DeleteEnhMetaFile(CloseEnhMetaFile(recorder));

  Bitmap bitmap(LoadMetaFileIntoBitmap(path.c_str()));
  ASSERT_TRUE(bitmap) << ImgError();
  fl::DibImage image = ImageOf(bitmap.Get());
  EXPECT_NEAR(image.width, 96, 2);
  EXPECT_NEAR(image.height, 48, 2);
  EXPECT_EQ(image.ColorAt(10, 20), fl::MakeRgb(0, 0, 0));
  EXPECT_EQ(image.ColorAt(image.width - 10, 20), fl::MakeRgb(255, 255, 255));
}

TEST(Image, WindowsMetafilesArePlayed) {
  HDC recorder = CreateMetaFileA(nullptr);
  SetWindowExtEx(recorder, 200, 100, nullptr);
  Rectangle(recorder, 0, 0, 100, 100);
  HMETAFILE metafile = CloseMetaFile(recorder);
  std::vector<uint8_t> body(GetMetaFileBitsEx(metafile, 0, nullptr));
  GetMetaFileBitsEx(metafile, static_cast<UINT>(body.size()), body.data());
  DeleteMetaFile(metafile);
  // Placeable header: key, handle, box 0,0-200,100 at 100 units per inch, reserved, checksum.
  std::vector<uint8_t> file = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 200, 0, 100, 0, 100, 0, 0, 0, 0, 0};
  uint16_t checksum = 0;
  for (size_t i = 0; i < file.size(); i += 2) checksum ^= static_cast<uint16_t>(file[i] | (file[i + 1] << 8));
  file.push_back(static_cast<uint8_t>(checksum));
  file.push_back(static_cast<uint8_t>(checksum >> 8));
  file.insert(file.end(), body.begin(), body.end());
  std::string path = ScratchPath("picture.wmf");
  fltest::WriteFileBytes(path, file);

  Bitmap bitmap(LoadMetaFileIntoBitmap(path.c_str()));
  ASSERT_TRUE(bitmap) << ImgError();
  fl::DibImage image = ImageOf(bitmap.Get());
  EXPECT_EQ(image.width, 192);
  EXPECT_EQ(image.height, 96);

  fltest::WriteFileBytes(path, body);  // without the placeable header: the size comes from the drawing
  Bitmap plain(LoadMetaFileIntoBitmap(path.c_str()));
  ASSERT_TRUE(plain) << ImgError();
  EXPECT_GT(ImageOf(plain.Get()).width, 0);

  fltest::WriteFileBytes(path,
                         {'n', 'o', 't', ' ', 'a', ' ', 'm', 'e', 't', 'a', 'f', 'i', 'l', 'e', '!', '!', '!', '!'});
  EXPECT_FALSE(Bitmap(LoadMetaFileIntoBitmap(path.c_str())));
  EXPECT_EQ(ImgError(), fl::kNotMetafile);
}

TEST(Image, TextFileIsDrawnLineByLine) {
  std::string path = ScratchPath("lines.txt");
  fltest::WriteFileBytes(path, {'a', 'b', '\r', '\n', 'c', '\n', '\t', 'W', '\n'});
  Bitmap one(LoadASCIIFile(path.c_str(), 1));
  ASSERT_TRUE(one) << ImgError();
  fl::DibImage image = ImageOf(one.Get());
  EXPECT_EQ(image.bitCount, 1);
  fltest::WriteFileBytes(path, {'a', 'b', '\r', '\n', 'c'});
  fl::DibImage twoLines = ImageOf(Bitmap(LoadASCIIFile(path.c_str(), 1)).Get());
  EXPECT_GT(image.height, twoLines.height);
  EXPECT_GT(image.width, twoLines.width);  // the tab moved W right
  size_t black = 0;
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) black += image.ColorAt(x, y) == fl::MakeRgb(0, 0, 0);
  }
  EXPECT_GT(black, 10u);
  fltest::WriteFileBytes(path, {});
  EXPECT_FALSE(Bitmap(LoadASCIIFile(path.c_str(), 1)));
  EXPECT_EQ(ImgError(), fl::kEmptyTextFile);
}

TEST(Image, ErrorTextsFitTheCallersBuffer) {
  for (int code = 0; code < 64; ++code) {
    char buffer[80];
    std::memset(buffer, 'x', sizeof(buffer));
    int length = ImgErrorString(buffer, code);
    EXPECT_LE(length, 62);
    EXPECT_EQ(buffer[length], '\0');
    for (size_t i = 63; i < sizeof(buffer); ++i) EXPECT_EQ(buffer[i], 'x') << code;
  }
}

TEST(Image, BadHandlesFailWithoutThrowing) {
  EXPECT_FALSE(Dib(ConvertBitmapToDIB(nullptr, nullptr)));
  EXPECT_EQ(ImgError(), fl::kBadBitmap);
  EXPECT_FALSE(Bitmap(ConvertDIBToBitmap(nullptr)));
  EXPECT_EQ(ImgError(), fl::kBadDib);
  EXPECT_EQ(InvertBitmap(nullptr), 0);
  EXPECT_FALSE(Dib(RotateDIB90(nullptr)));
  EXPECT_GT(ImgError(), 0);
}

}  // namespace
