// Feeds arbitrary bytes to the PCX reader; a picture it accepts must survive being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formatlib/core/pcx_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fl::DibImage image;
  if (fl::ReadPcx({data, size}, image) != fl::kOk) return 0;
  if (fl::CheckImage(image) != fl::kOk) std::abort();
  std::vector<uint8_t> written;
  fl::DibImage again;
  if (fl::WritePcx(image, written) != fl::kOk || fl::ReadPcx(written, again) != fl::kOk) std::abort();
  if (again.width != image.width || again.height != image.height) std::abort();
  return 0;
}
