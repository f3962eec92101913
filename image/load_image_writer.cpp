// TLoadImage's saving: the extension key picks the writer. A file that is there is never touched before the new
// one is complete: the picture is written to a temporary file in the same folder, which then replaces it. Only
// the formats that add pages (TIFF, DCX) write into an existing file, when OverWrite is off.
#include <windows.h>

#include <array>
#include <string_view>

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/jpeg.h"
#include "classlib/win/picture.h"
#include "formatlib/core/errors.h"
#include "formatlib/formatlib.h"
#include "image/load_image.h"
#include "image/owned_handles.h"

namespace img {

namespace {

// The keys a writer is looked up by, in the order they are tested.
constexpr std::array<std::string_view, 9> kSaveKeys = {".TIF", ".PCX", ".DCX", ".JPG", ".TGA",
                                                       ".GIF", ".PNG", ".WMF", ".BMP"};
// A metafile key is known, but no metafile is ever written.
constexpr std::string_view kMetafileKey = ".WMF";
constexpr char kUnsupportedType[] = "unsupported file type";
constexpr char kNothingToSave[] = "no picture to save";

bool IsSaveKey(const std::string& key) {
  for (std::string_view known : kSaveKeys) {
    if (key == known) return key != kMetafileKey;
  }
  return false;
}

bool AddsPages(const std::string& key) {
  return key == ".TIF" || key == ".DCX";
}

cl::TBitmap* BitmapOf(cl::TPicture* picture) {
  auto* bitmap = dynamic_cast<cl::TBitmap*>(picture->Graphic());
  return bitmap && !bitmap->Empty() && bitmap->Width() > 0 && bitmap->Height() > 0 ? bitmap : nullptr;
}

// Windows refuses to replace a read-only file (Wine would not), so it is checked for before anything is written.
bool IsReadOnlyFile(const std::string& name) {
  const DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// A name for the new file beside the old one, with the same extension, that is not in use.
std::string TemporaryNameBeside(const std::string& name) {
  const std::string folder = cl::ExtractFilePath(name);
  const std::string extension = cl::ExtractFileExt(name);
  for (unsigned attempt = 0;; ++attempt) {
    std::string candidate =
        folder + "~save" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(attempt) + extension;
    if (!cl::FileExists(candidate)) return candidate;
  }
}

}  // namespace

bool TLoadImage::WritePicture(const std::string& key, const std::string& target, cl::TBitmap* source, bool monochrome) {
  const char* file = target.c_str();
  HBITMAP handle = source->Handle();
  const HPALETTE palette = source->Palette();
  DWORD slot = 0;
  if (key == ".TIF") {
    if (monochrome) return SaveBitmapInTiffFile(file, handle, FCompression, FShowTiffSize ? 1 : 0) != 0;
    OwnedDib dib(ConvertBitmapToDIB(handle, palette));
    return dib && SaveDIBInTiffFormat(file, dib.get(), FCompression, 1) != 0;
  }
  if (key == ".PCX") return SaveBitmapInPCXFormat(file, handle, &slot) != 0;
  if (key == ".DCX") {
    if (!cl::FileExists(target)) MakeDCXFile(file, &slot);
    return SaveBitmapInDCXFormat(file, handle, &slot) != 0;
  }
  if (key == ".JPG") {
    // Always the working picture, whatever SaveCroppedArea says, at the JPEG image's default settings.
    Owned<cl::TJPEGImage> jpeg = MakeOwned<cl::TJPEGImage>();
    jpeg->Assign(FWorkingPicture->Bitmap());
    jpeg->SaveToFile(target);
    return true;
  }
  if (key == ".TGA") return SaveBitmapInTGAFormat(file, handle, palette, 1, FShowTiffSize ? 1 : 0) != 0;
  if (key == ".GIF") return SaveBitmapInGIFFormat(file, handle, FImageNumber - 1, &slot) != 0;
  if (key == ".PNG") {
    OwnedDib dib(ConvertBitmapToDIB(handle, palette));
    return dib && WriteGraphicFile(file, dib.get()) == 0;
  }
  // ".BMP"
  (FSaveCroppedArea ? Picture() : FWorkingPicture)->SaveToFile(target);
  return true;
}

void TLoadImage::SetSaveName(const std::string& name) {
  if (name.empty() || !FWorkingPicture) return;
  FSaveFileName = name;
  const std::string key = ExtensionKey(name);
  // Nothing is deleted or written for a type no writer handles, nor for an empty picture: both are errors.
  if (!IsSaveKey(key)) {
    FImageError = true;
    FStatusText = kUnsupportedType;
    return;
  }
  cl::TBitmap* working = BitmapOf(FWorkingPicture);
  cl::TBitmap* source = key == ".JPG" ? working : BitmapOf(FSaveCroppedArea ? Picture() : FWorkingPicture);
  if (!working || !source) {
    FImageError = true;
    FStatusText = kNothingToSave;
    return;
  }
  if (IsReadOnlyFile(name)) {
    ReportError(fl::kCannotWriteFile);
    return;
  }
  const bool monochrome = working->Monochrome();
  FSavedPalette = source->Palette();

  const bool writeInPlace = AddsPages(key) && !FOverWrite && cl::FileExists(name);
  const std::string target = writeInPlace ? name : TemporaryNameBeside(name);
  bool success = false;
  try {
    success = WritePicture(key, target, source, monochrome);
  } catch (cl::Exception& error) {
    if (!writeInPlace) cl::RemoveFile(target);
    // The temporary file is this control's business: the message names the file the caller asked for.
    error.SetMessage(cl::StringReplace(error.Message(), target, name));
    FImageError = true;
    FStatusText = error.Message();
    throw;
  }
  int errorCode = success ? 0 : key == ".TIF" ? TiffError() : ImgError();
  if (!writeInPlace) {
    // One step that either replaces the old file or leaves it: no moment without a file of that name.
    if (success && !MoveFileExA(target.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      success = false;
      errorCode = fl::kCannotWriteFile;
    }
    if (!success) cl::RemoveFile(target);
  }
  if (!success) ReportError(errorCode);
}

}  // namespace img
