// TGif: the small decoder behind the read-only GIF bitmap. It reads the header and the first image of a GIF file
// (which must follow the colour tables directly), decodes its LZW data row by row and writes the result as an
// 8-bit BMP file image. It is stricter than the GIF graphic's reader: lower-case signatures, files without a
// global colour table, extensions before the image and a full code table without a clear code are refused.
#pragma once

#include <cstdint>
#include <functional>

#include "classlib/core/bmp_codec.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"

namespace img {

// Raised with the text of one of the decoder's error numbers.
class EGifException : public cl::Exception {
 public:
  using cl::Exception::Exception;
};

class TGif {
 public:
  // The widest image the decoder takes (its rows were once fixed buffers of this size).
  static constexpr int kMaxWidth = 2048;

  // Reads the header and the first image from the stream's position, leaving the stream after the bytes used.
  // Raises EGifException; a file that ends early is "Unexpected EOF", never a hang.
  void Decode(cl::TStream& stream);
  // Writes the decoded image as a BMP file image (8 bits, 256 colours) from the start of stream, and rewinds it.
  void WriteBitmap(cl::TMemoryStream& stream) const;
  [[noreturn]] static void Fail(int number);

  // Called after each row is stored, so that a program can service its messages during a long decode.
  std::function<void()> OnRow;

  // The decoded image: bottom-up rows; rows the data never reached hold the background colour index.
  const cl::bmp::TDibImage& Image() const { return FImage; }

 private:
  cl::bmp::TDibImage FImage;
};

}  // namespace img
