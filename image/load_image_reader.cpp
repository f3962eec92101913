// TLoadImage's readers: the extension key picks the class library's bitmap or JPEG image or a reader of the format
// library, and the TIFF reader is the fallback when none of them read anything.
#include "classlib/core/exceptions.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/jpeg.h"
#include "classlib/win/picture.h"
#include "formatlib/core/errors.h"
#include "formatlib/formatlib.h"
#include "image/dib_to_bitmap.h"
#include "image/load_image.h"
#include "image/owned_handles.h"

namespace img {

namespace {

constexpr size_t kKeyLength = 4;  // the dot and three characters: ".tiff" gives ".TIF"
constexpr char kJPEGLoaded[] = "JPEG LOADED!";
constexpr char kJPEGFailed[] = "failed to load JPEG ";

}  // namespace

std::string TLoadImage::ExtensionKey(const std::string& name) {
  return cl::UpperCase(cl::ExtractFileExt(cl::ExtractFileName(name))).substr(0, kKeyLength);
}

void TLoadImage::TakeWorkingBitmap(HBITMAP bitmap) {
  FWorkingPicture->Bitmap()->SetHandle(bitmap);
}

void TLoadImage::ReadJPEG(const std::string& name, bool& readFlag) {
  Owned<cl::TJPEGImage> jpeg = MakeOwned<cl::TJPEGImage>();
  jpeg->SetPixelFormat(FScreenDepth <= 8 ? cl::jf8Bit : cl::jf24Bit);
  FStatusText = kJPEGLoaded;
  try {
    jpeg->LoadFromFile(name);
    // Only a complete image is taken: after a failure the working picture stays empty for the TIFF fallback.
    FWorkingPicture->Bitmap()->Assign(jpeg.get());
    readFlag = true;
  } catch (const cl::Exception&) {
    FImageError = true;
    FStatusText = kJPEGFailed + name;
  }
}

int TLoadImage::ReadWorkingPicture(const std::string& name) {
  const std::string key = ExtensionKey(name);
  const char* file = name.c_str();
  const int pageIndex = FImageNumber - 1;
  DWORD slot = 0;  // the readers' palette slot, which they leave empty
  bool readFlag = false;
  int errorCode = 0;
  // The TIFF and DCX readers' codes are taken before the page count, which would replace them.
  auto readTiff = [&](int page, int sizeFlag) {
    TakeWorkingBitmap(LoadTiffIntoBitmap(file, page, sizeFlag));
    errorCode = TiffError();
    FImageCount = GetNumberOfImagesInTiffFile(file);
  };

  // Each test runs on its own, in this order; an AlternateExt equal to another key runs both readers.
  if (key == ".BMP") {
    FWorkingPicture->LoadFromFile(name);  // its exceptions go to the caller
    readFlag = true;
  }
  if (key == ".JPG") ReadJPEG(name, readFlag);
  if (key == ".GIF") {
    TakeWorkingBitmap(LoadGIFIntoBitmap(file, 0, &slot));
    errorCode = ImgError();
    readFlag = WorkingBitmapHandle() != nullptr;
  }
  if (key == ".PNG") {
    // No DIB means nothing to convert: the TIFF fallback reports the failure.
    if (HGLOBAL dib = ReadGraphicFile(file)) PackedDibToBitmap(dib, FWorkingPicture->Bitmap());
    readFlag = WorkingBitmapHandle() != nullptr;
  }
  if (key == ".TGA") {
    TakeWorkingBitmap(LoadTGAIntoBitmap(file, FShowTiffSize ? 1 : 0));
    errorCode = ImgError();
    readFlag = true;
  }
  if (key == ".TIF" || key == FAlternateExt) {
    readTiff(pageIndex, FShowTiffSize ? 1 : 0);
    if (!WorkingBitmapHandle() && errorCode <= 0) errorCode = fl::kCannotOpenFile;
    readFlag = true;
  }
  if (key == ".DCX") {
    TakeWorkingBitmap(LoadDCXIntoBitmap(file, pageIndex, &slot));
    errorCode = ImgError();
    FImageCount = GetNumberOfImagesInDCXFile(file);
    readFlag = true;
  }
  if (key == ".PCX") {
    TakeWorkingBitmap(LoadPCXIntoBitmap(file, &slot));
    errorCode = ImgError();
    readFlag = true;
  }
  if (key == ".WMF") {
    TakeWorkingBitmap(LoadMetaFileIntoBitmap(file));
    errorCode = ImgError();
    readFlag = true;
  }
  if (key == ".TXT") {
    TakeWorkingBitmap(LoadASCIIFile(file, 1));
    errorCode = ImgError();
    readFlag = true;
  }
  // The first page, whatever ImageNumber says.
  if (!readFlag) readTiff(0, FShowTiffSize ? 1 : 0);
  return errorCode;
}

}  // namespace img
