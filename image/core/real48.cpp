#include "image/core/real48.h"

#include <cmath>
#include <limits>

namespace img {

namespace {

constexpr int kExponentBias = 129;
constexpr int kMantissaBits = 40;  // the hidden leading 1 and the 39-bit fraction
constexpr int kExtendedBits = 64;  // the mantissa of the 80-bit extended real

int BitLength(uint64_t value) {
  int length = 0;
  while (value != 0) {
    ++length;
    value >>= 1;
  }
  return length;
}

// The full 128-bit product of two 64-bit numbers.
void Multiply64(uint64_t x, uint64_t y, uint64_t& high, uint64_t& low) {
  const uint64_t x0 = x & 0xFFFFFFFFu, x1 = x >> 32, y0 = y & 0xFFFFFFFFu, y1 = y >> 32;
  const uint64_t p00 = x0 * y0, p01 = x0 * y1, p10 = x1 * y0, p11 = x1 * y1;
  const uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  low = (middle << 32) | (p00 & 0xFFFFFFFFu);
  high = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
}

// A binary value m * 2^exponent with m normalised to the extended mantissa (top bit 63), rounded to nearest with
// ties to even as the FPU does.
struct Extended {
  uint64_t mantissa = 0;
  int exponent = 0;
};

Extended RoundToExtended(uint64_t mantissa, bool guard, bool sticky, int exponent) {
  if (guard && (sticky || (mantissa & 1) != 0)) {
    ++mantissa;
    if (mantissa == 0) {  // carried out of the top bit
      mantissa = uint64_t{1} << 63;
      ++exponent;
    }
  }
  return {mantissa, exponent};
}

// a / b for b > 0, rounded to the extended mantissa: long division, one quotient bit at a time, until the
// mantissa and its guard bit are known.
Extended DivideToExtended(uint64_t a, uint64_t b) {
  uint64_t mantissa = 0;
  int count = 0;
  bool guard = false, sticky = false;
  auto push = [&](bool bit) {
    if (count < kExtendedBits) {
      mantissa = (mantissa << 1) | (bit ? 1 : 0);
    } else if (count == kExtendedBits) {
      guard = bit;
    } else {
      sticky = sticky || bit;
    }
    ++count;
  };
  const uint64_t integerPart = a / b;
  uint64_t remainder = a % b;
  int topExponent = -1;  // the power of two of the quotient's leading bit
  if (integerPart != 0) {
    topExponent = BitLength(integerPart) - 1;
    for (int bit = topExponent; bit >= 0; --bit) push(((integerPart >> bit) & 1) != 0);
  }
  while (count <= kExtendedBits) {
    remainder <<= 1;
    const bool bit = remainder >= b;
    if (bit) remainder -= b;
    if (count == 0 && !bit) {
      --topExponent;
      continue;
    }
    push(bit);
  }
  sticky = sticky || remainder != 0;
  return RoundToExtended(mantissa, guard, sticky, topExponent);
}

// The magnitude of a value; the most negative value is out of the range this class serves and is cut to the
// largest positive.
uint64_t Magnitude(int64_t v) {
  return v == std::numeric_limits<int64_t>::min() ? uint64_t(std::numeric_limits<int64_t>::max())
                                                  : uint64_t(v < 0 ? -v : v);
}

// x * y rounded to the extended mantissa; the result stands for mantissa * 2^exponent.
Extended MultiplyToExtended(uint64_t x, uint64_t y) {
  uint64_t high = 0, low = 0;
  Multiply64(x, y, high, low);
  const int length = high != 0 ? 64 + BitLength(high) : BitLength(low);
  const int shift = length > kExtendedBits ? length - kExtendedBits : 0;
  uint64_t mantissa = low;
  bool guard = false, sticky = false;
  if (shift > 0) {
    mantissa = (low >> shift) | (high << (64 - shift));
    guard = ((low >> (shift - 1)) & 1) != 0;
    sticky = shift > 1 && (low & ((uint64_t{1} << (shift - 1)) - 1)) != 0;
  }
  Extended product = RoundToExtended(mantissa, guard, sticky, 0);
  product.exponent += shift;
  return product;
}

// Trunc of mantissa * 2^exponent with the sign applied; values beyond int64 are cut to its largest.
int64_t TruncateSigned(const Extended& value, bool negative) {
  uint64_t truncated = 0;
  if (value.exponent >= 0) {
    const int room = 63 - BitLength(value.mantissa);
    truncated =
        value.exponent > room ? uint64_t(std::numeric_limits<int64_t>::max()) : value.mantissa << value.exponent;
  } else if (value.exponent > -64) {
    truncated = value.mantissa >> -value.exponent;
  }
  const int64_t result = int64_t(truncated);
  return negative ? -result : result;
}

}  // namespace

Real48 Real48::One() {
  return FromRatio(1, 1);
}

Real48 Real48::FromRatio(int64_t numerator, int64_t denominator) {
  if (numerator == 0 || denominator == 0) return Real48();
  const bool negative = (numerator < 0) != (denominator < 0);
  const Extended quotient = DivideToExtended(Magnitude(numerator), Magnitude(denominator));

  // Storing keeps 40 bits and rounds halves away from zero.
  uint64_t stored = quotient.mantissa >> (kExtendedBits - kMantissaBits);
  int exponent = quotient.exponent;
  if (((quotient.mantissa >> (kExtendedBits - kMantissaBits - 1)) & 1) != 0) {
    ++stored;
    if (stored == uint64_t{1} << kMantissaBits) {
      stored >>= 1;
      ++exponent;
    }
  }
  const int biased = exponent + kExponentBias;
  Real48 result;
  if (biased <= 0) return result;  // too small for the format: zero
  result.FNegative = negative;
  if (biased > 255) {  // too large: the largest value
    result.FExponent = 255;
    result.FMantissa = (uint64_t{1} << kMantissaBits) - 1;
  } else {
    result.FExponent = uint8_t(biased);
    result.FMantissa = stored;
  }
  return result;
}

double Real48::ToDouble() const {
  if (IsZero()) return 0.0;
  const double magnitude = std::ldexp(double(FMantissa), FExponent - kExponentBias - (kMantissaBits - 1));
  return FNegative ? -magnitude : magnitude;
}

int Real48::Compare(const Real48& other) const {
  auto signOf = [](const Real48& r) { return r.IsZero() ? 0 : (r.FNegative ? -1 : 1); };
  const int sign = signOf(*this), otherSign = signOf(other);
  if (sign != otherSign) return sign < otherSign ? -1 : 1;
  if (sign == 0) return 0;
  int magnitudeOrder = 0;
  if (FExponent != other.FExponent) {
    magnitudeOrder = FExponent < other.FExponent ? -1 : 1;
  } else if (FMantissa != other.FMantissa) {
    magnitudeOrder = FMantissa < other.FMantissa ? -1 : 1;
  }
  return sign * magnitudeOrder;
}

int64_t Real48::MultiplyTruncated(int64_t value) const {
  if (IsZero() || value == 0) return 0;
  Extended product = MultiplyToExtended(Magnitude(value), FMantissa);
  product.exponent += FExponent - kExponentBias - (kMantissaBits - 1);
  return TruncateSigned(product, (value < 0) != FNegative);
}

int64_t Real48::DivideTruncated(int64_t value) const {
  if (IsZero() || value == 0) return 0;
  // value / (mantissa * 2^e): the quotient's leading bit sits at 2^exponent, so its mantissa (bit 63) stands for
  // 2^(exponent - 63) before the stored power is taken off.
  Extended quotient = DivideToExtended(Magnitude(value), FMantissa);
  quotient.exponent -= kExtendedBits - 1 + FExponent - kExponentBias - (kMantissaBits - 1);
  return TruncateSigned(quotient, (value < 0) != FNegative);
}

int64_t RatioTimesTruncated(int64_t numerator, int64_t denominator, int64_t factor) {
  if (numerator == 0 || denominator == 0 || factor == 0) return 0;
  const Extended quotient = DivideToExtended(Magnitude(numerator), Magnitude(denominator));
  // The quotient's mantissa (bit 63) stands for 2^exponent, so the product's unit is 2^(exponent - 63).
  Extended product = MultiplyToExtended(quotient.mantissa, Magnitude(factor));
  product.exponent += quotient.exponent - (kExtendedBits - 1);
  return TruncateSigned(product, ((numerator < 0) != (denominator < 0)) != (factor < 0));
}

}  // namespace img
