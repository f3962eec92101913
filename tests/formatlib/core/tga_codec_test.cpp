#include "formatlib/core/tga_codec.h"

#include <gtest/gtest.h>

#include "classlib/core/byte_reader.h"
#include "pattern_image.h"

namespace fl {
namespace {

using test::DescribePixelDifference;
using test::MakePatternImage;

struct TgaHeaderFields {
  uint8_t colorMapType = 0;
  uint8_t imageType = 2;
  uint16_t mapFirst = 0;
  uint16_t mapLength = 0;
  uint8_t mapBits = 0;
  uint16_t width = 1;
  uint16_t height = 1;
  uint8_t pixelBits = 24;
  uint8_t descriptor = 0;
};

std::vector<uint8_t> TgaFile(const TgaHeaderFields& h, std::vector<uint8_t> body) {
  std::vector<uint8_t> file = {0, h.colorMapType, h.imageType};
  cl::le::AppendU16(file, h.mapFirst);
  cl::le::AppendU16(file, h.mapLength);
  file.push_back(h.mapBits);
  cl::le::AppendU32(file, 0);
  cl::le::AppendU16(file, h.width);
  cl::le::AppendU16(file, h.height);
  file.push_back(h.pixelBits);
  file.push_back(h.descriptor);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

struct TgaCase {
  int depth;
  bool runLength;
  bool topDown;
};

class TgaRoundTrip : public testing::TestWithParam<TgaCase> {};

TEST_P(TgaRoundTrip, ReadsBackEveryPixelItWrote) {
  const TgaCase& c = GetParam();
  DibImage source = MakePatternImage(150, 7, c.depth);  // rows longer than one 128-pixel packet
  std::vector<uint8_t> file;
  ASSERT_EQ(WriteTga(source, TgaWriteOptions{c.runLength, c.topDown}, file), kOk);
  EXPECT_EQ(file[2], (c.depth <= 8 ? 1 : 2) + (c.runLength ? 8 : 0));
  DibImage read;
  ASSERT_EQ(ReadTga(file, read), kOk);
  EXPECT_EQ(read.bitCount, c.depth <= 8 ? 8 : 24);
  for (int32_t y = 0; y < source.height; ++y) {
    for (int32_t x = 0; x < source.width; ++x) {
      RgbQuad expected = source.ColorAt(x, y);
      expected.reserved = 0;
      ASSERT_EQ(read.ColorAt(x, y), expected) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DepthsAndForms, TgaRoundTrip,
                         testing::Values(TgaCase{1, true, false}, TgaCase{4, false, true}, TgaCase{8, true, true},
                                         TgaCase{8, false, false}, TgaCase{24, true, false}, TgaCase{24, true, true},
                                         TgaCase{24, false, true}, TgaCase{32, true, false}));

TEST(TgaWriter, RunLengthPacketsShrinkFlatPictures) {
  DibImage flat;
  ASSERT_EQ(CreateDibImage(300, 2, 24, flat), kOk);
  std::vector<uint8_t> file;
  ASSERT_EQ(WriteTga(flat, TgaWriteOptions{}, file), kOk);
  // Per row: runs of 128, 128 and 44 pixels of 4 bytes each.
  EXPECT_EQ(file.size(), 18u + 2 * 3 * 4);
}

TEST(TgaWriter, StoresTheTopRowFirstAndSaysSoInTheOrigin) {
  // Programs that show the rows in stored order, whatever the origin bit says, then show the picture upright too.
  DibImage image;
  ASSERT_EQ(CreateDibImage(1, 2, 24, image), kOk);
  image.SetColorAt(0, 0, MakeRgb(255, 0, 0));
  std::vector<uint8_t> file;
  ASSERT_EQ(WriteTga(image, TgaWriteOptions{.runLength = false}, file), kOk);
  EXPECT_EQ(file[17], 0x20);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 18, file.end()), (std::vector<uint8_t>{0, 0, 255, 0, 0, 0}));
}

TEST(TgaReader, ReadsSixteenBitAndAlphaPixelsInEveryOrientation) {
  // 2x2, 16 bits, stored top-down and right to left: row 0 is (red, green) as shown left to right.
  TgaHeaderFields h{.width = 2, .height = 2, .pixelBits = 16, .descriptor = 0x30};
  std::vector<uint8_t> body;
  for (uint16_t pixel : {0x03E0, 0x7C00, 0x001F, 0x7FFF}) cl::le::AppendU16(body, pixel);
  DibImage image;
  ASSERT_EQ(ReadTga(TgaFile(h, body), image), kOk);
  EXPECT_EQ(image.bitCount, 24);
  EXPECT_EQ(image.ColorAt(0, 0), MakeRgb(255, 0, 0));
  EXPECT_EQ(image.ColorAt(1, 0), MakeRgb(0, 255, 0));
  EXPECT_EQ(image.ColorAt(0, 1), MakeRgb(255, 255, 255));
  EXPECT_EQ(image.ColorAt(1, 1), MakeRgb(0, 0, 255));

  TgaHeaderFields alpha{.imageType = 10, .width = 3, .pixelBits = 32, .descriptor = 8};
  ASSERT_EQ(ReadTga(TgaFile(alpha, {0x82, 10, 20, 30, 40}), image), kOk);
  EXPECT_EQ(image.bitCount, 32);
  EXPECT_EQ(image.ColorAt(2, 0), (RgbQuad{10, 20, 30, 40}));
}

TEST(TgaReader, PlacesColourMapEntriesFromTheFirstEntryIndexOn) {
  TgaHeaderFields h{
      .colorMapType = 1, .imageType = 9, .mapFirst = 4, .mapLength = 2, .mapBits = 24, .width = 3, .pixelBits = 8};
  DibImage image;
  ASSERT_EQ(ReadTga(TgaFile(h, {1, 2, 3, 7, 8, 9, 0x81, 5, 0x00, 4}), image), kOk);
  ASSERT_EQ(image.palette.size(), 6u);
  EXPECT_EQ(image.ColorAt(0, 0), MakeRgb(9, 8, 7));
  EXPECT_EQ(image.ColorAt(2, 0), MakeRgb(3, 2, 1));

  EXPECT_EQ(ReadTga(TgaFile(h, {1, 2, 3, 7, 8, 9, 0x82, 6}), image), kBadColorMap);  // index past the map
}

TEST(TgaReader, ReadsGrayPicturesWithAGrayRamp) {
  TgaHeaderFields h{.imageType = 11, .width = 4, .pixelBits = 8};
  DibImage image;
  ASSERT_EQ(ReadTga(TgaFile(h, {0x81, 200, 0x01, 0, 255}), image), kOk);
  EXPECT_EQ(image.ColorAt(1, 0), MakeRgb(200, 200, 200));
  EXPECT_EQ(image.ColorAt(3, 0), MakeRgb(255, 255, 255));
}

TEST(TgaReader, RefusesMalformedFiles) {
  DibImage image;
  EXPECT_EQ(ReadTga({}, image), kNotTgaFile);
  EXPECT_EQ(ReadTga(TgaFile({.imageType = 0}, {}), image), kNotTgaFile);
  EXPECT_EQ(ReadTga(TgaFile({.imageType = 32}, {}), image), kNotTgaFile);
  EXPECT_EQ(ReadTga(TgaFile({.colorMapType = 2}, {}), image), kNotTgaFile);
  EXPECT_EQ(ReadTga(TgaFile({.width = 0}, {}), image), kBadDimensions);
  EXPECT_EQ(ReadTga(TgaFile({.pixelBits = 12}, {1, 2}), image), kUnsupportedTga);
  EXPECT_EQ(ReadTga(TgaFile({.imageType = 1, .pixelBits = 8}, {1}), image), kUnsupportedTga);  // map missing
  EXPECT_EQ(ReadTga(TgaFile({.colorMapType = 1, .imageType = 1, .mapBits = 24, .pixelBits = 8}, {0}), image),
            kBadColorMap);  // empty map
  EXPECT_EQ(ReadTga(TgaFile({.colorMapType = 1, .mapLength = 2, .mapBits = 8}, {}), image), kBadColorMap);
  EXPECT_EQ(ReadTga(TgaFile({.width = 2}, {1, 2, 3, 4, 5}), image), kTruncatedFile);
  EXPECT_EQ(ReadTga(TgaFile({.imageType = 10, .width = 3}, {0x85, 1, 2, 3}), image), kOk);  // run into padding
  EXPECT_EQ(ReadTga(TgaFile({.imageType = 10, .width = 3}, {0x81, 1, 2}), image), kTruncatedFile);
  EXPECT_EQ(ReadTga(TgaFile({.width = 60000, .height = 60000}, {}), image), kImageTooLarge);
  EXPECT_EQ(ReadTga(TgaFile({.imageType = 10, .width = 8000, .height = 8000}, {0xFF, 1, 2, 3}), image), kTruncatedFile);
}

}  // namespace
}  // namespace fl
