// TGifBitmap: a bitmap that reads the first image of a GIF file through the small decoder TGif, and nothing
// more (no extensions, no animation, no writing).
#pragma once

#include "classlib/win/bitmap.h"

namespace img {

class TGifBitmap : public cl::TBitmap {
  CL_GRAPHIC_CLASS(TGifBitmap, cl::TBitmap)
 public:
  // Decodes through TGif into an 8-bit DIB section with the GIF's colours; the program's messages are serviced
  // during a long decode. Raises EGifException and then keeps the previous picture.
  void LoadFromStream(cl::TStream& stream) override;
};

// Unit start: registers TGifBitmap for "gif" with the picture-format registry.
void RegisterGifBitmap();

}  // namespace img
