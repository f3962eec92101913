// Conversions between numbers and text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cl {

// Set from the user's locale when the application starts; '.' and ',' until then.
inline char DecimalSeparator = '.';
inline char ThousandSeparator = ',';

std::string IntToStr(int64_t value);
// Upper-case hexadecimal, at least `digits` digits; a negative Integer shows as its 32-bit pattern.
std::string IntToHex(int64_t value, int digits);

// Leading blanks, an optional sign, then decimal digits or hexadecimal after "$" or "0x", and nothing else; anything
// else, or a value outside Integer, raises EConvertError "'%s' is not a valid integer value". Hexadecimal covers
// the full 32 bits ("$FFFFFFFF" is -1), as colour values need.
int32_t StrToInt(std::string_view s);
int32_t StrToIntDef(std::string_view s, int32_t defaultValue);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// 15 significant digits without trailing zeros; "d.ddddE+dd" when the decimal exponent is below -5 or at least 15.
std::string FloatToStr(long double value);
// ffGeneral: as FloatToStr with `precision` digits and at least `digits` exponent digits; ffExponent:
// "d.ddd...E+dd" with `precision` significant digits; ffFixed: `digits` decimals; ffNumber: ffFixed with
// thousand separators. ffFixed and ffNumber switch to ffExponent when the value has more than `precision` integer
// digits.
std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits);
// Optional blanks, sign, digits with DecimalSeparator, optional exponent; else EConvertError
// "'%s' is not a valid floating point value".
long double StrToFloat(std::string_view s);

}  // namespace cl
