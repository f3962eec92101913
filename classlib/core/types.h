// Plain geometry and colour types shared by the core and the Win32 side. TRect and TPoint have the layout of the
// Win32 RECT and POINT (the Win32 side static-asserts it).
#pragma once

#include <cstdint>

namespace cl {

using TColor = int32_t;

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int32_t x, int32_t y) {
  return TPoint{x, y};
}
constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return TRect{left, top, right, bottom};
}
constexpr TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return TRect{left, top, left + width, top + height};
}

}  // namespace cl
