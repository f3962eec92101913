// TGIFImage on the clipboard: the GIF file itself in the "GIF Image" format beside the flat bitmap.
#include <cstring>

#include "classlib/core/streams.h"
#include "image/gif_image.h"

namespace img {
namespace {

// The bytes of a global memory block in a new memory stream, at its start; null when the block cannot be read.
Owned<cl::TMemoryStream> StreamOfBlock(HANDLE block) {
  const SIZE_T size = GlobalSize(block);
  const void* bytes = GlobalLock(block);
  if (!bytes) return nullptr;
  Owned<cl::TMemoryStream> stream = MakeOwned<cl::TMemoryStream>();
  try {
    stream->WriteBuffer(bytes, static_cast<std::int32_t>(size));
  } catch (...) {
    GlobalUnlock(block);
    throw;
  }
  GlobalUnlock(block);
  stream->SetPosition(0);
  return stream;
}

}  // namespace

void TGIFImage::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  const UINT gifFormat = GIFClipboardFormat();
  HANDLE block = format == gifFormat                     ? data
                 : IsClipboardFormatAvailable(gifFormat) ? GetClipboardData(gifFormat)
                                                         : nullptr;
  if (block) {
    if (Owned<cl::TMemoryStream> stream = StreamOfBlock(block)) {
      LoadFromStream(*stream);
      return;
    }
  }
  Owned<cl::TBitmap> bitmap = MakeOwned<cl::TBitmap>();
  bitmap->LoadFromClipboardFormat(format, data, palette);
  Assign(bitmap.get());
}

void TGIFImage::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  if (Empty()) return;
  // The file first: when writing it fails, the caller has been handed nothing it would have to free.
  Owned<cl::TMemoryStream> stream = MakeOwned<cl::TMemoryStream>();
  SaveToStream(*stream);
  GetBitmap()->SaveToClipboardFormat(format, data, palette);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(stream->Size()));
  if (!block) return;  // the bitmap alone goes on the clipboard
  void* bytes = GlobalLock(block);
  if (!bytes) {
    GlobalFree(block);
    return;
  }
  std::memcpy(bytes, stream->Memory(), static_cast<std::size_t>(stream->Size()));
  GlobalUnlock(block);
  if (!SetClipboardData(GIFClipboardFormat(), block)) GlobalFree(block);
}

}  // namespace img
