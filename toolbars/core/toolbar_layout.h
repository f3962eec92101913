// The layout of a toolbar's children: in a line along the dock, centred across it, in groups that end at a
// separator; floating, wrapped into several lines at a wrap width, breaking between groups where it can (the
// separator at a break takes no room and an etched line is drawn between the lines instead) and inside a group
// only where a control does not fit. Client pixels; "along" is x except on a vertical dock.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/core/types.h"
#include "toolbars/core/dock_layout.h"

namespace tbr {

// Separators are this long by default, along a horizontal and along a vertical line.
constexpr int kDefaultSeparatorSize = 6;
// A toolbar is never thinner than this, and without children this long.
constexpr int kMinToolbarThickness = 8;
constexpr int kEmptyToolbarLength = 8;
// Floating lines that break at a group boundary are this much further apart than the thickness.
constexpr int kWrapLineGap = 6;
// A wrap width leaves room for every control plus the floating margins on both sides.
constexpr int kWrapWidthMargin = 8;

// A wrap-line entry: the y of the next line in the low 16 bits, and this bit when the separator at the break is
// blank (no line is drawn).
constexpr uint32_t kWrapLineBlank = 1u << 16;
constexpr int WrapLineY(uint32_t entry) {
  return static_cast<int>(entry & 0xFFFF);
}

// One child as the layout sees it; only children that take part (the visible ones) are given.
struct ToolbarChild {
  bool Separator = false;
  int Width = 0;  // controls keep their size; a separator's bounds are the layout's
  int Height = 0;
  int SizeHorz = kDefaultSeparatorSize;  // a separator's length on a horizontal line and on a vertical one
  int SizeVert = kDefaultSeparatorSize;
  bool Blank = false;
};

struct ToolbarLayout {
  cl::TPoint Size;                  // the client size the layout needs
  std::vector<cl::TRect> Bounds;    // one per child
  std::vector<uint32_t> WrapLines;  // one per line break at a separator, which then has no width
};

// The thickest control that is not a separator (height, or width on a vertical dock), at least the minimum.
int ToolbarThickness(const std::vector<ToolbarChild>& children, TDockOrientation orientation);

// Lays children out for orientation (doNone: floating). floatRightX wraps a floating layout at that client width
// (0: one line; never narrower than the widest control plus the margins); centringSize is the thickness across
// which controls are centred (the dock row's, or the toolbar's own).
ToolbarLayout LayoutToolbar(const std::vector<ToolbarChild>& children, TDockOrientation orientation, int floatRightX,
                            int centringSize);

}  // namespace tbr
