// TJPEGBitmap: round trips at the JPEG bitmap's settings, grey pictures, the pixel format that follows the
// display, and files that are empty, cut or corrupt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "classlib/core/exceptions.h"
#include "classlib/win/graphics_test_support.h"
#include "classlib/win/jpeg_test_support.h"
#include "classlib/win/screen.h"
#include "image/jpeg_bitmap.h"

namespace img {
namespace {

using cl::testing::Make;
using cl::testing::Owned;
using cl::testing::Psnr;
using cl::testing::SmoothBitmap;
using cl::testing::StreamBytes;
using cl::testing::StreamOf;

std::vector<uint8_t> Saved(cl::TBitmap& picture) {
  Owned<TJPEGBitmap> jpeg = Make<TJPEGBitmap>();
  jpeg->Assign(&picture);
  Owned<cl::TMemoryStream> stream = Make<cl::TMemoryStream>();
  jpeg->SaveToStream(*stream);
  return StreamBytes(*stream);
}

Owned<TJPEGBitmap> Loaded(const std::vector<uint8_t>& file) {
  Owned<TJPEGBitmap> jpeg = Make<TJPEGBitmap>();
  Owned<cl::TMemoryStream> stream = StreamOf(file);
  jpeg->LoadFromStream(*stream);
  return jpeg;
}

// The first quantisation table of a file, in the order stored (zigzag).
std::vector<uint8_t> FirstQuantisationTable(const std::vector<uint8_t>& file) {
  const uint8_t marker[] = {0xFF, 0xDB};
  const auto at = std::search(file.begin(), file.end(), std::begin(marker), std::end(marker));
  if (at == file.end() || file.end() - at < 69) return {};
  return std::vector<uint8_t>(at + 5, at + 69);
}

TEST(JpegBitmap, RoundTripOfOddWidthsKeepsThePictureAtQualityEightyFive) {
  for (const int width : {5, 37, 101}) {
    SCOPED_TRACE(width);
    Owned<cl::TBitmap> original = SmoothBitmap(width, 23);
    const std::vector<uint8_t> file = Saved(*original);
    // Quality 85 scales the standard luminance table by 30 %: 16 -> 5, 11 -> 3.
    const std::vector<uint8_t> table = FirstQuantisationTable(file);
    ASSERT_EQ(table.size(), 64u);
    EXPECT_EQ(table[0], 5);
    EXPECT_EQ(table[1], 3);
    const uint8_t baseline[] = {0xFF, 0xC0};
    EXPECT_NE(std::search(file.begin(), file.end(), std::begin(baseline), std::end(baseline)), file.end());
    Owned<TJPEGBitmap> decoded = Loaded(file);
    EXPECT_EQ(decoded->Width(), width);
    EXPECT_EQ(decoded->Height(), 23);
    EXPECT_GT(Psnr(*original, *decoded), 30.0);
  }
}

TEST(JpegBitmap, PalettePicturesAreSavedAsTheirColours) {
  Owned<cl::TBitmap> original = SmoothBitmap(40, 30);
  original->SetPixelFormat(cl::pf8bit);
  Owned<TJPEGBitmap> decoded = Loaded(Saved(*original));
  EXPECT_GT(Psnr(*original, *decoded), 25.0);  // the palette's steps cost JPEG a little more than smooth colour
}

TEST(JpegBitmap, PixelFormatFollowsTheDisplay) {
  const std::vector<uint8_t> file = Saved(*SmoothBitmap(16, 16));
  const struct {
    int depth;
    cl::TPixelFormat format;
  } displays[] = {{8, cl::pf8bit},   {15, cl::pf15bit}, {16, cl::pf16bit},
                  {24, cl::pf24bit}, {32, cl::pf32bit}, {4, cl::pfDevice}};
  for (const auto& display : displays) {
    SCOPED_TRACE(display.depth);
    cl::Screen->SetTestColorDepth(display.depth);
    EXPECT_EQ(Loaded(file)->PixelFormat(), display.format);
  }
  cl::Screen->SetTestColorDepth(0);
}

TEST(JpegBitmap, GreyPicturesHaveEqualRedGreenAndBlue) {
  Owned<TJPEGBitmap> grey = Loaded(cl::testing::LibjpegFile(30, 20, 1, JCS_GRAYSCALE, [](int y, uint8_t* row) {
    for (int x = 0; x < 30; ++x) row[x] = static_cast<uint8_t>(x * 7 + y * 3);
  }));
  const cl::bmp::TDibImage pixels = cl::dib::Read32(grey->Handle(), grey->Palette());
  ASSERT_EQ(pixels.Width, 30);
  bool varied = false;
  for (size_t i = 0; i < pixels.Bits.size(); i += 4) {
    ASSERT_EQ(pixels.Bits[i], pixels.Bits[i + 1]) << i;
    ASSERT_EQ(pixels.Bits[i], pixels.Bits[i + 2]) << i;
    varied |= pixels.Bits[i] != pixels.Bits[0];
  }
  EXPECT_TRUE(varied);
}

TEST(JpegBitmap, EmptyAndCorruptFilesRaiseAndKeepThePicture) {
  const std::vector<uint8_t> file = Saved(*SmoothBitmap(48, 32));
  Owned<TJPEGBitmap> jpeg = Loaded(file);
  std::vector<uint8_t> corrupt = file;
  const uint8_t frame[] = {0xFF, 0xC0};
  const auto at = std::search(corrupt.begin(), corrupt.end(), std::begin(frame), std::end(frame));
  ASSERT_NE(at, corrupt.end());
  at[5] = at[6] = 0;  // height 0
  const struct {
    std::vector<uint8_t> bytes;
    const char* message;
  } cases[] = {{{}, "Empty input file"}, {corrupt, nullptr}, {{0xFF, 0xD8, 0xFF}, nullptr}};
  const cl::debug::TGdiCounts before = cl::debug::GdiCounts();
  for (const auto& c : cases) {
    Owned<cl::TMemoryStream> stream = StreamOf(c.bytes);
    try {
      jpeg->LoadFromStream(*stream);
      ADD_FAILURE() << "loaded " << c.bytes.size() << " bytes";
    } catch (const cl::EInvalidGraphic& e) {
      if (c.message) EXPECT_EQ(e.Message(), c.message);
      EXPECT_FALSE(e.Message().empty());
    }
  }
  EXPECT_EQ(cl::debug::GdiCounts(), before);
  EXPECT_EQ(jpeg->Width(), 48);
  EXPECT_EQ(jpeg->Height(), 32);
}

TEST(JpegBitmap, SavingAnEmptyBitmapRaisesAndWritesNothing) {
  Owned<TJPEGBitmap> jpeg = Make<TJPEGBitmap>();
  Owned<cl::TMemoryStream> stream = Make<cl::TMemoryStream>();
  try {
    jpeg->SaveToStream(*stream);
    ADD_FAILURE() << "an empty bitmap was saved";
  } catch (const cl::EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Bitmap image is not valid");
  }
  EXPECT_EQ(stream->Size(), 0);
}

TEST(JpegBitmap, AFileCutShortLoadsWhatTheLibraryMakesOfIt) {
  const std::vector<uint8_t> file = Saved(*SmoothBitmap(64, 48));
  Owned<TJPEGBitmap> cut = Loaded(std::vector<uint8_t>(file.begin(), file.begin() + file.size() * 2 / 3));
  EXPECT_EQ(cut->Width(), 64);
  EXPECT_EQ(cut->Height(), 48);
}

}  // namespace
}  // namespace img
