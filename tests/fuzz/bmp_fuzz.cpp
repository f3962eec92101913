// Feeds arbitrary bytes to the BMP reader: it either gives an image whose bits match its size or raises
// EInvalidGraphic, and a read image (of a few megabytes at most, to keep the runs quick) survives a write and a
// second read unchanged.
#include <cstddef>
#include <cstdint>

#include "classlib/core/bmp_codec.h"
#include "classlib/core/exceptions.h"

namespace {

// RLE files of a few bytes may decode to the reader's whole budget; writing those back only measures copying.
constexpr size_t kRoundTripBytes = size_t{1} << 22;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cl::bmp::TDibImage image;
  try {
    image = cl::bmp::ReadBmp(data, size);
  } catch (const cl::EInvalidGraphic&) {
    return 0;
  }
  if (image.Bits.size() != image.Stride() * static_cast<size_t>(image.Height)) __builtin_trap();
  if (image.Bits.size() > kRoundTripBytes) return 0;
  std::vector<uint8_t> written = cl::bmp::WriteBmp(image);
  cl::bmp::TDibImage again = cl::bmp::ReadBmp(written.data(), written.size());
  if (again.Bits != image.Bits || again.Colors != image.Colors) __builtin_trap();
  return 0;
}
