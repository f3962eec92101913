// TGA32: TGA files to and from bitmaps, over the core's codec.
#include <vector>

#include "formatlib/core/tga_codec.h"
#include "formatlib/dib_convert.h"
#include "formatlib/file_access.h"
#include "formatlib/formatlib.h"
#include "formatlib/module_errors.h"

HBITMAP LoadTGAIntoBitmap(const char* fileName, int sizeFlag) {
  return fl::Guarded<HBITMAP>(fl::Module::kImage, nullptr, [&] {
    fl::DibImage image;
    fl::Check(fl::ReadTga(fl::ReadWholeFile(fileName), image));
    return fl::BitmapFromDib(image);
  });
}

int SaveBitmapInTGAFormat(const char* fileName, HBITMAP bitmap, HPALETTE palette, int runLength, int sizeFlag) {
  return fl::Guarded<int>(fl::Module::kImage, 0, [&] {
    fl::TgaWriteOptions options;
    options.runLength = runLength != 0;
    std::vector<uint8_t> file;
    fl::Check(fl::WriteTga(fl::DibFromBitmap(bitmap, palette), options, file));
    fl::WriteFileSafely(fileName, file);
    return 1;
  });
}
