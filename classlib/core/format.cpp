#include "classlib/core/format.h"

#include <cstdio>

#include "classlib/core/conversions.h"
#include "classlib/core/exceptions.h"

namespace cl {

namespace {

struct Spec {
  bool leftAlign = false;
  int width = 0;
  int precision = -1;
  char type = 0;
};

[[noreturn]] void Invalid(std::string_view format) {
  throw EConvertError("Format '%s' invalid or incompatible with argument", {format});
}

int ReadNumber(std::string_view format, size_t& i) {
  int value = 0;
  while (i < format.size() && format[i] >= '0' && format[i] <= '9' && value < 100000) {
    value = value * 10 + (format[i++] - '0');
  }
  return value;
}

std::string Digits(uint64_t magnitude, int base, int minDigits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, base == 16 ? "%0*llX" : "%0*llu", minDigits,
                static_cast<unsigned long long>(magnitude));
  return buffer;
}

std::string Integer(const FormatArg& arg, const Spec& spec, std::string_view format) {
  const int minDigits = spec.precision < 0 ? 0 : spec.precision;
  if (spec.type == 'd') {
    if (arg.GetKind() == FormatArg::Kind::Unsigned) return Digits(arg.Unsigned(), 10, minDigits);
    if (arg.GetKind() != FormatArg::Kind::Signed) Invalid(format);
    const int64_t v = arg.Signed();
    const uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    return (v < 0 ? "-" : "") + Digits(magnitude, 10, minDigits);
  }
  uint64_t bits = 0;
  if (arg.GetKind() == FormatArg::Kind::Unsigned) {
    bits = arg.Unsigned();
  } else if (arg.GetKind() == FormatArg::Kind::Signed) {
    // u and x show a negative Integer as its 32-bit pattern, a wider value as 64 bits.
    const int64_t v = arg.Signed();
    bits = v >= INT32_MIN && v < 0 ? static_cast<uint32_t>(v) : static_cast<uint64_t>(v);
  } else {
    Invalid(format);
  }
  return Digits(bits, spec.type == 'u' ? 10 : 16, minDigits);
}

std::string Float(const FormatArg& arg, const Spec& spec, std::string_view format) {
  long double v = 0;
  if (arg.GetKind() == FormatArg::Kind::Float) {
    v = arg.Float();
  } else {
    Invalid(format);
  }
  switch (spec.type) {
    case 'f':
      return FloatToStrF(v, ffFixed, 15, spec.precision < 0 ? 2 : spec.precision);
    case 'n':
      return FloatToStrF(v, ffNumber, 15, spec.precision < 0 ? 2 : spec.precision);
    case 'e':
      return FloatToStrF(v, ffExponent, spec.precision < 0 ? 15 : spec.precision, 3);
    default:
      return FloatToStrF(v, ffGeneral, spec.precision < 0 ? 15 : spec.precision, 3);
  }
}

std::string Convert(const FormatArg& arg, const Spec& spec, std::string_view format) {
  switch (spec.type) {
    case 'd':
    case 'u':
    case 'x':
    case 'X':
      return Integer(arg, spec, format);
    case 'f':
    case 'g':
    case 'e':
    case 'n':
      return Float(arg, spec, format);
    case 's':
      if (arg.GetKind() != FormatArg::Kind::String) Invalid(format);
      return spec.precision < 0 ? arg.String() : arg.String().substr(0, spec.precision);
    case 'p':
      if (arg.GetKind() != FormatArg::Kind::Pointer) Invalid(format);
      return Digits(reinterpret_cast<uintptr_t>(arg.Pointer()), 16, 2 * sizeof(void*));
    default:
      Invalid(format);
  }
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string result;
  auto next = args.begin();
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i++];
    if (c != '%') {
      result += c;
      continue;
    }
    if (i < format.size() && format[i] == '%') {
      result += format[i++];
      continue;
    }
    Spec spec;
    if (i < format.size() && format[i] == '-') {
      spec.leftAlign = true;
      ++i;
    }
    spec.width = ReadNumber(format, i);
    if (i < format.size() && format[i] == '.') {
      ++i;
      spec.precision = ReadNumber(format, i);
    }
    if (i == format.size() || next == args.end()) Invalid(format);
    // Hexadecimal digits are upper case for both 'x' and 'X'.
    spec.type = format[i] == 'X' ? 'x' : static_cast<char>(format[i] | 0x20);
    ++i;
    std::string text = Convert(*next++, spec, format);
    if (static_cast<int>(text.size()) < spec.width) {
      const std::string padding(spec.width - text.size(), ' ');
      text = spec.leftAlign ? text + padding : padding + text;
    }
    result += text;
  }
  return result;
}

}  // namespace cl
