// Reads arbitrary bytes with the read-only GIF bitmap's decoder. Whatever decodes is written as a BMP file image,
// which must read back with the same pixels. Malformed input raises EGifException and nothing else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "classlib/core/bmp_codec.h"
#include "classlib/core/streams.h"
#include "image/core/gif_bitmap_decoder.h"

namespace {

// An image can be huge while its data is tiny (rows the data never reaches are background); writing those out
// would only measure copying.
constexpr std::size_t kRoundTripBytes = std::size_t{1} << 22;

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
  if (gif.Image().Bits.size() > kRoundTripBytes) return 0;
  cl::TMemoryStream bitmap;
  gif.WriteBitmap(bitmap);
  const cl::bmp::TDibImage read =
      cl::bmp::ReadBmp(static_cast<const std::uint8_t*>(bitmap.Memory()), static_cast<std::size_t>(bitmap.Size()));
  if (read.Bits != gif.Image().Bits || read.Colors != gif.Image().Colors) std::abort();
  return 0;
}
