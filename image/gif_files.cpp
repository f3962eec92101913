#include "image/gif_files.h"

#include "formatlib/core/errors.h"
#include "formatlib/formatlib.h"

namespace img {

HBITMAP LoadGIFFile(const char* fileName, int& errorCode) {
#ifdef IMAGE_HAVE_GIF32
  DWORD paletteSlot = 0;
  HBITMAP bitmap = LoadGIFIntoBitmap(fileName, 0, &paletteSlot);
  errorCode = ImgError();
  return bitmap;
#else
  (void)fileName;
  errorCode = fl::kGifNotAvailable;
  return nullptr;
#endif
}

bool SaveGIFFile(const char* fileName, HBITMAP bitmap, int pageIndex, int& errorCode) {
#ifdef IMAGE_HAVE_GIF32
  DWORD slot = 0;
  const bool saved = SaveBitmapInGIFFormat(fileName, bitmap, pageIndex, &slot) != 0;
  errorCode = saved ? 0 : ImgError();
  return saved;
#else
  (void)fileName;
  (void)bitmap;
  (void)pageIndex;
  errorCode = fl::kGifNotAvailable;
  return false;
#endif
}

}  // namespace img
