#include "image/core/transform_geometry.h"

#include <algorithm>

namespace img {

namespace {

constexpr int kPercent = 100;
constexpr int kFitWidthMargin = 4;
constexpr int kFitHeightMargin = 50;
constexpr int kGridStep = 100;

int64_t StepUpToMultipleOf8(int64_t side) {
  side = std::max<int64_t>(side, 0);
  return side + 8 - side % 8;
}

}  // namespace

Real48 PercentFactor(int percent) {
  return Real48::FromRatio(percent, kPercent);
}

PictureSize ScaledPictureSize(int width, int height, int percent) {
  const Real48 factor = PercentFactor(percent);
  return {StepUpToMultipleOf8(factor.MultiplyTruncated(width)), StepUpToMultipleOf8(factor.MultiplyTruncated(height))};
}

DesignedBox FitWidthBox(int pictureWidth, int pictureHeight, int scrollBoxWidth) {
  // height x (box width / width) as extended arithmetic gives it, which may fall one below the exact product.
  const int64_t fittedHeight = RatioTimesTruncated(scrollBoxWidth, pictureWidth, pictureHeight);
  DesignedBox box;
  box.Top = 0;
  box.Left = 0;
  box.Width = std::max(scrollBoxWidth - kFitWidthMargin, 1);
  box.Height = int(std::clamp<int64_t>(fittedHeight - kFitHeightMargin, 1, INT32_MAX));
  return box;
}

PrintPlacement PlacePrint(int dibWidth, int dibHeight, int x, int y, bool actual, const cl::TRect& area,
                          int pageWidth) {
  PrintPlacement placement;
  if (area.Left + area.Top + area.Right + area.Bottom != 0) {
    placement.SourceX = area.Left;
    placement.SourceY = area.Top;
    placement.SourceWidth = area.Right;
    placement.SourceHeight = area.Bottom;
  } else {
    placement.SourceWidth = dibWidth;
    placement.SourceHeight = dibHeight;
  }
  placement.DestX = x;
  placement.DestY = y;
  if (actual) {
    placement.DestWidth = dibWidth;
    placement.DestHeight = dibHeight;
  } else {
    // (height / width) x page width as extended arithmetic gives it, which may fall one below the exact product.
    const int64_t heightAtPageWidth = dibWidth > 0 ? RatioTimesTruncated(dibHeight, dibWidth, pageWidth) : 0;
    placement.DestWidth = pageWidth - x;
    placement.DestHeight = int(std::clamp<int64_t>(heightAtPageWidth - y, INT32_MIN, INT32_MAX));
  }
  return placement;
}

std::vector<int> GridLines(int side) {
  std::vector<int> lines;
  for (int previous = 0; previous < side; previous += kGridStep) lines.push_back(previous + kGridStep);
  return lines;
}

}  // namespace img
