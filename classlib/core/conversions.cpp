#include "classlib/core/conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"

namespace cl {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses the StrToInt grammar; false on any deviation or overflow.
bool ParseInt(std::string_view s, int32_t& value) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return false;
  const uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 2147483648u : 2147483647u);
  uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    const int digit = base == 16 ? HexValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  // Hexadecimal is a bit pattern: the full 32 bits wrap into Integer.
  const uint32_t bits = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
  value = static_cast<int32_t>(bits);
  return true;
}

// The decimal digits of a magnitude: value = d.ddd * 10^exponent; "0" for zero.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
};

DecimalDigits Decompose(double magnitude, int significant) {
  if (magnitude == 0) return {"0", 0};
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, magnitude);
  DecimalDigits d;
  const char* p = buffer;
  for (; *p && *p != 'e'; ++p) {
    if (IsDigit(*p)) d.digits += *p;
  }
  if (*p == 'e') d.exponent = std::atoi(p + 1);
  return d;
}

// Keeps the first `keep` digits, rounding half up on the decimal digits (as a person rounds the printed value).
DecimalDigits RoundAt(DecimalDigits d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return d;
  if (keep < 0) return {"0", 0};
  const bool up = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (!up) return d.digits.empty() ? DecimalDigits{"0", 0} : d;
  int i = keep - 1;
  for (; i >= 0 && d.digits[i] == '9'; --i) d.digits[i] = '0';
  if (i >= 0) {
    ++d.digits[i];
  } else {
    d.digits.insert(0, 1, '1');
    ++d.exponent;
  }
  return d;
}

// The digits to `significant` places. The binary value is first rounded to at most 15 digits, so that 0.15 counts
// as 0.15 and not as 0.1499999999999999944.
DecimalDigits Significant(double magnitude, int significant) {
  return RoundAt(Decompose(magnitude, std::max(significant, 15)), significant);
}

std::string ExponentText(int exponent, int minDigits) {
  std::string digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  return std::string("E") + (exponent < 0 ? '-' : '+') + digits;
}

std::string Scientific(const DecimalDigits& d, int exponentDigits) {
  std::string text(1, d.digits[0]);
  if (d.digits.size() > 1) text += DecimalSeparator + d.digits.substr(1);
  return text + ExponentText(d.exponent, exponentDigits);
}

// Positional text with exactly `decimals` decimals (digits past the kept ones are zeros).
std::string Positional(const DecimalDigits& d, int decimals, bool thousands) {
  auto digitAt = [&d](int power) {  // the digit worth 10^power
    const int index = d.exponent - power;
    return index >= 0 && index < static_cast<int>(d.digits.size()) && d.digits != "0" ? d.digits[index] : '0';
  };
  std::string text;
  for (int power = std::max(d.exponent, 0); power >= 0; --power) {
    text += digitAt(power);
    if (thousands && power > 0 && power % 3 == 0) text += ThousandSeparator;
  }
  if (decimals > 0) text += DecimalSeparator;
  for (int power = -1; power >= -decimals; --power) text += digitAt(power);
  return text;
}

std::string General(double magnitude, int precision, int exponentDigits) {
  DecimalDigits d = Significant(magnitude, precision);
  d.digits.erase(std::max<size_t>(d.digits.find_last_not_of('0') + 1, 1));
  if (d.digits != "0" && (d.exponent < -5 || d.exponent >= precision)) return Scientific(d, exponentDigits);
  const int decimals = std::max(static_cast<int>(d.digits.size()) - 1 - d.exponent, 0);
  return Positional(d, d.digits == "0" ? 0 : decimals, false);
}

std::string Fixed(double magnitude, int precision, int decimals, bool thousands) {
  const DecimalDigits d = Significant(magnitude, precision);
  if (d.exponent >= precision) return Scientific(d, 2);
  return Positional(RoundAt(d, d.exponent + 1 + decimals), decimals, thousands);
}

}  // namespace

std::string IntToStr(int64_t value) {
  return std::to_string(value);
}

std::string IntToHex(int64_t value, int digits) {
  return Format("%." + std::to_string(std::clamp(digits, 0, 16)) + "x", {value});
}

int32_t StrToInt(std::string_view s) {
  int32_t value = 0;
  if (!ParseInt(s, value)) throw EConvertError("'%s' is not a valid integer value", {s});
  return value;
}

int32_t StrToIntDef(std::string_view s, int32_t defaultValue) {
  int32_t value = 0;
  return ParseInt(s, value) ? value : defaultValue;
}

std::string FloatToStr(long double value) {
  return FloatToStrF(value, ffGeneral, 15, 2);
}

std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits) {
  const double v = static_cast<double>(value);
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  precision = std::clamp(precision, 1, 17);
  digits = std::clamp(digits, 0, 18);
  std::string text;
  switch (format) {
    case ffGeneral:
      text = General(std::fabs(v), precision, digits);
      break;
    case ffExponent:
      text = Scientific(Significant(std::fabs(v), precision), digits);
      break;
    case ffFixed:
    case ffNumber:
      text = Fixed(std::fabs(v), precision, digits, format == ffNumber);
      break;
  }
  // No sign in front of a value that shows as zero.
  const bool showsZero = text.find_first_of("123456789") == std::string::npos;
  return v < 0 && !showsZero ? "-" + text : text;
}

long double StrToFloat(std::string_view s) {
  std::string normalized;
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) normalized += s[i++];
  size_t mantissaDigits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits) normalized += s[i];
  if (i < s.size() && s[i] == DecimalSeparator) {
    normalized += '.';
    for (++i; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits) normalized += s[i];
  }
  bool valid = mantissaDigits > 0;
  if (valid && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    normalized += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) normalized += s[i++];
    size_t exponentDigits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++exponentDigits) normalized += s[i];
    valid = exponentDigits > 0;
  }
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  if (!valid || i != s.size()) throw EConvertError("'%s' is not a valid floating point value", {s});
  const long double value = std::strtold(normalized.c_str(), nullptr);
  if (!std::isfinite(value)) throw EConvertError("'%s' is not a valid floating point value", {s});
  return value;
}

}  // namespace cl
