#include "classlib/core/numbers.h"

#include <cmath>

#include "classlib/core/exceptions.h"

namespace cl {

namespace {

int64_t ToInt64(long double integral) {
  // 2^63 is exactly representable; anything at or past it (or NaN) does not fit.
  constexpr long double limit = 9223372036854775808.0L;
  if (!(integral >= -limit && integral < limit)) throw EConvertError("Invalid floating point operation");
  return static_cast<int64_t>(integral);
}

}  // namespace

int64_t Round(long double value) {
  return ToInt64(std::nearbyint(value));
}

int64_t Trunc(long double value) {
  return ToInt64(std::trunc(value));
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t multiplicand = a;
  int64_t divisor = c;
  if (divisor < 0) {
    multiplicand = -multiplicand;
    divisor = -divisor;
  }
  const int64_t product = multiplicand * b;
  const int64_t half = divisor / 2;
  const int64_t result = (product >= 0 ? product + half : product - half) / divisor;
  if (result > 2147483647 || result < -2147483647) return -1;
  return static_cast<int32_t>(result);
}

}  // namespace cl
