// The JPEG bitmap's libjpeg managers over a class-library stream. The source reads the stream 10,240 bytes at a
// time; a file that ends early gets libjpeg's warning "Premature end of JPEG file" and a made-up end-of-image
// marker, so the library completes the image. The destination writes 10,240-byte blocks. Comment markers are
// skipped, and printed to the standard output only when the error manager's trace level is above 0.
#pragma once

#include <cstddef>

#include "classlib/core/jpeg_codec.h"
#include "classlib/core/streams.h"

namespace img {

constexpr size_t kJPEGStreamBufferSize = 10240;

class TJPEGStreamSource : public cl::jpeg::TSource {
 public:
  explicit TJPEGStreamSource(cl::TStream& stream) : FStream(stream) {}
  void Install(jpeg_decompress_struct& info) noexcept override;
  cl::TStream& Stream() const { return FStream; }

 private:
  cl::TStream& FStream;
};

class TJPEGStreamDestination : public cl::jpeg::TDestination {
 public:
  explicit TJPEGStreamDestination(cl::TStream& stream) : FStream(stream) {}
  void Install(jpeg_compress_struct& info) noexcept override;
  cl::TStream& Stream() const { return FStream; }

 private:
  cl::TStream& FStream;
};

}  // namespace img
