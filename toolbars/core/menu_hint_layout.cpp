#include "toolbars/core/menu_hint_layout.h"

#include <algorithm>

namespace tbr::menus {

std::vector<std::string> SplitHintLines(std::string_view hint) {
  static constexpr std::string_view kEscapedReturn = "&#13;";
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < hint.size(); ++i) {
    if (hint.substr(i, kEscapedReturn.size()) == kEscapedReturn) {
      lines.emplace_back();
      i += kEscapedReturn.size() - 1;
    } else if (hint[i] == '\r') {
      lines.emplace_back();
    } else {
      lines.back() += hint[i];
    }
  }
  return lines;
}

cl::TPoint HintWindowSize(const std::vector<cl::TPoint>& lineSizes) {
  cl::TPoint size = cl::Point(0, 5);
  for (const cl::TPoint& line : lineSizes) {
    size.X = std::max(size.X, line.X);
    size.Y += line.Y + 1;
  }
  size.X += 6;
  return size;
}

cl::TPoint HintWindowPosition(cl::TPoint cursor, cl::TPoint size, const cl::TRect& workArea) {
  cl::TPoint pos = cl::Point(cursor.X, cursor.Y + 25);
  if (pos.X + size.X > workArea.Right) pos.X -= size.X + 10;
  if (pos.Y + size.Y > workArea.Bottom) pos.Y -= size.Y + 35;
  if (pos.X <= workArea.Left) pos.X = workArea.Left + 1;
  if (pos.Y <= workArea.Top) pos.Y = workArea.Top + 1;
  return pos;
}

}  // namespace tbr::menus
