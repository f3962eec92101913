// The layout of a toolbar's children in lines.
#include "toolbars/core/toolbar_layout.h"

#include <algorithm>
#include <climits>

namespace tbr {
namespace {

struct Margins {
  int Top = 0;
  int Left = 0;
  int Right = 0;
  int Bottom = 0;
};
// A floating toolbar keeps a little room around its lines; a docked one has its frame for that.
constexpr Margins kFloatingMargins{2, 4, 4, 1};
constexpr Margins kDockedMargins{};

}  // namespace

int ToolbarThickness(const std::vector<ToolbarChild>& children, TDockOrientation orientation) {
  int thickness = kMinToolbarThickness;
  for (const ToolbarChild& child : children) {
    if (!child.Separator) thickness = std::max(thickness, orientation == doVertical ? child.Width : child.Height);
  }
  return thickness;
}

ToolbarLayout LayoutToolbar(const std::vector<ToolbarChild>& children, TDockOrientation orientation, int floatRightX,
                            int centringSize) {
  const bool floating = orientation == doNone;
  const bool vertical = orientation == doVertical;
  auto lengthOf = [vertical](const ToolbarChild& child) {
    if (child.Separator) return vertical ? child.SizeVert : child.SizeHorz;
    return vertical ? child.Height : child.Width;
  };
  int wrapWidth = INT_MAX;
  if (floating && floatRightX != 0) {
    wrapWidth = floatRightX;
    for (const ToolbarChild& child : children) {
      if (!child.Separator) wrapWidth = std::max(wrapWidth, child.Width + kWrapWidthMargin);
    }
  }
  const int thickness = ToolbarThickness(children, orientation);
  const Margins margins = floating ? kFloatingMargins : kDockedMargins;

  ToolbarLayout layout;
  layout.Bounds.resize(children.size());
  int x = margins.Left;  // along
  int y = margins.Top;   // across
  int reached = x;       // the furthest along any line reaches
  bool wrapPending = false;
  int endingSeparator = -1;  // the separator that ended the previous group
  int reachedBeforeSeparator = 0;
  for (size_t start = 0; start < children.size();) {
    // A group runs to the next separator, which belongs to it.
    size_t end = start;
    int groupLength = 0;
    while (end < children.size()) {
      const ToolbarChild& child = children[end++];
      if (child.Separator) break;
      groupLength += lengthOf(child);
    }
    if (floating && (wrapPending || wrapWidth < x + groupLength + margins.Right)) {
      wrapPending = false;
      x = margins.Left;
      if (start > 0) {
        y += thickness + kWrapLineGap;
        if (endingSeparator >= 0) {
          // The separator at the break gives up its room; the line between the two lines stands for it.
          reached = reachedBeforeSeparator;
          cl::TRect& bounds = layout.Bounds[endingSeparator];
          bounds.Right = bounds.Left;
          layout.WrapLines.push_back(static_cast<uint32_t>(y) | (children[endingSeparator].Blank ? kWrapLineBlank : 0));
        }
      }
    }
    reached = std::max(reached, x);
    for (size_t i = start; i < end; ++i) {
      const ToolbarChild& child = children[i];
      const int length = lengthOf(child);
      if (floating && !child.Separator && wrapWidth < x + length + margins.Right) {
        x = margins.Left;
        y += thickness;
        wrapPending = true;  // the rest of this group, and the next group, start new lines
      }
      if (child.Separator) {
        reachedBeforeSeparator = reached;
        layout.Bounds[i] = vertical ? cl::Bounds(y, x, centringSize, length) : cl::Bounds(x, y, length, centringSize);
      } else if (vertical) {
        layout.Bounds[i] = cl::Bounds(y + (centringSize - child.Width) / 2, x, child.Width, child.Height);
      } else {
        layout.Bounds[i] = cl::Bounds(x, y + (centringSize - child.Height) / 2, child.Width, child.Height);
      }
      x += length;
      reached = std::max(reached, x);
    }
    endingSeparator = children[end - 1].Separator ? static_cast<int>(end - 1) : -1;
    start = end;
  }
  if (children.empty()) reached = x + kEmptyToolbarLength;
  const int along = reached + margins.Right;
  const int across = y + thickness + margins.Bottom;
  layout.Size = vertical ? cl::Point(across, along) : cl::Point(along, across);
  return layout;
}

}  // namespace tbr
