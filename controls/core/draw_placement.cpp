#include "controls/core/draw_placement.h"

#include <algorithm>

#include "classlib/core/numbers.h"
#include "controls/core/rect_routines.h"

namespace ctl {
namespace {

// DrawEdge's edges and flags.
constexpr uint32_t kRaisedOuter = 1, kSunkenOuter = 2, kRaisedInner = 4, kSunkenInner = 8;
constexpr uint32_t kEdgeRaised = 5, kEdgeEtched = 6, kEdgeSunken = 10;
constexpr uint32_t kAll = 0x000F, kTopLeft = 0x0003, kBottomRight = 0x000C;
constexpr uint32_t kSoft = 0x1000, kAdjust = 0x2000;

constexpr int kZoomSteps = 40;

TBorderStep Edge(uint32_t edge, uint32_t flags) {
  return TBorderStep{true, edge, flags, {}};
}

TBorderStep Move(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return TBorderStep{false, 0, 0, cl::Rect(left, top, right, bottom)};
}

int32_t Truncated(long double value) {
  return static_cast<int32_t>(cl::Trunc(value));
}

int32_t Rounded(long double value) {
  return static_cast<int32_t>(cl::Round(value));
}

uint8_t Channel(cl::TColor color, int shift) {
  return static_cast<uint8_t>(static_cast<uint32_t>(color) >> shift);
}

}  // namespace

std::vector<cl::TRect> BitmapTargets(const cl::TRect& dest, int32_t sourceWidth, int32_t sourceHeight,
                                     TDrawFlags flags) {
  const int32_t dw = dest.Width(), dh = dest.Height();
  // An empty source has no size to scale or tile by.
  if (dw <= 0 || dh <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return {};
  if (flags & dfCenter) {
    return {
        cl::Bounds(dest.Left + (dw - sourceWidth) / 2, dest.Top + (dh - sourceHeight) / 2, sourceWidth, sourceHeight)};
  }
  if (flags & dfStretch) {
    switch (flags & dfProportional) {
      case dfProportional:
        return {FitRect(cl::Rect(0, 0, sourceWidth, sourceHeight), dest)};
      case dfKeepWidth:
        return {
            cl::Bounds(dest.Left, dest.Top, dw, Rounded(static_cast<long double>(dw) / sourceWidth * sourceHeight))};
      case dfKeepHeight:
        return {
            cl::Bounds(dest.Left, dest.Top, Rounded(static_cast<long double>(dh) / sourceHeight * sourceWidth), dh)};
      default:
        return {dest};
    }
  }
  if (flags & dfTile) {
    std::vector<cl::TRect> tiles;
    for (int32_t row = 0; row <= dh / sourceHeight + 1; ++row) {
      for (int32_t column = 0; column <= dw / sourceWidth + 1; ++column) {
        tiles.push_back(
            cl::Bounds(dest.Left + column * sourceWidth, dest.Top + row * sourceHeight, sourceWidth, sourceHeight));
      }
    }
    return tiles;
  }
  return {cl::Bounds(dest.Left, dest.Top, sourceWidth, sourceHeight)};
}

std::vector<TBorderStep> BorderSteps(TCtlBorderStyle style, uint32_t x) {
  switch (style) {
    case lsNone:
      return {};
    case lsSingle:
      return {Edge(kSunkenOuter, x | kSoft | kAdjust | kTopLeft), Edge(kRaisedOuter, kBottomRight)};
    case lsLowered:
      return {Edge(kEdgeSunken, x | kSoft | kAdjust | kAll)};
    case lsRaised:
      return {Edge(kEdgeRaised, x | kSoft | kAdjust | kAll)};
    case lsRaisedspb:
      return {Edge(kRaisedOuter, x | kSoft | kAdjust | kAll), Edge(kRaisedInner, kAdjust | kBottomRight)};
    case lsLoweredspb:
      return {Edge(kSunkenOuter, x | kAdjust | kAll), Edge(kSunkenInner, x | kAdjust | kTopLeft)};
    case lsRaisedExt:
      return {Edge(kRaisedOuter, x | kSoft | kAdjust | kAll), Edge(kRaisedInner, kAdjust | kBottomRight),
              Move(1, 1, 0, 0)};
    case lsLoweredExt:
      return {Edge(kSunkenOuter, x | kAdjust | kAll), Edge(kSunkenInner, kAdjust | kTopLeft), Move(0, 0, -1, -1)};
    case lsFrameInset:
      return {Edge(kEdgeEtched, x | kAdjust | kAll)};
    case lsFrameOffset:
      return {Edge(kRaisedInner, x | kAdjust | kAll), Edge(kSunkenOuter, x | kAdjust | kAll)};
    case lsWindowBorder:
      return {Edge(kRaisedOuter, x | kAdjust | kBottomRight), Move(1, 1, 0, 0), Edge(kRaisedInner, x | kAdjust | kAll)};
    case lsSingleRaised:
      return {Edge(kRaisedInner, x | kAdjust | kAll)};
    case lsSingleLowered:
      return {Edge(kSunkenOuter, x | kAdjust | kAll)};
    case lsDoubleRaised:
      return {Edge(kRaisedInner, x | kAdjust | kAll), Edge(kRaisedInner, x | kAdjust | kAll)};
    case lsDoubleLowered:
      return {Edge(kSunkenOuter, x | kAdjust | kAll), Edge(kSunkenOuter, x | kAdjust | kAll)};
  }
  return {};
}

int GetBorderWidth(TCtlBorderStyle style) {
  switch (style) {
    case lsNone:
      return 0;
    case lsSingle:
    case lsSingleRaised:
    case lsSingleLowered:
      return 1;
    default:
      return 2;
  }
}

std::vector<cl::TColor> GradientColors(cl::TColor a, cl::TColor b, int count) {
  std::vector<cl::TColor> colors;
  if (count <= 0) return colors;
  // One colour would divide by count - 1 = 0.
  if (count == 1) return {a};
  colors.reserve(count);
  for (int n = 0; n < count; ++n) {
    uint32_t color = 0;
    for (int shift : {0, 8, 16}) {
      const int32_t from = Channel(a, shift), to = Channel(b, shift);
      color |= static_cast<uint32_t>(from + cl::MulDiv(n, to - from, count - 1)) << shift;
    }
    colors.push_back(static_cast<cl::TColor>(color));
  }
  return colors;
}

std::vector<TGradientShape> GradientShapes(int style, int32_t width, int32_t height, int colorCount) {
  std::vector<TGradientShape> shapes;
  const int n = colorCount;
  if (n <= 0 || width <= 0 || height <= 0) return shapes;
  const int32_t centreX = width / 2, centreY = height / 2;
  if (style == 0) {
    for (int i = 0; i < n; ++i)
      shapes.push_back({gsFill, cl::Rect(cl::MulDiv(i, width, n), 0, cl::MulDiv(i + 1, width, n), height), i});
    return shapes;
  }
  for (int i = n - 1; i >= 0; --i) {
    const int32_t w = cl::MulDiv(i + 1, width, n), h = cl::MulDiv(i + 1, height, n);
    switch (style) {
      case 1:
        shapes.push_back({gsFill, cl::Rect(0, cl::MulDiv(i, height, n), width, h), i});
        break;
      case 2:
        // A rectangle drawn without pen leaves its right and bottom line: two more pixels there.
        shapes.push_back(
            {gsRectangle, cl::Rect(centreX - w / 2, centreY - h / 2, centreX + w / 2 + 2, centreY + h / 2 + 2), i});
        break;
      case 3: {
        const int32_t rx = Rounded(w * 5.0L / 7), ry = Rounded(h * 5.0L / 7);
        shapes.push_back({gsEllipse, cl::Rect(centreX - rx, centreY - ry, centreX + rx, centreY + ry), i});
        break;
      }
      case 4:
        shapes.push_back({gsFill, cl::Rect(0, 0, w, h), i});
        break;
      case 5:
        shapes.push_back({gsFill, cl::Rect(width - w, 0, width, h), i});
        break;
      case 6:
        shapes.push_back({gsFill, cl::Rect(0, height - h, w, height), i});
        break;
      case 7:
        shapes.push_back({gsFill, cl::Rect(width - w, height - h, width, height), i});
        break;
      default:
        return {};
    }
  }
  return shapes;
}

cl::TRect AlignRect(TCtlAlignment alignment, const cl::TRect& item, const cl::TRect& container) {
  const int32_t w = item.Width(), h = item.Height();
  const int32_t freeX = container.Width() - w, freeY = container.Height() - h;
  const int column = alignment % 3, row = alignment / 3;
  const int32_t x = column == 0 ? 0 : column == 1 ? freeX / 2 : freeX;
  const int32_t y = row == 0 ? 0 : row == 1 ? freeY / 2 : freeY;
  return cl::Bounds(container.Left + x, container.Top + y, w, h);
}

int BmpBitCount(int colorCount, int ownBitCount) {
  int bits = ownBitCount;
  switch (colorCount) {
    case 2:
      bits = 1;
      break;
    case 16:
      bits = 4;
      break;
    case 256:
      bits = 8;
      break;
  }
  return bits == 16 || bits == 32 ? 24 : bits;
}

std::vector<cl::TRect> ZoomRects(const cl::TRect& from, const cl::TRect& to, int steps) {
  if (steps <= 3) steps = kZoomSteps;
  std::vector<cl::TRect> rects;
  rects.reserve(steps);
  auto at = [steps](int32_t start, int32_t end, int i) {
    return Truncated(start + i * (static_cast<long double>(end) - start) / steps);
  };
  for (int i = 1; i <= steps; ++i) {
    rects.push_back(cl::Rect(at(from.Left, to.Left, i), at(from.Top, to.Top, i), at(from.Right, to.Right, i),
                             at(from.Bottom, to.Bottom, i)));
  }
  return rects;
}

std::vector<cl::TRect> TwoStageZoomRects(cl::TPoint mouse, const cl::TRect& window) {
  const int32_t midX = (mouse.X + (window.Left + window.Right) / 2) / 2;
  const int32_t midY = (mouse.Y + (window.Top + window.Bottom) / 2) / 2;
  const int32_t halfWidth = window.Width() / 2, halfHeight = window.Height() / 2;
  const cl::TRect halfway =
      cl::Rect(midX - halfWidth / 2, midY - halfHeight / 2, midX + halfWidth / 2, midY + halfHeight / 2);
  std::vector<cl::TRect> rects = ZoomRects(cl::Rect(mouse.X, mouse.Y, mouse.X, mouse.Y), halfway, kZoomSteps);
  const std::vector<cl::TRect> grow = ZoomRects(halfway, window, kZoomSteps);
  rects.insert(rects.end(), grow.begin(), grow.end());
  return rects;
}

cl::TPoint CenteredOver(const cl::TRect& owner, int32_t formWidth, int32_t formHeight, int32_t screenWidth,
                        int32_t screenHeight) {
  auto place = [](int32_t ownerStart, int32_t ownerSize, int32_t size, int32_t screen) {
    int32_t start = ownerStart + (ownerSize - size) / 2;
    if (start + size > screen) start = screen - size;
    return std::max(start, 0);
  };
  return cl::Point(place(owner.Left, owner.Width(), formWidth, screenWidth),
                   place(owner.Top, owner.Height(), formHeight, screenHeight));
}

}  // namespace ctl
