// LZW decoding of one GIF frame's image data: the minimum code size byte and its chain of data sub-blocks
// become one colour index a pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace img {

// Where the decoder pulls the image data from (a stream positioned at the minimum code size byte).
class GIFDataSource {
 public:
  virtual ~GIFDataSource() = default;
  // Reads up to count bytes and returns how many were read.
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t count) = 0;
  // Bytes left between the current position and the end.
  virtual std::int64_t Remaining() = 0;
  virtual void Skip(std::size_t count) = 0;
};

using GIFWarningSink = std::function<void(const std::string& message)>;

struct GIFPixelTarget {
  std::uint8_t* pixels;  // width x height bytes, rows top to bottom, already zeroed
  int width;
  int height;
  bool interlaced;  // the data holds the rows in the four interlace passes
};

// Decodes into target. Recoverable problems go to warning; the pixels not reached stay 0. Corrupt code
// tables and minimum code sizes above 11 raise GIFException. The source is left after the block terminator
// whenever one is there, also when the codes end early or data follows the last pixel.
void DecodeGIFImageData(GIFDataSource& source, const GIFPixelTarget& target, const GIFWarningSink& warning);

}  // namespace img
