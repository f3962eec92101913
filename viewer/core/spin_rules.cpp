#include "viewer/core/spin_rules.h"

#include <limits>

#include "classlib/core/conversions.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/numbers.h"

namespace viewer {

namespace {

constexpr int kWheelDelta = 120;

bool IsNumberChar(char c) {
  return c == '+' || c == '-' || (c >= '0' && c <= '9');
}

// The number the text holds, or the lower bound.
int32_t IntegerOr(const std::string& text, int32_t fallback) {
  try {
    return cl::StrToInt(text);
  } catch (const cl::EConvertError&) {
    return fallback;
  }
}

}  // namespace

SpinReading ReadSpinText(const std::string& text, const std::string& suffix, int32_t minValue) {
  if (!suffix.empty()) {
    std::string digits;
    for (char c : text)
      if (IsNumberChar(c)) digits += c;
    const int32_t value = digits.empty() ? minValue : IntegerOr(digits, minValue);
    return {value, cl::IntToStr(value) + suffix};
  }
  const std::string shown = text.empty() ? cl::IntToStr(minValue) : text;
  try {
    return {cl::StrToInt(shown), shown};
  } catch (const cl::EConvertError&) {
    return {minValue, cl::IntToStr(minValue)};
  }
}

std::string SpinText(int32_t value, int32_t minValue, int32_t maxValue, const std::string& suffix) {
  return cl::IntToStr(ClampSpinValue(value, minValue, maxValue)) + suffix;
}

int32_t SteppedSpinValue(int32_t value, int64_t step) {
  return static_cast<int32_t>(ClampSpinValue<int64_t>(int64_t{value} + step, std::numeric_limits<int32_t>::min(),
                                                      std::numeric_limits<int32_t>::max()));
}

bool IsValidSpinChar(char key, bool editorEnabled, char decimalSeparator) {
  const auto code = static_cast<unsigned char>(key);
  if (!editorEnabled) return code < 32 && key != '\b';
  return code < 32 || IsNumberChar(key) || (decimalSeparator != 0 && key == decimalSeparator);
}

int WheelStep(int wheelDelta) {
  const int notches = wheelDelta / kWheelDelta;
  return notches > 0 ? 1 : notches < 0 ? -1 : 0;
}

long double ReadGlyphSpinText(const std::string& text, TValueType type, long double minValue) {
  try {
    return type == vtFloat ? cl::StrToFloat(text) : static_cast<long double>(cl::StrToInt(text));
  } catch (const cl::EConvertError&) {
    return type == vtFloat ? minValue : static_cast<long double>(cl::Trunc(minValue));
  }
}

std::string GlyphSpinText(long double value, TValueType type, int decimal, long double minValue, long double maxValue) {
  const long double clamped = ClampSpinValue(value, minValue, maxValue);
  if (type == vtFloat) return cl::FloatToStrF(clamped, cl::ffFixed, 15, decimal);
  return cl::IntToStr(cl::Round(clamped));
}

}  // namespace viewer
