#include "classlib/core/byte_reader.h"

#include <cstring>

namespace cl {

const uint8_t* ByteReader::Take(size_t count) {
  if (count > Remaining()) {
    FFailed = true;
    return nullptr;
  }
  const uint8_t* p = FData.data() + FPosition;
  FPosition += count;
  return p;
}

bool ByteReader::ReadBytes(void* destination, size_t count) {
  const uint8_t* p = Take(count);
  if (p && count) std::memcpy(destination, p, count);
  return p != nullptr;
}

bool ByteReader::ReadSpan(size_t count, std::span<const uint8_t>& view) {
  const uint8_t* p = Take(count);
  if (p) view = std::span<const uint8_t>(p, count);
  return p != nullptr;
}

bool ByteReader::Seek(size_t position) {
  if (position > FData.size()) {
    FFailed = true;
    return false;
  }
  FPosition = position;
  return true;
}

bool ByteReader::PeekU8(uint8_t& value) const {
  if (AtEnd()) return false;
  value = FData[FPosition];
  return true;
}

std::span<const uint8_t> ByteReader::Bytes(size_t count) {
  std::span<const uint8_t> view;
  ReadSpan(count, view);
  return view;
}

}  // namespace cl
