#include "formatlib/core/pcx_codec.h"

#include <gtest/gtest.h>

#include "formatlib/core/pcx_layout.h"
#include "pattern_image.h"

namespace fl {
namespace {

using test::DescribePixelDifference;
using test::MakePatternImage;

// A 128-byte header of the given layout, followed by `data`.
std::vector<uint8_t> PcxFile(uint16_t width, uint16_t height, uint8_t bitsPerPlane, uint8_t planes,
                             uint16_t bytesPerLine, std::vector<uint8_t> data, uint8_t encoding = 1) {
  std::vector<uint8_t> file(pcx::kHeaderSize + data.size(), 0);
  file[0] = pcx::kManufacturer;
  file[1] = pcx::kVersion5;
  file[2] = encoding;
  file[3] = bitsPerPlane;
  file[8] = static_cast<uint8_t>(width - 1);
  file[9] = static_cast<uint8_t>((width - 1) >> 8);
  file[10] = static_cast<uint8_t>(height - 1);
  file[11] = static_cast<uint8_t>((height - 1) >> 8);
  file[65] = planes;
  file[66] = static_cast<uint8_t>(bytesPerLine);
  file[67] = static_cast<uint8_t>(bytesPerLine >> 8);
  std::copy(data.begin(), data.end(), file.begin() + pcx::kHeaderSize);
  return file;
}

class PcxRoundTrip : public testing::TestWithParam<int> {};

TEST_P(PcxRoundTrip, ReadsBackEveryPixelItWrote) {
  // 37 columns leave partial bytes and odd plane lengths; the pattern has long equal runs and single pixels.
  DibImage source = MakePatternImage(37, 9, GetParam());
  std::vector<uint8_t> file;
  ASSERT_EQ(WritePcx(source, file), kOk);
  DibImage read;
  ASSERT_EQ(ReadPcx(file, read), kOk);
  EXPECT_EQ(read.bitCount, GetParam() == 32 ? 24 : GetParam());
  if (GetParam() == 32) {
    for (int32_t y = 0; y < source.height; ++y) {
      for (int32_t x = 0; x < source.width; ++x) {
        RgbQuad expected = source.ColorAt(x, y);
        expected.reserved = 0;
        ASSERT_EQ(read.ColorAt(x, y), expected);
      }
    }
  } else {
    EXPECT_EQ(DescribePixelDifference(source, read), "");
  }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, PcxRoundTrip, testing::Values(1, 4, 8, 24, 32));

TEST(PcxWriter, EncodesRunsAndEscapesHighBytes) {
  DibImage image;
  ASSERT_EQ(CreateDibImage(100, 1, 8, image), kOk);
  image.palette = GrayPalette(8);
  std::fill_n(image.Row(0), 100, 7);
  image.Row(0)[99] = 0xC5;
  std::vector<uint8_t> file;
  ASSERT_EQ(WritePcx(image, file), kOk);
  // 99 sevens as runs of 63 and 36, the high byte as a run of one, then the palette.
  std::vector<uint8_t> expected = {0xFF, 7, 0xE4, 7, 0xC1, 0xC5};
  ASSERT_EQ(file.size(), pcx::kHeaderSize + expected.size() + pcx::kTrailingPaletteSize);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + pcx::kHeaderSize, file.begin() + pcx::kHeaderSize + 6), expected);
}

TEST(PcxReader, CarriesRunsAcrossScanLinesAndReadsRawData) {
  // 2x2 at 8 bits with 2 bytes per line: one run of four covers both lines.
  DibImage image;
  ASSERT_EQ(ReadPcx(PcxFile(2, 2, 8, 1, 2, {0xC4, 9}), image), kOk);
  EXPECT_EQ(image.IndexAt(0, 0), 9u);
  EXPECT_EQ(image.IndexAt(1, 1), 9u);
  EXPECT_EQ(image.palette, GrayPalette(8));  // no trailing palette

  ASSERT_EQ(ReadPcx(PcxFile(2, 1, 8, 1, 2, {0xD0, 0x01}, 0), image), kOk);
  EXPECT_EQ(image.IndexAt(0, 0), 0xD0u);
}

TEST(PcxReader, TakesTwoAndFourBitSinglePlaneLayouts) {
  DibImage image;
  // 2 bits x 1 plane: pixels 3, 2, 1, 0 in one byte.
  ASSERT_EQ(ReadPcx(PcxFile(4, 1, 2, 1, 2, {0b11100100, 0}, 0), image), kOk);
  EXPECT_EQ(image.bitCount, 4);
  EXPECT_EQ(image.IndexAt(0, 0), 3u);
  EXPECT_EQ(image.IndexAt(3, 0), 0u);
  ASSERT_EQ(ReadPcx(PcxFile(3, 1, 4, 1, 2, {0xAB, 0xC0}, 0), image), kOk);
  EXPECT_EQ(image.IndexAt(1, 0), 0xBu);
  EXPECT_EQ(image.IndexAt(2, 0), 0xCu);
}

TEST(PcxReader, GivesBlackAndWhiteToMonochromeFilesWithoutAPalette) {
  DibImage image;
  ASSERT_EQ(ReadPcx(PcxFile(8, 1, 1, 1, 2, {0x0F, 0}, 0), image), kOk);
  EXPECT_EQ(image.ColorAt(0, 0), MakeRgb(0, 0, 0));
  EXPECT_EQ(image.ColorAt(7, 0), MakeRgb(255, 255, 255));
}

TEST(PcxReader, RefusesMalformedFiles) {
  DibImage image;
  EXPECT_EQ(ReadPcx({}, image), kNotPcxFile);
  std::vector<uint8_t> notPcx(200, 0x41);
  EXPECT_EQ(ReadPcx(notPcx, image), kNotPcxFile);
  std::vector<uint8_t> header = PcxFile(2, 2, 8, 1, 2, {});
  EXPECT_EQ(ReadPcx(std::span(header).first(60), image), kTruncatedFile);
  EXPECT_EQ(ReadPcx(header, image), kTruncatedFile);                              // no pixel data
  EXPECT_EQ(ReadPcx(PcxFile(2, 2, 8, 1, 2, {0xC3, 1}), image), kTruncatedFile);   // one byte short
  EXPECT_EQ(ReadPcx(PcxFile(2, 2, 8, 1, 2, {0xC4}), image), kTruncatedFile);      // run without its value
  EXPECT_EQ(ReadPcx(PcxFile(9, 1, 8, 1, 8, {0xC9, 1}), image), kBadDimensions);   // lines shorter than the width
  EXPECT_EQ(ReadPcx(PcxFile(2, 1, 8, 2, 2, {0xC4, 1}), image), kUnsupportedPcx);  // 8 bits x 2 planes
  EXPECT_EQ(ReadPcx(PcxFile(2, 1, 8, 1, 2, {0xC2, 1}, 7), image), kUnsupportedPcx);
  EXPECT_EQ(image, DibImage{});
}

TEST(PcxReader, RefusesHugeSizesBeforeAllocating) {
  DibImage image;
  EXPECT_EQ(ReadPcx(PcxFile(65535, 65535, 8, 1, 65535, {0xFF, 0}), image), kImageTooLarge);
  // Within the budget, but a few bytes cannot run-length decode to 8000 x 8000 pixels.
  EXPECT_EQ(ReadPcx(PcxFile(8000, 8000, 8, 1, 8000, {0xFF, 0, 0xFF, 0}), image), kTruncatedFile);
}

}  // namespace
}  // namespace fl
