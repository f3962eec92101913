// Tarnel's picture registry: the class a picture loaded by file name gets for each extension.
#include <gtest/gtest.h>

#include "browser/picture_formats.h"
#include "classlib/win/picture.h"
#include "image/jpeg_bitmap.h"
#include "image/win/gif_test_support.h"

namespace brw {
namespace {

TEST(PictureFormats, GifFilesBecomeGifImagesAndJpegFilesJpegBitmaps) {
  RegisterPictureFormats();
  EXPECT_EQ(cl::TPicture::FileFormatClass("GIF").Class, img::TGIFImage::StaticClass());
  EXPECT_EQ(cl::TPicture::FileFormatClass("jpeg").Class, img::TJPEGBitmap::StaticClass());
  img::testing::ExpectPicturesLoadGifFilesAsGifImages();
}

}  // namespace
}  // namespace brw
