// The text form of a font: name, size in points, colour (a colour name or "$" number), then bold, italic,
// underline and strike-out as "1" or "0", joined by ",".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "classlib/core/types.h"

namespace ctl {

struct TFontText {
  std::string Name;
  int Size = 0;
  cl::TColor Color = 0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool operator==(const TFontText&) const = default;
};

std::string FontTextToString(const TFontText& font);
// A colour as the text form writes it (a colour name or a number); nothing for a text that is neither, so that a
// damaged value read from the registry counts as missing.
std::optional<cl::TColor> ReadColorText(const std::string& text);
// Reads a text of exactly seven fields into font and returns true; any other field count leaves font unchanged and
// returns false. A size that is no number gives 10; a colour that cannot be read keeps the font's colour (the text
// comes from the registry, and a damaged value must not stop a form from showing); a style is set when its field
// is a non-zero number.
bool ReadFontText(std::string_view text, TFontText& font);

}  // namespace ctl
