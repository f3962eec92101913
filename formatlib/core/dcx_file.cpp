// DCX multi-page files: the page table, reading a page, and adding one.
#include "formatlib/core/dcx_file.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "classlib/core/byte_reader.h"
#include "formatlib/core/pcx_codec.h"

namespace fl {
namespace {

constexpr size_t kTableEntries = kMaxDcxPages + 1;  // the last one stays 0 and ends the table
constexpr size_t kFixedHeaderSize = 4 + 4 * kTableEntries;

// The page offsets listed in the table, in table order.
ErrorCode ReadTable(std::span<const uint8_t> file, std::vector<uint32_t>& offsets) {
  cl::ByteReader reader(file);
  if (reader.U32() != kDcxSignature) return kNotDcxFile;
  offsets.clear();
  while (offsets.size() < static_cast<size_t>(kMaxDcxPages)) {
    uint32_t offset = 0;
    if (!reader.ReadU32(offset)) return kTruncatedFile;
    if (offset == 0) break;
    offsets.push_back(offset);
  }
  return kOk;
}

// The bytes of page `index`: from its offset to the next higher page offset or the end of the file, so that a
// page's trailing palette is found at its own end.
ErrorCode PageBytes(std::span<const uint8_t> file, const std::vector<uint32_t>& offsets, size_t index,
                    std::span<const uint8_t>& page) {
  size_t tableEnd = 4 + 4 * (offsets.size() + 1);
  uint32_t start = offsets[index];
  if (start < std::min(tableEnd, file.size()) || start >= file.size()) return kBadPageOffset;
  size_t end = file.size();
  for (uint32_t offset : offsets) {
    if (offset > start && offset < end) end = offset;
  }
  page = file.subspan(start, end - start);
  return kOk;
}

}  // namespace

ErrorCode CountDcxPages(std::span<const uint8_t> file, int& pageCount) {
  pageCount = 0;
  std::vector<uint32_t> offsets;
  if (ErrorCode error = ReadTable(file, offsets); error != kOk) return error;
  pageCount = static_cast<int>(offsets.size());
  return kOk;
}

ErrorCode ReadDcxPage(std::span<const uint8_t> file, int pageIndex, DibImage& image) {
  image = DibImage{};
  std::vector<uint32_t> offsets;
  if (ErrorCode error = ReadTable(file, offsets); error != kOk) return error;
  if (pageIndex < 0 || static_cast<size_t>(pageIndex) >= offsets.size()) return kBadPageIndex;
  std::span<const uint8_t> page;
  if (ErrorCode error = PageBytes(file, offsets, static_cast<size_t>(pageIndex), page); error != kOk) return error;
  return ReadPcx(page, image);
}

std::vector<uint8_t> MakeEmptyDcx() {
  std::vector<uint8_t> file;
  cl::le::AppendU32(file, kDcxSignature);
  file.resize(kFixedHeaderSize, 0);
  return file;
}

ErrorCode AppendDcxPage(std::vector<uint8_t>& file, const DibImage& page) {
  std::vector<uint32_t> offsets;
  if (ErrorCode error = ReadTable(file, offsets); error != kOk) return error;
  if (offsets.size() >= static_cast<size_t>(kMaxDcxPages)) return kDcxFull;
  try {
    std::vector<uint8_t> newPage;
    if (ErrorCode error = WritePcx(page, newPage); error != kOk) return error;
    // The file is laid out anew with the fixed table, so that files with a short table take pages too.
    std::vector<uint8_t> result = MakeEmptyDcx();
    for (size_t i = 0; i <= offsets.size(); ++i) {
      std::span<const uint8_t> bytes = newPage;
      if (i < offsets.size()) {
        if (ErrorCode error = PageBytes(file, offsets, i, bytes); error != kOk) return error;
      }
      if (result.size() + bytes.size() > UINT32_MAX) return kImageTooLarge;
      cl::le::WriteU32(result.data() + 4 + 4 * i, static_cast<uint32_t>(result.size()));
      result.insert(result.end(), bytes.begin(), bytes.end());
    }
    file = std::move(result);
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
  return kOk;
}

}  // namespace fl
