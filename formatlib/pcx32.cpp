// PCX32: PCX files and DCX multi-page files to and from bitmaps, over the core's codecs.
#include <vector>

#include "formatlib/core/dcx_file.h"
#include "formatlib/core/pcx_codec.h"
#include "formatlib/dib_convert.h"
#include "formatlib/file_access.h"
#include "formatlib/formatlib.h"
#include "formatlib/module_errors.h"

using fl::DibImage;
using fl::Guarded;
using fl::Module;

HBITMAP LoadPCXIntoBitmap(const char* fileName, DWORD* paletteSlot) {
  fl::ClearSlot(paletteSlot);
  return Guarded<HBITMAP>(Module::kImage, nullptr, [&] {
    DibImage image;
    fl::Check(fl::ReadPcx(fl::ReadWholeFile(fileName), image));
    return fl::BitmapFromDib(image);
  });
}

HBITMAP LoadDCXIntoBitmap(const char* fileName, int pageIndex, DWORD* paletteSlot) {
  fl::ClearSlot(paletteSlot);
  return Guarded<HBITMAP>(Module::kImage, nullptr, [&] {
    DibImage image;
    fl::Check(fl::ReadDcxPage(fl::ReadWholeFile(fileName), pageIndex, image));
    return fl::BitmapFromDib(image);
  });
}

int GetNumberOfImagesInDCXFile(const char* fileName) {
  return Guarded<int>(Module::kImage, 0, [&] {
    int pages = 0;
    fl::Check(fl::CountDcxPages(fl::ReadWholeFile(fileName), pages));
    return pages;
  });
}

int SaveBitmapInPCXFormat(const char* fileName, HBITMAP bitmap, DWORD* slot) {
  fl::ClearSlot(slot);
  return Guarded<int>(Module::kImage, 0, [&] {
    std::vector<uint8_t> file;
    fl::Check(fl::WritePcx(fl::DibFromBitmap(bitmap), file));
    fl::WriteFileSafely(fileName, file);
    return 1;
  });
}

int MakeDCXFile(const char* fileName, DWORD* slot) {
  fl::ClearSlot(slot);
  return Guarded<int>(Module::kImage, 0, [&] {
    fl::WriteFileSafely(fileName, fl::MakeEmptyDcx());
    return 1;
  });
}

int SaveBitmapInDCXFormat(const char* fileName, HBITMAP bitmap, DWORD* slot) {
  fl::ClearSlot(slot);
  return Guarded<int>(Module::kImage, 0, [&] {
    DibImage page = fl::DibFromBitmap(bitmap);
    // A missing file is started as an empty DCX file, so the page is never lost.
    std::vector<uint8_t> file = fl::FileExists(fileName) ? fl::ReadWholeFile(fileName) : fl::MakeEmptyDcx();
    fl::Check(fl::AppendDcxPage(file, page));
    fl::WriteFileSafely(fileName, file);
    return 1;
  });
}
