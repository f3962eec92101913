// Integer results of real arithmetic, with the rounding rules the components rely on.
#pragma once

#include <cstdint>

namespace cl {

// Rounds halves to even: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2. A value outside Int64 raises EConvertError.
int64_t Round(long double value);
// Drops the fraction. A value outside Int64 raises EConvertError.
int64_t Trunc(long double value);
// a * b / c with a 64-bit product, halves rounded away from zero; -1 when c is 0 or the result lies outside
// +-2147483647, as the Win32 function does.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace cl
