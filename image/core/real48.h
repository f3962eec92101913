// The 6-byte real of the display arithmetic: sign, 8-bit exponent biased by 129 and a 39-bit fraction below a
// hidden leading 1 (a 40-bit mantissa). Storing a value rounds it to nearest, halves away from zero; products are
// formed from stored values at 80-bit extended precision (64-bit mantissa, ties to even) and then truncated. Done
// in integers so that the results do not depend on the x87 control word, and without 128-bit types so that 32-bit
// builds compile it too.
#pragma once

#include <cstdint>

namespace img {

class Real48 {
 public:
  constexpr Real48() = default;
  static Real48 One();
  // numerator / denominator as the extended division gives it, stored in 6 bytes. A zero denominator gives 0.
  static Real48 FromRatio(int64_t numerator, int64_t denominator);

  bool IsZero() const { return FExponent == 0; }
  bool IsNegative() const { return FNegative; }
  // The biased exponent (0 for zero) and the 40-bit mantissa with its leading 1, as stored.
  int Exponent() const { return FExponent; }
  uint64_t Mantissa() const { return FMantissa; }
  double ToDouble() const;

  // Compares the stored values.
  int Compare(const Real48& other) const;
  bool operator<(const Real48& other) const { return Compare(other) < 0; }
  bool operator>(const Real48& other) const { return Compare(other) > 0; }
  bool operator==(const Real48& other) const { return Compare(other) == 0; }

  // Trunc(value * this), the product rounded to the 64-bit extended mantissa first.
  int64_t MultiplyTruncated(int64_t value) const;
  // Trunc(value / this), the quotient rounded to the 64-bit extended mantissa first; 0 when this is zero.
  int64_t DivideTruncated(int64_t value) const;

 private:
  bool FNegative = false;
  uint8_t FExponent = 0;
  uint64_t FMantissa = 0;
};

// Trunc((numerator / denominator) x factor) as extended arithmetic forms it from a ratio that is not stored: the
// quotient rounded to the 64-bit mantissa, the product rounded again, then truncated. Where the ratio lies just
// below the exact one the result is one less than the exact product: 102 x (700 / 300) gives 237, not 238.
// 0 when the denominator is 0.
int64_t RatioTimesTruncated(int64_t numerator, int64_t denominator, int64_t factor);

}  // namespace img
