#include "image/core/crop_band.h"

#include <algorithm>

namespace img {

namespace {

constexpr int kIgnoreMargin = 10;

bool StrictlyInside(const cl::TRect& rect, int x, int y) {
  return x > rect.Left && x < rect.Right && y > rect.Top && y < rect.Bottom;
}

}  // namespace

cl::TRect CropRestoreArea(const cl::TRect& band) {
  return cl::Rect(band.Left - 6, band.Top - 6, band.Right + 7, band.Bottom + 7);
}

cl::TRect CropMoveZone(const cl::TRect& band) {
  return cl::Rect(band.Left - 2, band.Top - 2, band.Right + 3, band.Bottom + 3);
}

CropHandle CropHandleOf(const cl::TRect& band, int zone) {
  const int l = band.Left, t = band.Top, r = band.Right, b = band.Bottom;
  const int c = (l + r) / 2, m = (t + b) / 2;
  switch (zone) {
    case kTopRightHandle:
      return {cl::Rect(r + 1, t - 5, r + 6, t), cl::Rect(r, t - 6, r + 7, t + 1)};
    case kTopLeftHandle:
      return {cl::Rect(l - 5, t - 5, l, t), cl::Rect(l - 6, t - 6, l + 1, t + 1)};
    case kBottomRightHandle:
      return {cl::Rect(r + 1, b + 1, r + 6, b + 6), cl::Rect(r, b, r + 7, b + 7)};
    case kBottomLeftHandle:
      return {cl::Rect(l - 5, b + 1, l, b + 6), cl::Rect(l - 6, b, l + 1, b + 7)};
    case kLeftEdgeHandle:
      return {cl::Rect(l - 5, m - 2, l - 1, m + 3), cl::Rect(l - 6, m - 3, l, m + 4)};
    case kRightEdgeHandle:
      return {cl::Rect(r + 2, m - 2, r + 6, m + 3), cl::Rect(r + 1, m - 3, r + 7, m + 4)};
    case kTopEdgeHandle:
      return {cl::Rect(c - 2, t - 5, c + 3, t - 1), cl::Rect(c - 3, t - 6, c + 4, t)};
    case kBottomEdgeHandle:
      return {cl::Rect(c - 2, b + 2, c + 3, b + 6), cl::Rect(c - 3, b + 1, c + 4, b + 7)};
    default:
      return {};
  }
}

cl::TRect InitialCropRect(int scrollBoxWidth, int scrollBoxHeight, int scrollX, int scrollY) {
  const int left = scrollBoxWidth / 4 + scrollX, top = scrollBoxHeight / 4 + scrollY;
  return cl::Rect(left, top, left + scrollBoxWidth / 4, top + scrollBoxHeight / 4);
}

cl::TRect DragCropBand(cl::TRect band, int zone, int dx, int dy) {
  const bool left = zone == kMoveZone || zone == kTopLeftHandle || zone == kBottomLeftHandle || zone == kLeftEdgeHandle;
  const bool right =
      zone == kMoveZone || zone == kTopRightHandle || zone == kBottomRightHandle || zone == kRightEdgeHandle;
  const bool top = zone == kMoveZone || zone == kTopRightHandle || zone == kTopLeftHandle || zone == kTopEdgeHandle;
  const bool bottom =
      zone == kMoveZone || zone == kBottomRightHandle || zone == kBottomLeftHandle || zone == kBottomEdgeHandle;
  if (left) band.Left += dx;
  if (right) band.Right += dx;
  if (top) band.Top += dy;
  if (bottom) band.Bottom += dy;
  if (band.Left >= band.Right) {
    if (dx < 1) {
      band.Left = band.Right - 1;
    } else {
      band.Right = band.Left + 1;
    }
  }
  if (band.Top >= band.Bottom) {
    if (dy < 1) {
      band.Top = band.Bottom - 1;
    } else {
      band.Bottom = band.Top + 1;
    }
  }
  return band;
}

bool CropBandAcceptable(const cl::TRect& band, int controlWidth, int controlHeight) {
  return band.Right >= 0 && band.Bottom >= 0 && band.Left <= controlWidth && band.Top <= controlHeight;
}

cl::TRect PartOnPicture(const cl::TRect& rect, int width, int height) {
  const int left = std::clamp(rect.Left, 0, width), top = std::clamp(rect.Top, 0, height);
  return cl::Rect(left, top, std::clamp(rect.Right, left, width), std::clamp(rect.Bottom, top, height));
}

bool CropPointIgnored(int x, int y, int controlWidth, int controlHeight) {
  return x < -kIgnoreMargin || y < -kIgnoreMargin || x > controlWidth + kIgnoreMargin ||
         y > controlHeight + kIgnoreMargin;
}

int CropZoneAt(const cl::TRect& band, int x, int y) {
  if (!StrictlyInside(CropRestoreArea(band), x, y)) return kNoZone;
  if (StrictlyInside(CropMoveZone(band), x, y)) return kMoveZone;
  for (int zone = kFirstHandle; zone <= kLastHandle; ++zone) {
    if (StrictlyInside(CropHandleOf(band, zone).Zone, x, y)) return zone;
  }
  return kNoZone;
}

}  // namespace img
