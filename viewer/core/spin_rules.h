// The value rules of the viewer's two spin edits: the integer edit with a suffix (TCtlSpinEdit) and the integer
// or decimal edit (TGlyphSpinEdit). Values are clamped to a range unless its bounds are equal; bad text never
// raises, it reads as the lower bound.
#pragma once

#include <cstdint>
#include <string>

namespace viewer {

template <class T>
T ClampSpinValue(T value, T minValue, T maxValue) {
  if (minValue == maxValue) return value;
  if (value > maxValue) return maxValue;
  if (value < minValue) return minValue;
  return value;
}

struct SpinReading {
  int32_t Value = 0;
  std::string Text;  // the text as the edit shows it after the read
};

// Reads an integer edit's text. With a suffix only "+", "-" and digits count and the text becomes the number
// followed by the suffix; without one an empty text becomes the lower bound first. Text that is no number reads
// as the lower bound, which the text then shows. The value is not clamped.
SpinReading ReadSpinText(const std::string& text, const std::string& suffix, int32_t minValue);
// The text for a value: clamped, in decimal, followed by the suffix.
std::string SpinText(int32_t value, int32_t minValue, int32_t maxValue, const std::string& suffix);

// The value moved by the step, held at the integer limits rather than wrapping past them.
int32_t SteppedSpinValue(int32_t value, int64_t step);

// Characters a spin edit takes: "+", "-", digits, the decimal separator when one is given (not 0), and control
// characters; with the editor disabled no typed character and no backspace.
bool IsValidSpinChar(char key, bool editorEnabled, char decimalSeparator);

// The steps of a wheel turn: +1 up, -1 down, 0 for a turn of less than a notch (which moves nothing).
int WheelStep(int wheelDelta);

enum TValueType { vtInteger, vtFloat };

// Reads a glyph spin edit's text without changing it: a decimal or an integer, else the lower bound (truncated for
// integers).
long double ReadGlyphSpinText(const std::string& text, TValueType type, long double minValue);
// The text for a value: clamped, then fixed with `decimal` digits, or rounded (halves to even) to an integer.
std::string GlyphSpinText(long double value, TValueType type, int decimal, long double minValue, long double maxValue);

}  // namespace viewer
