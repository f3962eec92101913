// TJPEGBitmap.
#include "image/jpeg_bitmap.h"

#include "classlib/win/jpeg.h"
#include "classlib/win/picture.h"
#include "classlib/win/screen.h"
#include "image/core/jpeg_stream_io.h"
#include "image/hour_glass.h"
#include "image/owned_handles.h"

namespace img {
namespace {

constexpr int kJPEGQuality = 85;

// The pixel format of the display: 8, 15, 16 and 24 bits have their own, anything else keeps a device bitmap.
cl::TPixelFormat DisplayPixelFormat() {
  switch (cl::Screen ? cl::Screen->ColorDepth() : 24) {
    case 8:
      return cl::pf8bit;
    case 15:
      return cl::pf15bit;
    case 16:
      return cl::pf16bit;
    case 24:
      return cl::pf24bit;
    default:
      return cl::pfDevice;
  }
}

}  // namespace

void TJPEGBitmap::LoadFromStream(cl::TStream& stream) {
  HourGlass hourGlass;
  TJPEGStreamSource source(stream);
  cl::jpeg::TDecodeOptions options;
  options.TruncationIsError = false;
  // Decoded as 24-bit colour whatever the display; a palette display gets the nearest colours of the fixed
  // palette instead of the samples taken as palette indices.
  cl::jpeg::TDecodedSection decoded = cl::jpeg::DecodeToSection(source, options);
  Owned<cl::TBitmap> temporary = MakeOwned<cl::TBitmap>();
  decoded.MoveTo(*temporary);
  temporary->SetPixelFormat(DisplayPixelFormat());
  // The pixels change hands instead of being copied.
  SetHandle(temporary->ReleaseHandle());
  SetPalette(temporary->ReleasePalette());
}

void TJPEGBitmap::SaveToStream(cl::TStream& stream) {
  if (Empty()) return;
  TJPEGStreamDestination destination(stream);
  cl::jpeg::TEncodeOptions options;
  options.Quality = kJPEGQuality;
  options.OptimizeCoding = true;
  cl::jpeg::EncodeBitmap(this, options, destination);
}

void RegisterJPEGBitmap() {
  cl::TPicture::RegisterFileFormat("jpg", "JPG", cl::GraphicClassOf<TJPEGBitmap>());
  cl::TPicture::RegisterFileFormat("jpeg", "JPEG", cl::GraphicClassOf<TJPEGBitmap>());
}

}  // namespace img
