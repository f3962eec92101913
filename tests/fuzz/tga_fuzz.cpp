// Feeds arbitrary bytes to the TGA reader; a picture it accepts must survive being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formatlib/core/tga_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fl::DibImage image;
  if (fl::ReadTga({data, size}, image) != fl::kOk) return 0;
  if (fl::CheckImage(image) != fl::kOk) std::abort();
  std::vector<uint8_t> written;
  fl::DibImage again;
  if (fl::WriteTga(image, fl::TgaWriteOptions{}, written) != fl::kOk || fl::ReadTga(written, again) != fl::kOk) {
    std::abort();
  }
  if (again.width != image.width || again.height != image.height) std::abort();
  return 0;
}
