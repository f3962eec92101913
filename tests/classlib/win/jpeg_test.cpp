// TJPEGImage over libjpeg: round trips, settings, truncated and corrupt files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <cstdio>

#include <jpeglib.h>

#include "classlib/core/exceptions.h"
#include "classlib/win/jpeg.h"
#include "classlib/win/picture.h"
#include "graphics_test_support.h"
#include "jpeg_test_support.h"

namespace cl {
namespace {

using testing::Make;
using testing::Psnr;
using testing::SmoothBitmap;
using testing::StreamBytes;
using testing::StreamOf;

std::vector<uint8_t> EncodedFile(int width, int height) {
  Owned<TJPEGImage> image = Make<TJPEGImage>();
  image->Assign(SmoothBitmap(width, height).get());
  Owned<TMemoryStream> stream = Make<TMemoryStream>();
  image->SaveToStream(*stream);
  return StreamBytes(*stream);
}

TEST(JpegImage, RoundTripKeepsThePictureAboveThirtyDecibels) {
  Owned<TBitmap> original = SmoothBitmap(101, 67);
  Owned<TJPEGImage> image = Make<TJPEGImage>();
  EXPECT_EQ(image->CompressionQuality(), 90);
  image->Assign(original.get());
  const std::string name = std::string(getenv("PROJECT_TEST_DIR")) + "\\round.jpg";
  image->SaveToFile(name);
  jpeg::RegisterFormats();
  Owned<TPicture> picture = Make<TPicture>();
  picture->LoadFromFile(name);
  ASSERT_NE(dynamic_cast<TJPEGImage*>(picture->Graphic()), nullptr);
  Owned<TBitmap> decoded = Make<TBitmap>();
  decoded->Assign(picture->Graphic());
  EXPECT_EQ(decoded->Width(), 101);
  EXPECT_EQ(decoded->Height(), 67);
  EXPECT_EQ(decoded->PixelFormat(), pf24bit);
  EXPECT_GT(Psnr(*original, *decoded), 30.0);
}

TEST(JpegImage, LoadedBytesAreWrittenBackUnchanged) {
  const std::vector<uint8_t> file = EncodedFile(40, 30);
  Owned<TJPEGImage> image = Make<TJPEGImage>();
  Owned<TMemoryStream> in = StreamOf(file);
  image->LoadFromStream(*in);
  image->SetCompressionQuality(20);  // only a new encoding would use it
  Owned<TMemoryStream> out = Make<TMemoryStream>();
  image->SaveToStream(*out);
  EXPECT_EQ(StreamBytes(*out), file);
}

TEST(JpegImage, EightBitOutputIsAPaletteImage) {
  Owned<TJPEGImage> image = Make<TJPEGImage>();
  Owned<TMemoryStream> in = StreamOf(EncodedFile(64, 48));
  image->LoadFromStream(*in);
  image->SetPixelFormat(jf8Bit);
  Owned<TBitmap> bitmap = Make<TBitmap>();
  bitmap->Assign(image.get());
  EXPECT_EQ(bitmap->PixelFormat(), pf8bit);
  EXPECT_NE(bitmap->Palette(), nullptr);
  image->SetPixelFormat(jf24Bit);
  image->SetGrayscale(true);
  bitmap->Assign(image.get());
  const bmp::TDibImage grey = dib::Read32(bitmap->Handle(), bitmap->Palette());
  for (size_t i = 0; i < grey.Bits.size(); i += 4) {
    ASSERT_EQ(grey.Bits[i], grey.Bits[i + 1]);
    ASSERT_EQ(grey.Bits[i], grey.Bits[i + 2]);
  }
}

TEST(JpegImage, TruncatedFilesRaiseAndLeaveTheImage) {
  const std::vector<uint8_t> file = EncodedFile(48, 32);
  Owned<TJPEGImage> image = Make<TJPEGImage>();
  Owned<TMemoryStream> good = StreamOf(file);
  image->LoadFromStream(*good);
  for (size_t length = 0; length < file.size(); length += (length < 700 ? 13 : 101)) {
    std::vector<uint8_t> cut(file.begin(), file.begin() + length);
    Owned<TMemoryStream> stream = StreamOf(cut);
    EXPECT_THROW(image->LoadFromStream(*stream), EInvalidGraphic) << "length " << length;
  }
  EXPECT_EQ(image->Width(), 48);
  Owned<TMemoryStream> out = Make<TMemoryStream>();
  image->SaveToStream(*out);
  EXPECT_EQ(StreamBytes(*out), file);
}

constexpr uint8_t kStartOfFrame[] = {0xFF, 0xC0};

TEST(JpegImage, CorruptDataRaisesWithLibjpegsMessage) {
  std::vector<uint8_t> file = EncodedFile(16, 16);
  // Height 0 in the frame header: libjpeg refuses the image.
  const auto frame = std::search(file.begin(), file.end(), std::begin(kStartOfFrame), std::end(kStartOfFrame));
  ASSERT_NE(frame, file.end());
  frame[5] = frame[6] = 0;
  Owned<TJPEGImage> image = Make<TJPEGImage>();
  Owned<TMemoryStream> stream = StreamOf(file);
  try {
    image->LoadFromStream(*stream);
    ADD_FAILURE() << "corrupt file loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_FALSE(e.Message().empty());
  }
  Owned<TMemoryStream> empty = StreamOf({});
  EXPECT_THROW(image->LoadFromStream(*empty), EInvalidGraphic);
  EXPECT_TRUE(image->Empty());
}

TEST(JpegCodec, FileTooShortForItsSizeIsRefusedBeforeAnyRowIsAskedFor) {
  struct Target : jpeg::TDecodeTarget {
    uint8_t* Begin(const jpeg::TDecodedInfo&, ptrdiff_t&) noexcept override {
      asked = true;
      return nullptr;
    }
    bool asked = false;
  } target;
  std::vector<uint8_t> file = EncodedFile(16, 16);
  const auto frame = std::search(file.begin(), file.end(), std::begin(kStartOfFrame), std::end(kStartOfFrame));
  ASSERT_NE(frame, file.end());
  frame[5] = frame[7] = 0x3E;  // 15888 x 15888 pixels claimed by a file of a few hundred bytes
  jpeg::TMemorySource source(file.data(), file.size());
  jpeg::TStatus status;
  EXPECT_FALSE(jpeg::Decode(source, {}, target, status));
  EXPECT_FALSE(target.asked);
  EXPECT_STREQ(status.Message, "Premature end of JPEG file");
}

// A CMYK JPEG as print workflows write it (with libjpeg's Adobe marker, samples as given).
std::vector<uint8_t> InkFile(const uint8_t (&sample)[4], int width, int height) {
  return testing::LibjpegFile(width, height, 4, JCS_CMYK, [&](int, uint8_t* row) {
    for (int x = 0; x < width; ++x) std::copy(std::begin(sample), std::end(sample), row + 4 * x);
  });
}

TEST(JpegImage, InkImagesBecomeRgb) {
  const uint8_t magenta[4] = {255, 0, 255, 255};  // inverted samples: full magenta ink only
  Owned<TJPEGImage> image = Make<TJPEGImage>();
  Owned<TMemoryStream> stream = StreamOf(InkFile(magenta, 16, 8));
  image->LoadFromStream(*stream);
  Owned<TBitmap> bitmap = Make<TBitmap>();
  bitmap->Assign(image.get());
  EXPECT_EQ(bitmap->PixelFormat(), pf24bit);
  const uint32_t pixel = testing::PixelAt(*bitmap, 3, 3);
  EXPECT_NEAR(int(pixel >> 16), 255, 3);
  EXPECT_NEAR(int(pixel >> 8 & 0xFF), 0, 3);
  EXPECT_NEAR(int(pixel & 0xFF), 255, 3);
}

TEST(JpegImage, MutatedFilesLoadOrRaiseButNeverCrash) {
  Owned<TJPEGImage> image = Make<TJPEGImage>();
  testing::LoadMutations(EncodedFile(24, 16), 400, [&](const std::vector<uint8_t>& bytes) {
    Owned<TMemoryStream> stream = StreamOf(bytes);
    image->LoadFromStream(*stream);
  });
}

TEST(JpegImage, EmptyImageAssignsAnEmptyBitmap) {
  Owned<TJPEGImage> image = Make<TJPEGImage>();
  Owned<TBitmap> bitmap = testing::BlankBitmap(3, 3);
  bitmap->Assign(image.get());
  EXPECT_TRUE(bitmap->Empty());
  image->Assign(bitmap.get());
  EXPECT_TRUE(image->Empty());
}

}  // namespace
}  // namespace cl
