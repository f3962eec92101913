// Feeds arbitrary bytes to the DCX page table and page reader, and adds a page to whatever it accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formatlib/core/dcx_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> file(data, size);
  int count = 0;
  if (fl::CountDcxPages(file, count) != fl::kOk) return 0;
  if (count < 0 || count > fl::kMaxDcxPages) std::abort();
  // A few pages are enough to reach every path; all pages would make huge tables slow.
  for (int page = -1; page <= count && page < 4; ++page) {
    fl::DibImage image;
    fl::ReadDcxPage(file, page, image);
  }
  fl::DibImage small;
  if (fl::CreateDibImage(3, 2, 8, small) != fl::kOk) std::abort();
  std::vector<uint8_t> copy(data, data + size);
  if (fl::AppendDcxPage(copy, small) == fl::kOk) {
    int newCount = 0;
    if (fl::CountDcxPages(copy, newCount) != fl::kOk || newCount != count + 1) std::abort();
  }
  return 0;
}
