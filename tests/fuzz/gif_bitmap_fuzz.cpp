// Reads arbitrary bytes with the read-only GIF bitmap's decoder: malformed input raises EGifException and nothing
// else, and whatever decodes is an image of the size its descriptor declares whose rows never spill into their
// padding (the sanitizers watch every write past the rows' memory).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "classlib/core/byte_reader.h"
#include "classlib/core/streams.h"
#include "image/core/gif_bitmap_decoder.h"

namespace {

// The width and height of the first image descriptor, which directly follows the global colour table of a file
// the decoder took.
void DeclaredSize(const std::uint8_t* data, int& width, int& height) {
  constexpr std::size_t kScreenEnd = 13;
  const std::size_t tableSize = 3 * (std::size_t{2} << (data[10] & 7));
  const std::uint8_t* descriptor = data + kScreenEnd + tableSize + 1;
  width = cl::le::ReadU16(descriptor + 4);
  height = cl::le::ReadU16(descriptor + 6);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  cl::TMemoryStream input;
  if (size > 0) input.Write(data, static_cast<std::int32_t>(size));
  input.SetPosition(0);
  img::TGif gif;
  try {
    gif.Decode(input);
  } catch (const img::EGifException&) {
    return 0;
  }
  const cl::bmp::TDibImage& image = gif.Image();
  int width = 0, height = 0;
  DeclaredSize(data, width, height);
  if (image.Width != width || image.Height != height) std::abort();
  const std::size_t stride = image.Stride();
  for (int row = 0; row < image.Height; ++row) {
    const std::uint8_t* padding = image.Bits.data() + stride * static_cast<std::size_t>(row) + width;
    for (std::size_t i = 0; i < stride - static_cast<std::size_t>(width); ++i) {
      if (padding[i] != 0) std::abort();
    }
  }
  return 0;
}
