// The row layout of a dock.
#include "toolbars/core/dock_layout.h"

#include <algorithm>

#include "toolbars/core/list_sort.h"

namespace tbr {
namespace {

int HighestRow(const std::vector<DockedBar>& bars) {
  int highest = -1;
  for (const DockedBar& bar : bars) highest = std::max(highest, bar.Row);
  return highest;
}

// Every bar in row or below it, except keep, moves one row on.
void MoveRowsOn(std::vector<DockedBar>& bars, int row, const DockedBar* keep) {
  for (DockedBar& bar : bars) {
    if (&bar != keep && bar.Row >= row) ++bar.Row;
  }
}

// One pass over the rows: a row without bars lets every higher row move up one. The row index advances either
// way, so of two blank rows next to each other one is left for the next layout.
void RemoveBlankRows(std::vector<DockedBar>& bars) {
  int highest = HighestRow(bars);
  for (int row = 0; row <= highest; ++row) {
    const bool blank = std::none_of(bars.begin(), bars.end(), [row](const DockedBar& b) { return b.Row == row; });
    if (!blank) continue;
    for (DockedBar& bar : bars) {
      if (bar.Row > row) --bar.Row;
    }
    --highest;
  }
}

// Gives FullSize bars a row of their own and keeps bars in a row from overlapping or starting before 0.
void SeparateBars(std::vector<DockedBar>& bars) {
  for (int row = 0; row <= HighestRow(bars); ++row) {
    int end = 0;
    for (DockedBar& bar : bars) {
      if (bar.Row != row) continue;
      const bool shared =
          std::any_of(bars.begin(), bars.end(), [&](const DockedBar& b) { return &b != &bar && b.Row == row; });
      if (bar.FullSize && shared) MoveRowsOn(bars, row, &bar);
      bar.Pos = std::max(bar.Pos, end);
      end = bar.Pos + bar.Length;
    }
  }
}

}  // namespace

DockLayout LayoutDock(std::vector<DockedBar> bars, TDockOrientation orientation, int clientLength, bool limitToOneRow) {
  SortListWithContext(bars, [](const DockedBar& a, const DockedBar& b) {
    if (a.Row != b.Row) return a.Row < b.Row ? -1 : 1;
    return a.Pos < b.Pos ? -1 : (a.Pos > b.Pos ? 1 : 0);
  });
  if (limitToOneRow) {
    for (DockedBar& bar : bars) bar.Row = 0;
  }
  RemoveBlankRows(bars);
  SeparateBars(bars);

  DockLayout layout;
  const int highest = HighestRow(bars);
  layout.RowSizes.assign(highest + 1, kMinRowSize);
  for (const DockedBar& bar : bars) {
    layout.RowSizes[bar.Row] = std::max(layout.RowSizes[bar.Row], bar.Thickness);
  }

  // A row running past the end moves back by its overflow, as far as the start allows (the next pass packs from
  // 0 again, so the excess is cut off at the far end). A FullSize bar always starts at 0.
  for (int row = 0; row <= highest; ++row) {
    const DockedBar* last = nullptr;
    for (const DockedBar& bar : bars) {
      if (bar.Row == row) last = &bar;
    }
    const int overflow = last ? last->Pos + last->Length - clientLength : 0;
    for (DockedBar& bar : bars) {
      if (bar.Row != row) continue;
      if (bar.FullSize) {
        bar.Pos = 0;
      } else if (overflow > 0) {
        bar.Pos -= overflow;
      }
    }
  }

  layout.Bounds.resize(bars.size());
  int rowStart = 0;
  for (int row = 0; row <= highest; ++row) {
    const int rowExtent = layout.RowSizes[row] + kRowGap;
    int end = 0;
    for (size_t i = 0; i < bars.size(); ++i) {
      DockedBar& bar = bars[i];
      if (bar.Row != row) continue;
      bar.Pos = std::max(bar.Pos, end);
      const int length = bar.FullSize ? clientLength : bar.Length;
      layout.Bounds[i] = orientation == doVertical ? cl::Bounds(rowStart, bar.Pos, rowExtent, length)
                                                   : cl::Bounds(bar.Pos, rowStart, length, rowExtent);
      end = bar.Pos + length;
    }
    rowStart += rowExtent;
  }
  layout.ClientThickness = rowStart;
  layout.Bars = std::move(bars);
  return layout;
}

int RowAtOffset(const std::vector<int>& rowSizes, int pos) {
  int end = 0;
  for (size_t row = 0; row < rowSizes.size(); ++row) {
    end += rowSizes[row] + kRowGap;
    if (end > pos) return static_cast<int>(row);
  }
  return static_cast<int>(rowSizes.size());
}

DropRow RowForDrop(const std::vector<int>& rowSizes, int pos) {
  int start = 0;
  for (size_t row = 0; row <= rowSizes.size(); ++row) {
    if (pos <= start + kDropSeam) return DropRow{static_cast<int>(row), true};
    // The row after the last one reaches on without end.
    if (row == rowSizes.size()) break;
    const int end = start + rowSizes[row] + kRowGap;
    if (pos <= end - kDropSeam) return DropRow{static_cast<int>(row), false};
    start = end;
  }
  return DropRow{static_cast<int>(rowSizes.size()), false};
}

int TileStart(int origin, int size, int clip) {
  if (size <= 0 || clip <= origin) return origin;
  return origin + (clip - origin) / size * size;
}

}  // namespace tbr
