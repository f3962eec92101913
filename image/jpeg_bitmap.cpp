// TJPEGBitmap.
#include "image/jpeg_bitmap.h"

#include "classlib/core/exceptions.h"
#include "classlib/win/jpeg.h"
#include "classlib/win/picture.h"
#include "classlib/win/screen.h"
#include "image/core/jpeg_stream_io.h"
#include "image/hour_glass.h"
#include "image/owned_handles.h"

namespace img {
namespace {

constexpr int kJPEGQuality = 85;

// The pixel format of the display: 8, 15, 16, 24 and 32 bits have their own, anything else keeps a device bitmap.
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
    case 32:
      return cl::pf32bit;
    default:
      return cl::pfDevice;
  }
}

}  // namespace

void TJPEGBitmap::LoadFromStream(cl::TStream& stream) {
  HourGlass hourGlass;
  const cl::TPixelFormat format = DisplayPixelFormat();
  TJPEGStreamSource source(stream);
  cl::jpeg::TDecodeOptions options;
  options.TruncationIsError = false;
  // Colour comes straight in the display's 24 or 32 bits; other displays get 24-bit colour converted (a palette
  // display the nearest colours of the fixed palette, not the samples taken as palette indices).
  options.Padded32 = format == cl::pf32bit;
  cl::jpeg::TDecodedSection decoded = cl::jpeg::DecodeToSection(source, options);
  Owned<cl::TBitmap> temporary = MakeOwned<cl::TBitmap>();
  decoded.MoveTo(*temporary);
  temporary->SetPixelFormat(format);
  // The pixels change hands instead of being copied.
  SetHandle(temporary->ReleaseHandle());
  SetPalette(temporary->ReleasePalette());
}

void TJPEGBitmap::SaveToStream(cl::TStream& stream) {
  // Nothing written would pass for a saved picture.
  if (Empty()) throw cl::EInvalidGraphic("Bitmap image is not valid");
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
