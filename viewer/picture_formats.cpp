// Orvane's picture classes in the order its units start.
#include "viewer/picture_formats.h"

#include "classlib/win/jpeg.h"
#include "image/gif_bitmap.h"
#include "image/gif_image.h"
#include "image/jpeg_bitmap.h"

namespace viewer {

void RegisterPictureFormats() {
  img::RegisterGIFImage();
  cl::jpeg::RegisterFormats();
  img::RegisterJPEGBitmap();
  img::RegisterGifBitmap();
}

}  // namespace viewer
