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

bool ByteReader::ReadU8(uint8_t& value) {
  const uint8_t* p = Take(1);
  if (p) value = *p;
  return p != nullptr;
}

bool ByteReader::ReadU16(uint16_t& value) {
  const uint8_t* p = Take(2);
  if (p) value = le::ReadU16(p);
  return p != nullptr;
}

bool ByteReader::ReadU32(uint32_t& value) {
  const uint8_t* p = Take(4);
  if (p) value = le::ReadU32(p);
  return p != nullptr;
}

bool ByteReader::ReadI16(int16_t& value) {
  const uint8_t* p = Take(2);
  if (p) value = le::ReadI16(p);
  return p != nullptr;
}

bool ByteReader::ReadI32(int32_t& value) {
  const uint8_t* p = Take(4);
  if (p) value = le::ReadI32(p);
  return p != nullptr;
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

bool ByteReader::Skip(size_t count) {
  return Take(count) != nullptr;
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

uint8_t ByteReader::U8() {
  uint8_t v = 0;
  ReadU8(v);
  return v;
}

uint16_t ByteReader::U16() {
  uint16_t v = 0;
  ReadU16(v);
  return v;
}

uint32_t ByteReader::U32() {
  uint32_t v = 0;
  ReadU32(v);
  return v;
}

int16_t ByteReader::I16() {
  int16_t v = 0;
  ReadI16(v);
  return v;
}

int32_t ByteReader::I32() {
  int32_t v = 0;
  ReadI32(v);
  return v;
}

std::span<const uint8_t> ByteReader::Bytes(size_t count) {
  std::span<const uint8_t> view;
  ReadSpan(count, view);
  return view;
}

}  // namespace cl
