// The one bounded reader of untrusted bytes, and little-endian helpers for fixed-size fields.
//
// ByteReader reads little-endian values from a byte span. A read that would pass the end reads nothing, returns
// false (or 0 from the value-returning forms) and sets a sticky Failed() flag, so a decoder may either test every
// read or read a whole header and test Failed() once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

namespace cl {

namespace le {

inline uint16_t ReadU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
inline int16_t ReadI16(const uint8_t* p) {
  return static_cast<int16_t>(ReadU16(p));
}
inline int32_t ReadI32(const uint8_t* p) {
  return static_cast<int32_t>(ReadU32(p));
}

inline void WriteU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void AppendU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace le

class ByteReader {
 public:
  ByteReader() = default;
  explicit ByteReader(std::span<const uint8_t> data) : FData(data) {}
  ByteReader(const void* data, size_t size) : FData(static_cast<const uint8_t*>(data), size) {}

  size_t Position() const { return FPosition; }
  size_t Size() const { return FData.size(); }
  size_t Remaining() const { return FData.size() - FPosition; }
  bool AtEnd() const { return FPosition == FData.size(); }
  bool Failed() const { return FFailed; }

  bool ReadU8(uint8_t& value) { return ReadLittleEndian(value); }
  bool ReadU16(uint16_t& value) { return ReadLittleEndian(value); }
  bool ReadU32(uint32_t& value) { return ReadLittleEndian(value); }
  bool ReadI16(int16_t& value) { return ReadLittleEndian(value); }
  bool ReadI32(int32_t& value) { return ReadLittleEndian(value); }
  bool ReadBytes(void* destination, size_t count);
  // A view of the next `count` bytes, valid as long as the underlying data.
  bool ReadSpan(size_t count, std::span<const uint8_t>& view);
  bool Skip(size_t count) { return Take(count) != nullptr; }
  // Moves to an absolute position (at most Size()).
  bool Seek(size_t position);
  bool PeekU8(uint8_t& value) const;

  // Value forms: 0 (or an empty span) after a failed read.
  uint8_t U8() { return ValueOrZero<uint8_t>(); }
  uint16_t U16() { return ValueOrZero<uint16_t>(); }
  uint32_t U32() { return ValueOrZero<uint32_t>(); }
  int16_t I16() { return ValueOrZero<int16_t>(); }
  int32_t I32() { return ValueOrZero<int32_t>(); }
  std::span<const uint8_t> Bytes(size_t count);

 private:
  // The next `count` bytes, or null (and Failed) when fewer remain.
  const uint8_t* Take(size_t count);

  template <class T>
  bool ReadLittleEndian(T& value) {
    const uint8_t* p = Take(sizeof(T));
    if (!p) return false;
    uint64_t bits = 0;
    for (size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<uint64_t>(p[i]) << (8 * i);
    value = static_cast<T>(static_cast<std::make_unsigned_t<T>>(bits));
    return true;
  }
  template <class T>
  T ValueOrZero() {
    T value = 0;
    ReadLittleEndian(value);
    return value;
  }

  std::span<const uint8_t> FData;
  size_t FPosition = 0;
  bool FFailed = false;
};

}  // namespace cl
