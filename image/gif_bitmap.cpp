// TGifBitmap. The decoder writes straight into the bitmap's new DIB section, which replaces the old picture only
// when the whole image has decoded.
#include "image/gif_bitmap.h"

#include "classlib/win/application.h"
#include "classlib/win/dib.h"
#include "classlib/win/gdi.h"
#include "classlib/win/picture.h"
#include "image/core/gif_bitmap_decoder.h"

namespace img {
namespace {

// How often a long decode lets the program handle its messages. Once a row would cost more than the decoding.
constexpr DWORD kMessageIntervalMs = 30;

}  // namespace

void TGifBitmap::LoadFromStream(cl::TStream& stream) {
  TGif gif;
  cl::gdi::Object<HBITMAP> section;
  gif.OnAllocateRows = [&](const cl::bmp::TDibImage& shape) {
    section.Reset(cl::dib::CreateBlankSection(shape.Width, shape.Height, shape.BitCount, false, shape.Colors));
    DIBSECTION info{};
    GetObjectA(section.Get(), sizeof info, &info);
    return static_cast<uint8_t*>(info.dsBm.bmBits);
  };
  DWORD lastMessages = GetTickCount();
  gif.OnRow = [&] {
    if (!cl::Application || GetTickCount() - lastMessages < kMessageIntervalMs) return;
    cl::Application->ProcessMessages();
    lastMessages = GetTickCount();
  };
  gif.Decode(stream);
  ReplaceImage(section.Release(), cl::dib::CreatePaletteOf(gif.Image().Colors));
}

void RegisterGifBitmap() {
  cl::TPicture::RegisterFileFormat("gif", "GIF-Format", cl::GraphicClassOf<TGifBitmap>());
}

}  // namespace img
