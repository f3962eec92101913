#include "toolbars/core/menu_bar_layout.h"

#include <algorithm>
#include <utility>

namespace tbr::menus {
namespace {

// Room around a caption: beside it, and above and below it.
constexpr int kCaptionMarginX = 16;
constexpr int kCaptionMarginY = 6;
// The spacer leaves this much of the dock to the bar's own edges.
constexpr int kSpacerMargin = 13;
// A floating button whose bottom lies more than this above the bar's bottom opens its menu beside it.
constexpr int kFloatingBesideDistance = 25;

}  // namespace

cl::TPoint MenuBarButtonSize(cl::TPoint captionSize, int glyphHeight, bool mdiButton, bool sideDock) {
  cl::TPoint size = mdiButton
                        ? cl::Point(kMDIButtonWidth, kMDIButtonHeight)
                        : cl::Point(captionSize.X + glyphHeight + kCaptionMarginX, captionSize.Y + kCaptionMarginY);
  if (sideDock) std::swap(size.X, size.Y);
  return size;
}

bool IsVerticalButton(TButtonOrientation orientation, int width, int height) {
  return orientation == orVertical || (orientation == orAutomatic && width < height);
}

cl::TPoint MenuBarPopupPoint(const MenuBarPlace& place) {
  const cl::TRect& b = place.Button;
  const bool floatingBeside =
      !place.Docked && b.Bottom < place.BarSize.Y - kFloatingBesideDistance && place.BarSize.X < b.Left + 2 * b.Width();
  if ((place.Docked && place.SideDock) || floatingBeside) return cl::Point(b.Width(), 0);
  return cl::Point(0, b.Height());
}

int MenuBarSpacerWidth(int dockWidth, int otherControlsWidth) {
  return std::max(0, dockWidth - otherControlsWidth - kSpacerMargin);
}

cl::TPoint RotatedPixel(int x, int y, int imageHeight) {
  return cl::Point(imageHeight - y - 1, x);
}

std::vector<MenuBarEntry> MergeMenuBarItems(const std::vector<MenuBarItem>& frame,
                                            const std::vector<MenuBarItem>* child) {
  auto hasGroup = [](const std::vector<MenuBarItem>& items, int group) {
    return std::any_of(items.begin(), items.end(), [group](const MenuBarItem& i) { return i.GroupIndex == group; });
  };
  auto addGroup = [](std::vector<MenuBarEntry>& out, const std::vector<MenuBarItem>& items, int group, bool fromChild) {
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].GroupIndex == group && items[i].Visible) out.push_back({fromChild, static_cast<int>(i)});
    }
  };
  std::vector<MenuBarEntry> entries;
  for (int group = 0; group <= 255; ++group) {
    if (child && hasGroup(*child, group)) {
      addGroup(entries, *child, group, true);
    } else {
      addGroup(entries, frame, group, false);
    }
  }
  return entries;
}

MDIChildChange DetectMDIChildChange(const MDIChildView& now, const MDIChildView& remembered) {
  MDIChildChange change;
  // Only becoming or leaving maximised shows on the bar; a child that closed while maximised counts as leaving.
  change.State = now.Maximized != remembered.Maximized;
  // The last child closing takes its menu off the bar too.
  change.Menu = now.Menu != remembered.Menu;
  return change;
}

}  // namespace tbr::menus
