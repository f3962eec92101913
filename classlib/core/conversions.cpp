#include "classlib/core/conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "classlib/core/exceptions.h"

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

// The decimal digits of |value| rounded to `precision` significant digits: value = d.ddd * 10^exponent.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
};

DecimalDigits Decompose(double magnitude, int precision) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, magnitude);
  DecimalDigits d;
  const char* p = buffer;
  for (; *p && *p != 'e'; ++p) {
    if (IsDigit(*p)) d.digits += *p;
  }
  if (*p == 'e') d.exponent = std::atoi(p + 1);
  return d;
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

std::string General(double magnitude, int precision, int exponentDigits) {
  if (magnitude == 0) return "0";
  DecimalDigits d = Decompose(magnitude, precision);
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  if (d.exponent < -5 || d.exponent >= precision) return Scientific(d, exponentDigits);
  if (d.exponent < 0) return std::string("0") + DecimalSeparator + std::string(-d.exponent - 1, '0') + d.digits;
  const size_t integerDigits = static_cast<size_t>(d.exponent) + 1;
  if (d.digits.size() <= integerDigits) return d.digits + std::string(integerDigits - d.digits.size(), '0');
  return d.digits.substr(0, integerDigits) + DecimalSeparator + d.digits.substr(integerDigits);
}

std::string Fixed(double magnitude, int precision, int decimals, bool thousands) {
  if (magnitude >= std::pow(10.0, precision)) return Scientific(Decompose(magnitude, precision), 2);
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, magnitude);
  std::string text = buffer;
  const size_t point = std::min(text.find('.'), text.size());
  if (point < text.size()) text[point] = DecimalSeparator;
  if (thousands) {
    for (size_t at = point; at > 3; at -= 3) text.insert(at - 3, 1, ThousandSeparator);
  }
  return text;
}

}  // namespace

std::string IntToStr(int64_t value) {
  return std::to_string(value);
}

std::string IntToHex(int64_t value, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*llX", std::clamp(digits, 0, 16), static_cast<unsigned long long>(value));
  return buffer;
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
      text = Scientific(Decompose(std::fabs(v), precision), digits);
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
  return std::strtold(normalized.c_str(), nullptr);
}

}  // namespace cl
