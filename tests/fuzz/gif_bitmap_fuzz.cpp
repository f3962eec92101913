// Reads arbitrary bytes with the read-only GIF bitmap's decoder: malformed input raises EGifException and nothing
// else, and whatever decodes fills exactly the rows it declares (the sanitizers watch every write).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "classlib/core/streams.h"
#include "image/core/gif_bitmap_decoder.h"

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
  if (image.Bits.size() != image.Stride() * static_cast<std::size_t>(image.Height)) std::abort();
  if (input.Position() > static_cast<std::int64_t>(size)) std::abort();
  return 0;
}
