#include "toolbars/core/menu_layout.h"

#include <algorithm>
#include <cstdlib>

namespace tbr::menus {
namespace {

// The window is this much wider than its content: the indent on both sides and 10 pixels of edges.
constexpr int kExtraWidth = 10;
constexpr int kExtraHeight = 2 * kMenuEdge;
// FitToBackground leaves the background's edges out.
constexpr int kBackgroundHeightMargin = 3;
constexpr int kBackgroundWidthMargin = 4;

bool Selectable(const MenuRow& row) {
  return row.Kind == rkItem;
}

}  // namespace

MenuLayout LayOutMenu(const std::vector<MenuRow>& rows, const MenuLayoutOptions& options) {
  MenuLayout layout;
  int height = options.ItemSpace;
  int shortCutWidth = 0;
  for (const MenuRow& row : rows) {
    if (row.Kind == rkUnreadable) continue;
    height += row.Height + options.ItemSpace;
    if (row.Kind == rkSeparator) continue;
    layout.TextWidth = std::max(layout.TextWidth, row.CaptionWidth);
    shortCutWidth = std::max(shortCutWidth, row.ShortCutWidth);
  }
  int width = layout.TextWidth + shortCutWidth + options.TitleWidth;
  if (options.FitToBackground) {
    height = std::max(height, options.BackgroundHeight - kBackgroundHeightMargin);
    width = std::max(width, options.BackgroundWidth - (2 * options.Indent + kBackgroundWidthMargin));
  }
  layout.ContentWidth = width;
  layout.ContentHeight = height;
  layout.Width = width + 2 * options.Indent + kExtraWidth;
  layout.Height = height + kExtraHeight;
  return layout;
}

int MenuRowAtPoint(const std::vector<MenuRow>& rows, const MenuLayoutOptions& options, int bufferWidth, int x, int y) {
  if (options.TitleWidth > 0) {
    if (options.TitleAlign == alLeft && x <= options.TitleWidth) return -1;
    if (options.TitleAlign == alRight && x >= bufferWidth - options.TitleWidth) return -1;
  }
  // Rows start where the painting puts them: inside the raised edge, after the first gap.
  int top = kMenuEdge + options.ItemSpace;
  if (y < top) return -1;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    if (rows[i].Kind == rkUnreadable) continue;
    const int bottom = top + rows[i].Height;
    if (y < bottom) return i;
    top = bottom + options.ItemSpace;
    if (y < top) return -1;
  }
  return -1;
}

int MenuRowsHeightBefore(const std::vector<MenuRow>& rows, int index) {
  int height = 0;
  for (int i = 0; i < index && i < static_cast<int>(rows.size()); ++i) {
    if (rows[i].Kind != rkUnreadable) height += rows[i].Height;
  }
  return height;
}

int ResolveMenuSelection(const std::vector<MenuRow>& rows, int requested, int previous) {
  const int count = static_cast<int>(rows.size());
  const int step = previous < requested ? 1 : -1;
  int index = requested;
  // Each step visits a new position (or the "none" between the last and the first), so a walk longer than the
  // menu found nothing selectable; a stale previous index would otherwise never be met again.
  for (int steps = 0; steps <= count + 2; ++steps) {
    if (index == previous) return index;
    if (index < 0) {
      index = count - 1;
      if (index < 0) return -1;
    } else if (index >= count) {
      index = -1;
    }
    if (index == previous) return index;
    if (index >= 0 && Selectable(rows[index])) return index;
    index += step;
  }
  return -1;
}

bool IsMenuMouseJitter(cl::TPoint last, cl::TPoint now) {
  return std::abs(now.X - last.X) <= 2 && std::abs(now.Y - last.Y) < 3;
}

MenuRowPaint DecideMenuRowPaint(const MenuRowState& row, THighlight highlight, int x0, int right, int textWidth,
                                int indent) {
  MenuRowPaint paint;
  paint.Highlighted = row.Selected && !row.Separator && (row.Enabled || row.KeyboardSelect);
  const bool fillingStyle = highlight == hiDefault || highlight == hiRectangle;
  if (paint.Highlighted) {
    if (fillingStyle) {
      paint.HighlightFilled = true;
      // The rectangle covers the indent, the caption column and the indent again, counted from the rows' left
      // edge (after a left title).
      const int rowRight = right - kMenuEdge;
      paint.FillRight = highlight == hiDefault ? rowRight : std::min(rowRight, x0 + textWidth + 2 * indent);
    } else if (highlight == hiBevelLowered || highlight == hiShadow) {
      paint.Bevel = rbLowered;
    } else if (highlight != hiHyperlink) {
      paint.Bevel = rbRaised;
    }
  }
  // Over a highlight fill the text takes the highlight's text colour; the styles without a fill show a selected
  // row's text in the highlight colour itself, which stays readable on the menu colour.
  const TMenuColorRole selectedText = fillingStyle ? crHighlightText : crHighlight;
  if (!row.Enabled) {
    paint.Text = crDisabledText;
    paint.TextShadow = !(row.Selected && row.KeyboardSelect);
    paint.Arrow = crDisabledText;
    paint.ArrowShadow = !row.Selected;
  } else if (row.Selected) {
    paint.Text = selectedText;
    paint.Arrow = selectedText;
    paint.Underline = highlight == hiHyperlink;
  }
  return paint;
}

bool MenuRowNeedsPaint(bool fullPaint, int row, int itemIndex, int previousIndex) {
  return fullPaint || (itemIndex != previousIndex && (row == itemIndex || row == previousIndex));
}

cl::TPoint MenuBufferSource(cl::TPoint buffer, cl::TPoint window, bool opensLeftward, bool opensUpward) {
  return cl::Point(opensLeftward ? 0 : buffer.X - window.X, opensUpward ? 0 : buffer.Y - window.Y);
}

}  // namespace tbr::menus
