// Tarnel's picture classes in the order its units start.
#include "browser/picture_formats.h"

#include "classlib/win/jpeg.h"
#include "image/gif_bitmap.h"
#include "image/gif_image.h"
#include "image/jpeg_bitmap.h"

namespace brw {

void RegisterPictureFormats() {
  cl::jpeg::RegisterFormats();
  img::RegisterJPEGBitmap();
  img::RegisterGifBitmap();
  img::RegisterGIFImage();
}

}  // namespace brw
