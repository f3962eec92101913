// cl::Set<E>: a set of the values of an unscoped enumeration (values 0..63), written {fsBold, fsItalic}.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace cl {

template <class E>
class Set {
 public:
  constexpr Set() = default;
  constexpr Set(std::initializer_list<E> values) {
    for (E v : values) Include(v);
  }
  static constexpr Set FromMask(uint64_t mask) {
    Set s;
    s.FBits = mask;
    return s;
  }

  constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
  constexpr Set& Include(E v) {
    FBits |= Bit(v);
    return *this;
  }
  constexpr Set& Exclude(E v) {
    FBits &= ~Bit(v);
    return *this;
  }
  constexpr bool Empty() const { return FBits == 0; }
  // The bit mask (bit n = value n), as type information reads and writes a set.
  constexpr uint64_t Mask() const { return FBits; }

  constexpr Set operator+(Set o) const { return FromMask(FBits | o.FBits); }
  constexpr Set operator-(Set o) const { return FromMask(FBits & ~o.FBits); }
  constexpr Set operator*(Set o) const { return FromMask(FBits & o.FBits); }
  constexpr Set& operator+=(Set o) { return *this = *this + o; }
  constexpr Set& operator-=(Set o) { return *this = *this - o; }
  constexpr bool operator==(const Set&) const = default;

 private:
  static constexpr uint64_t Bit(E v) { return uint64_t{1} << static_cast<unsigned>(v); }
  uint64_t FBits = 0;
};

}  // namespace cl
