// TIFF32: TIFF pages to and from bitmaps and DIBs, page counts and descriptive tags.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "formatlib/dib_convert.h"
#include "formatlib/file_access.h"
#include "formatlib/formatlib.h"
#include "formatlib/module_errors.h"
#include "formatlib/tiff_file.h"

namespace fl {
namespace {

constexpr uint16_t kTypeAscii = 2;
constexpr uint16_t kTypeShort = 3;
constexpr uint16_t kTypeLong = 4;
constexpr uint32_t kFirstPrivateTag = 32768;
// Tags known to libtiff that only describe the picture and may be changed without touching its pixels.
constexpr uint32_t kDescriptiveTags[] = {
    TIFFTAG_DOCUMENTNAME, TIFFTAG_IMAGEDESCRIPTION, TIFFTAG_MAKE,   TIFFTAG_MODEL,        TIFFTAG_PAGENAME,
    TIFFTAG_SOFTWARE,     TIFFTAG_DATETIME,         TIFFTAG_ARTIST, TIFFTAG_HOSTCOMPUTER, TIFFTAG_COPYRIGHT};
char kUserTagName[] = "UserTag";

TIFFDataType TagDataType(uint16_t type) {
  switch (type) {
    case kTypeAscii:
      return TIFF_ASCII;
    case kTypeShort:
      return TIFF_SHORT;
    case kTypeLong:
      return TIFF_LONG;
    default:
      Fail(kInvalidArgument);
  }
}

// Sets the tag through the field libtiff knows for it, registering a field for a tag it has never seen.
void SetTag(TIFF* tiff, uint32_t tag, TIFFDataType type, const char* text, int number) {
  const TIFFField* field = TIFFFindField(tiff, tag, TIFF_ANY);
  if (field && tag < kFirstPrivateTag && !TIFFFieldIsAnonymous(field) &&
      std::find(std::begin(kDescriptiveTags), std::end(kDescriptiveTags), tag) == std::end(kDescriptiveTags)) {
    Fail(kInvalidArgument);  // a tag that describes the pixel layout
  }
  if (!field) {
    bool ascii = type == TIFF_ASCII;
    TIFFFieldInfo info{tag,
                       static_cast<short>(ascii ? TIFF_VARIABLE : 1),
                       static_cast<short>(ascii ? TIFF_VARIABLE : 1),
                       type,
                       FIELD_CUSTOM,
                       1,
                       0,
                       kUserTagName};
    if (TIFFMergeFieldInfo(tiff, &info, 1) != 0) Fail(kInvalidArgument);
    field = TIFFFindField(tiff, tag, TIFF_ANY);
  }
  if (!field || TIFFFieldDataType(field) != type) Fail(kInvalidArgument);
  uint16_t shortValue = static_cast<uint16_t>(number);
  uint32_t longValue = static_cast<uint32_t>(number);
  int done = 0;
  if (TIFFFieldPassCount(field)) {
    // Tags read from the file that libtiff has no description of take a count and an array.
    if (type == TIFF_ASCII) done = TIFFSetField(tiff, tag, static_cast<uint32_t>(std::strlen(text) + 1), text);
    if (type == TIFF_SHORT) done = TIFFSetField(tiff, tag, 1, &shortValue);
    if (type == TIFF_LONG) done = TIFFSetField(tiff, tag, 1, &longValue);
  } else {
    if (type == TIFF_ASCII) done = TIFFSetField(tiff, tag, text);
    if (type == TIFF_SHORT) done = TIFFSetField(tiff, tag, shortValue);
    if (type == TIFF_LONG) done = TIFFSetField(tiff, tag, longValue);
  }
  if (!done) Fail(kInvalidArgument);
}

}  // namespace
}  // namespace fl

using fl::Guarded;
using fl::Module;

HBITMAP LoadTiffIntoBitmap(const char* fileName, int pageIndex, int sizeFlag) {
  return Guarded<HBITMAP>(Module::kTiff, nullptr, [&] {
    if (!fl::FileExists(fileName)) fl::Fail(fl::kCannotOpenFile);
    fl::TiffHandle file(fileName, "r", fl::kNotTiffFile);
    fl::SelectTiffPage(file, pageIndex);
    return fl::ReadTiffPage(file, sizeFlag != 0);
  });
}

int GetNumberOfImagesInTiffFile(const char* fileName) {
  return Guarded<int>(Module::kTiff, 0, [&] { return fl::CountTiffPages(fileName); });
}

int TiffError() {
  return fl::ModuleError(Module::kTiff);
}

int SaveBitmapInTiffFile(const char* fileName, HBITMAP monochromeBitmap, int compression, int sizeFlag) {
  return Guarded<int>(Module::kTiff, 0, [&] {
    fl::WriteTiffPage(fileName, fl::DibFromBitmap(monochromeBitmap), compression);
    return 1;
  });
}

int SaveDIBInTiffFormat(const char* fileName, HGLOBAL dib, int compression, int sizeFlag) {
  return Guarded<int>(Module::kTiff, 0, [&] {
    fl::WriteTiffPage(fileName, fl::DibFromPacked(dib), compression);
    return 1;
  });
}

int AddTiffTagToImage(const char* fileName, int pageIndex, uint16_t tag, uint16_t type, const char* text, int number) {
  return Guarded<int>(Module::kTiff, 0, [&] {
    TIFFDataType dataType = fl::TagDataType(type);
    if (dataType == TIFF_ASCII && !text) fl::Fail(fl::kInvalidArgument);
    if (dataType == TIFF_SHORT && (number < 0 || number > 0xFFFF)) fl::Fail(fl::kInvalidArgument);
    if (!fl::FileExists(fileName)) fl::Fail(fl::kCannotOpenFile);
    { fl::TiffHandle check(fileName, "r", fl::kNotTiffFile); }
    fl::ScratchFile scratch(fileName);
    if (!CopyFileA(fileName, scratch.Name(), FALSE)) fl::Fail(fl::kCannotWriteFile);
    fl::TiffHandle file(scratch.Name(), "r+", fl::kCannotWriteFile);
    fl::SelectTiffPage(file, pageIndex);
    fl::SetTag(file.Get(), tag, dataType, text, number);
    if (!TIFFRewriteDirectory(file.Get()) || !file.Close()) fl::Fail(fl::kCannotWriteFile);
    scratch.MoveOverTarget();
    return 1;
  });
}
