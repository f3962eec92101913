// TGif: the small decoder behind the read-only GIF bitmap. It reads the header and the first image of a GIF file
// (which must follow the colour tables directly) and decodes its LZW data row by row into the rows of an 8-bit
// device-independent bitmap with 256 colours. It is stricter than the GIF graphic's reader: lower-case signatures, files without a
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
  [[noreturn]] static void Fail(int number);

  // Where the rows go: told the image's size and colours once the header is read, returns memory for Height rows
  // of Stride() bytes, the bottom row first. Unset, the rows go to Image().Bits.
  std::function<uint8_t*(const cl::bmp::TDibImage& shape)> OnAllocateRows;
  // Called after each row is stored, so that a program can service its messages during a long decode.
  std::function<void()> OnRow;

  // The decoded image: bottom-up rows (in Bits unless OnAllocateRows gave the memory); rows the data never
  // reached hold the background colour index.
  const cl::bmp::TDibImage& Image() const { return FImage; }

 private:
  cl::bmp::TDibImage FImage;
};

}  // namespace img
