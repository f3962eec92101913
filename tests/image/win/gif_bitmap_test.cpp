// TGifBitmap: giflib's sample pictures against the GIF graphic's reading of them, and files it refuses, which
// leave the previous picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "classlib/win/graphics_test_support.h"
#include "image/core/gif_bitmap_decoder.h"
#include "image/gif_bitmap.h"
#include "image/gif_image.h"
#include "image/win/gif_test_support.h"

namespace img {
namespace {

using cl::testing::Make;
using cl::testing::Owned;
using cl::testing::StreamOf;
using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::filesystem::path& path) {
  Owned<cl::TMemoryStream> stream = Make<cl::TMemoryStream>();
  stream->LoadFromFile(path.string());
  return cl::testing::StreamBytes(*stream);
}

// The first frame as the GIF graphic shows it.
std::vector<uint32_t> ReferencePixels(const Bytes& file) {
  Owned<TGIFImage> image = Make<TGIFImage>();
  Owned<cl::TMemoryStream> stream = StreamOf(file);
  image->LoadFromStream(*stream);
  return testing::ColorsOf(image->GetBitmap());
}

std::filesystem::path SampleFolder() {
  const char* folder = std::getenv("PROJECT_GIFLIB_SAMPLES");
  return folder ? folder : "";
}

TEST(GifBitmap, GiflibSamplesReadAsTheGifGraphicReadsThem) {
  ASSERT_TRUE(std::filesystem::is_directory(SampleFolder())) << "run scripts/bootstrap";
  int matched = 0, refused = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SampleFolder())) {
    if (entry.path().extension() != ".gif") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const Bytes file = ReadFile(entry.path());
    Owned<TGifBitmap> bitmap = Make<TGifBitmap>();
    Owned<cl::TMemoryStream> stream = StreamOf(file);
    try {
      bitmap->LoadFromStream(*stream);
    } catch (const EGifException& e) {
      // Files whose image follows an extension block are refused.
      EXPECT_EQ(e.Message(), "Bad data");
      EXPECT_TRUE(bitmap->Empty());
      ++refused;
      continue;
    }
    EXPECT_EQ(bitmap->PixelFormat(), cl::pf8bit);
    EXPECT_TRUE(testing::ColorsOf(bitmap.get()) == ReferencePixels(file));
    ++matched;
  }
  EXPECT_EQ(matched, 4);
  EXPECT_EQ(refused, 4);
}

TEST(GifBitmap, CutAndTooWideFilesRaiseAndKeepThePicture) {
  const Bytes file = ReadFile(SampleFolder() / "porsche.gif");
  Owned<TGifBitmap> bitmap = Make<TGifBitmap>();
  Owned<cl::TMemoryStream> whole = StreamOf(file);
  bitmap->LoadFromStream(*whole);
  ASSERT_EQ(bitmap->Width(), 320);
  Bytes wide = file;
  const size_t descriptor = 13 + 3 * (2 << (file[10] & 7));  // after the global colour table
  wide[descriptor + 5] = 0x01;                               // the image is 0x0901 = 2305 pixels wide
  wide[descriptor + 6] = 0x09;
  const struct {
    Bytes bytes;
    const char* message;
  } cases[] = {{Bytes(file.begin(), file.begin() + file.size() / 2), "Unexpected EOF"}, {wide, "Bad data"}};
  for (const auto& c : cases) {
    Owned<cl::TMemoryStream> stream = StreamOf(c.bytes);
    try {
      bitmap->LoadFromStream(*stream);
      ADD_FAILURE() << c.message;
    } catch (const EGifException& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_EQ(bitmap->Width(), 320);
  EXPECT_EQ(bitmap->Height(), 200);
}

}  // namespace
}  // namespace img
