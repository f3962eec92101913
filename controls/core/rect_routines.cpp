#include "controls/core/rect_routines.h"

#include <algorithm>
#include <cmath>

#include "classlib/core/numbers.h"

namespace ctl {

cl::TRect InflateRectCopy(const cl::TRect& rect, int32_t n) {
  return cl::Rect(rect.Left - n, rect.Top - n, rect.Right + n, rect.Bottom + n);
}

void AdjustRect(cl::TRect& rect, int32_t dLeft, int32_t dTop, int32_t dRight, int32_t dBottom) {
  rect.Left += dLeft;
  rect.Top += dTop;
  rect.Right += dRight;
  rect.Bottom += dBottom;
}

cl::TRect FitRect(const cl::TRect& item, const cl::TRect& box) {
  const int64_t itemWidth = item.Width(), itemHeight = item.Height();
  // A scale by an empty side would divide by zero.
  if (itemWidth <= 0 || itemHeight <= 0) return cl::Rect(box.Left, box.Top, box.Left, box.Top);
  // Exact fractions: the tighter side takes the box's size and the other is truncated, so that no rounding error of
  // a real scale turns 100 into 99.
  const int64_t boxWidth = box.Width(), boxHeight = box.Height();
  if (boxWidth * itemHeight <= boxHeight * itemWidth)
    return cl::Bounds(box.Left, box.Top, static_cast<int32_t>(boxWidth),
                      static_cast<int32_t>(boxWidth * itemHeight / itemWidth));
  return cl::Bounds(box.Left, box.Top, static_cast<int32_t>(boxHeight * itemWidth / itemHeight),
                    static_cast<int32_t>(boxHeight));
}

void RectSize(const cl::TRect& rect, int32_t& width, int32_t& height) {
  width = rect.Width();
  height = rect.Height();
}

void RotateRect(cl::TRect& rect, long double angle) {
  if (angle == 0) return;
  constexpr long double kRadiansPerDegree = 0.017453292519943295769L;
  const long double radians = angle * kRadiansPerDegree;
  const long double cosine = std::cos(radians), sine = std::sin(radians);
  const long double centreX = (rect.Left + rect.Right) / 2.0L, centreY = (rect.Top + rect.Bottom) / 2.0L;
  const cl::TPoint corners[] = {
      {rect.Left, rect.Top}, {rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left, rect.Bottom}};
  int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
  for (const cl::TPoint& corner : corners) {
    const long double dx = corner.X - centreX, dy = corner.Y - centreY;
    const int64_t x = cl::Round(centreX + dx * cosine - dy * sine);
    const int64_t y = cl::Round(centreY + dx * sine + dy * cosine);
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  rect = cl::Rect(0, 0, static_cast<int32_t>(maxX - minX), static_cast<int32_t>(maxY - minY));
}

int32_t MaxIntValue(std::span<const int32_t> values) {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

int32_t MinIntValue(std::span<const int32_t> values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

long double MinValue(std::span<const long double> values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

}  // namespace ctl
