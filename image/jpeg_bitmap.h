// TJPEGBitmap: a bitmap that reads and writes its pixels as JPEG through libjpeg and the stream managers of
// jpeg_stream_io. Loading follows the display: the pixels take its format (8, 15, 16, 24 or 32 bits; a device
// bitmap otherwise). Saving writes a baseline JPEG at quality 85 with optimised Huffman tables.
#pragma once

#include "classlib/win/bitmap.h"

namespace img {

class TJPEGBitmap : public cl::TBitmap {
  CL_GRAPHIC_CLASS(TJPEGBitmap, cl::TBitmap)
 public:
  // Decodes one JPEG image from the stream's position. A file cut short loads with the rest of the image as the
  // library completes it; any libjpeg error raises EInvalidGraphic with its message and keeps the bitmap as it
  // was.
  void LoadFromStream(cl::TStream& stream) override;
  // Encodes the pixels (as 24 bits, whatever the bitmap's format) into the stream; an empty bitmap raises
  // EInvalidGraphic "Bitmap image is not valid" and writes nothing.
  void SaveToStream(cl::TStream& stream) override;
};

// Unit start: registers TJPEGBitmap for "jpg" and "jpeg" with the picture-format registry.
void RegisterJPEGBitmap();

}  // namespace img
