#include "viewer/core/spin_geometry.h"

#include "classlib/core/numbers.h"

namespace viewer {

bool InLowerHalf(int x, int y, int width, int height) {
  // x > h - (w / h) * y, multiplied out by h.
  if (height <= 0) return false;
  return int64_t{x} * height > int64_t{height} * height - int64_t{width} * y;
}

std::vector<ArrowLine> ArrowLines(int x, int y, bool down, int size) {
  std::vector<ArrowLine> lines;
  if (size < 2 || size > 15) return lines;
  if (!down) {
    for (int k = 0; k < size; ++k)
      lines.push_back({cl::Point(x + size / 2 - k, y + k), cl::Point(x + size / 2 + k + 1, y + k)});
    return lines;
  }
  for (int k = 0; k < size - 1; ++k) lines.push_back({cl::Point(x + k, y + k), cl::Point(x + 2 * size - k - 1, y + k)});
  lines.push_back({cl::Point(x + size - 1, y + size - 1), cl::Point(x + size, y + size - 1)});
  return lines;
}

namespace {
int RoundAt(int side, long double fraction, long double less) {
  return static_cast<int>(cl::Round(side * fraction - less));
}
}  // namespace

cl::TPoint UpArrowOrigin(int width, int height, bool pressed) {
  const int shift = pressed ? 2 : 1;
  return cl::Point(RoundAt(width, 0.25L, 2) + shift, RoundAt(height, 0.25L, 2) + shift);
}

cl::TPoint DownArrowOrigin(int width, int height, bool pressed) {
  const int shift = pressed ? 2 : 1;
  return cl::Point(RoundAt(width, 0.75L, 2) - shift, RoundAt(height, 0.75L, 2) - shift);
}

cl::TPoint UpGlyphOrigin(int width, int height, int glyphWidth, int glyphHeight, bool pressed) {
  const int shift = pressed ? 2 : 1;
  return cl::Point(RoundAt(width, 0.25L, glyphWidth * 0.5L) + shift,
                   RoundAt(height, 0.25L, glyphHeight * 0.5L) + shift);
}

cl::TPoint DownGlyphOrigin(int width, int height, int glyphWidth, int glyphHeight) {
  return cl::Point(RoundAt(width, 0.75L, glyphWidth * 0.5L) - 1, RoundAt(height, 0.75L, glyphHeight * 0.5L) - 1);
}

int SpinMinHeight(int charHeight, int systemCharHeight, int borderExtra) {
  return charHeight + (charHeight < systemCharHeight ? charHeight : systemCharHeight) / 4 + borderExtra;
}

SpinBoxLayout LayoutSpinBox(int width, int height, int clientWidth, int clientHeight, int inset) {
  const int side = height - inset;
  return {cl::Bounds(width - height, 0, side, side), cl::Rect(0, 0, clientWidth - side - 2, clientHeight + 1)};
}

}  // namespace viewer
