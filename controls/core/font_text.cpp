#include "controls/core/font_text.h"

#include "classlib/core/colors.h"
#include "classlib/core/conversions.h"
#include "classlib/core/exceptions.h"
#include "controls/core/text_routines.h"

namespace ctl {
namespace {

constexpr size_t kFontTextFields = 7;
constexpr int kSizeWhenNoNumber = 10;

const char* Flag(bool on) {
  return on ? "1" : "0";
}

bool IsNonZeroNumber(const std::string& field) {
  return cl::StrToIntDef(field, 0) != 0;
}

}  // namespace

std::string FontTextToString(const TFontText& font) {
  return font.Name + ',' + cl::IntToStr(font.Size) + ',' + cl::ColorToString(font.Color) + ',' + Flag(font.Bold) + ',' +
         Flag(font.Italic) + ',' + Flag(font.Underline) + ',' + Flag(font.StrikeOut);
}

std::optional<cl::TColor> ReadColorText(const std::string& text) {
  try {
    return cl::StringToColor(text);
  } catch (const cl::EConvertError&) {
    return std::nullopt;
  }
}

bool ReadFontText(std::string_view text, TFontText& font) {
  const std::vector<std::string> fields = SplitString(text, ',');
  if (fields.size() != kFontTextFields) return false;
  font.Name = fields[0];
  font.Size = cl::StrToIntDef(fields[1], kSizeWhenNoNumber);
  font.Color = ReadColorText(fields[2]).value_or(font.Color);
  font.Bold = IsNonZeroNumber(fields[3]);
  font.Italic = IsNonZeroNumber(fields[4]);
  font.Underline = IsNonZeroNumber(fields[5]);
  font.StrikeOut = IsNonZeroNumber(fields[6]);
  return true;
}

}  // namespace ctl
