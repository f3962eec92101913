// The menu bar's arithmetic: the size of a bar button for its caption, when a button stands vertical, where its
// menu opens, the width of the spacer that pushes an MDI child's window buttons to the bar's end, the turn of a
// button image for a vertical bar, which top-level items a bar shows when an MDI child's menu merges into it, and
// when the bar's MDI buttons must change.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/core/types.h"

namespace tbr::menus {

enum TButtonOrientation { orAutomatic, orHorizontal, orVertical };

// The MDI button (the child's icon) is this size; other buttons fit their caption.
constexpr int kMDIButtonWidth = 20;
constexpr int kMDIButtonHeight = 19;

// A bar button for a caption of captionSize (measured as drawn: "&&" counts as one '&', a single '&' not at
// all) beside a glyph glyphHeight high. On a bar docked at the left or right the two sides swap.
cl::TPoint MenuBarButtonSize(cl::TPoint captionSize, int glyphHeight, bool mdiButton, bool sideDock);

// Vertical: orVertical, or orAutomatic and narrower than high.
bool IsVerticalButton(TButtonOrientation orientation, int width, int height);

// Where a button's menu opens: at its bottom-left corner, or at its top-right corner (the menu beside the button)
// on a bar docked at a side, or on a floating bar whose line of the button ends well above the bar's bottom and
// which is narrower than the button's left plus twice its width. In the button's client coordinates.
struct MenuBarPlace {
  bool Docked = true;
  bool SideDock = false;
  cl::TRect Button;    // in the bar's client area
  cl::TPoint BarSize;  // the bar's client size
};
cl::TPoint MenuBarPopupPoint(const MenuBarPlace& place);

// The spacer's width on a bar docked at the top or bottom: what the dock leaves beside the other controls, less
// a margin; never negative.
int MenuBarSpacerWidth(int dockWidth, int otherControlsWidth);

// Where pixel (x, y) of a button image imageHeight high goes in the image turned for a vertical bar.
cl::TPoint RotatedPixel(int x, int y, int imageHeight);

// A top-level item as the merge sees it.
struct MenuBarItem {
  uint8_t GroupIndex = 0;
  bool Visible = true;
};
// An item the bar shows: the index of an item of the frame's menu, or of the child's.
struct MenuBarEntry {
  bool FromChild = false;
  int Index = 0;
  bool operator==(const MenuBarEntry&) const = default;
};
// The bar's items in group order (0 to 255, each group in menu order): a group the child's menu has replaces the
// frame's group of the same number. Without a child (null) the frame's items show alone. Hidden items are left out.
std::vector<MenuBarEntry> MergeMenuBarItems(const std::vector<MenuBarItem>& frame,
                                            const std::vector<MenuBarItem>* child);

// The active MDI child as the bar last saw it.
struct MDIChildView {
  bool Maximized = false;      // false without a child
  const void* Menu = nullptr;  // the child's menu; null without one or without a child
};
struct MDIChildChange {
  bool State = false;  // a child became or stopped being maximised: the MDI buttons change
  bool Menu = false;   // the child's menu is another one, or gone: the buttons are built again
};
MDIChildChange DetectMDIChildChange(const MDIChildView& now, const MDIChildView& remembered);

}  // namespace tbr::menus
