// TGifBitmap.
#include "image/gif_bitmap.h"

#include "classlib/win/application.h"
#include "classlib/win/picture.h"
#include "image/core/gif_bitmap_decoder.h"
#include "image/owned_handles.h"

namespace img {

void TGifBitmap::LoadFromStream(cl::TStream& stream) {
  TGif gif;
  gif.OnRow = [] {
    if (cl::Application) cl::Application->ProcessMessages();
  };
  gif.Decode(stream);
  Owned<cl::TMemoryStream> image = MakeOwned<cl::TMemoryStream>();
  gif.WriteBitmap(*image);
  Owned<cl::TBitmap> temporary = MakeOwned<cl::TBitmap>();
  temporary->LoadFromStream(*image);
  // The pixels change hands instead of being copied.
  SetHandle(temporary->ReleaseHandle());
  SetPalette(temporary->ReleasePalette());
}

void RegisterGifBitmap() {
  cl::TPicture::RegisterFileFormat("gif", "GIF-Format", cl::GraphicClassOf<TGifBitmap>());
}

}  // namespace img
