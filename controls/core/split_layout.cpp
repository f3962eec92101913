#include "controls/core/split_layout.h"

namespace ctl {
namespace {

bool Contains(const cl::TRect& r, cl::TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

cl::TRect Grown(const cl::TRect& r, int32_t by) {
  return cl::Rect(r.Left - by, r.Top - by, r.Right + by, r.Bottom + by);
}

// Steps shared by both bars: Max, Min and Position pulled inside the extent E along the bar's axis.
void ClampSettings(TSplitterGeometry& s, int32_t extent) {
  const int32_t w = s.Width;
  if (extent - w < s.Max) s.Max = extent - w;
  if (extent - s.Max - w < s.Min) s.Min = extent - s.Max - w;
  if (s.Position > extent - s.Max - w) s.Position = extent - s.Max - w;
  if (s.Position < s.Min) s.Position = s.Min;  // Min wins
}

int32_t Extent(const TSplitterGeometry& s, int32_t width, int32_t height) {
  return s.Direction == sdVertical ? width : height;
}

}  // namespace

void CalcMainSplitter(TSplitterGeometry& main, int32_t width, int32_t height) {
  const int32_t extent = Extent(main, width, height);
  ClampSettings(main, extent);
  const int32_t p = main.Position, w = main.Width;
  if (main.Direction == sdVertical) {
    main.Limit = cl::Rect(main.Min, 0, extent - main.Max, height);
    main.Bar = cl::Rect(p, 0, p + w, height);
  } else {
    main.Limit = cl::Rect(0, main.Min, width, extent - main.Max);
    main.Bar = cl::Rect(0, p, width, p + w);
  }
}

void CalcSecondSplitter(TSplitterGeometry& second, const TSplitterGeometry& main, TCtlSplitterPlace place,
                        int32_t width, int32_t height) {
  ClampSettings(second, Extent(second, width, height));
  const int32_t p = second.Position, w = second.Width;
  const cl::TRect& m = main.Bar;
  if (main.Direction == sdVertical) {  // the second bar lies left or right of the main one
    const int32_t left = place == ossOdd ? 0 : m.Right;
    const int32_t right = place == ossOdd ? m.Left : width;
    second.Bar = cl::Rect(left, p, right, p + w);
    second.Limit = cl::Rect(left, second.Min, right, height - second.Max);
  } else {  // the second bar stands above or below the main one
    const int32_t top = place == ossOdd ? 0 : m.Bottom;
    const int32_t bottom = place == ossOdd ? m.Top : height;
    second.Bar = cl::Rect(p, top, p + w, bottom);
    second.Limit = cl::Rect(second.Min, top, width - second.Max, bottom);
  }
}

std::vector<cl::TRect> CalcPaneRects(const TSplitterGeometry& main, const TSplitterGeometry* second,
                                     TCtlSplitterPlace place, int32_t width, int32_t height) {
  const cl::TRect& m = main.Bar;
  const bool vertical = main.Direction == sdVertical;
  if (!second) {
    if (vertical) return {cl::Rect(0, 0, m.Left, height), cl::Rect(m.Right, 0, width, height)};
    return {cl::Rect(0, 0, width, m.Top), cl::Rect(0, m.Bottom, width, height)};
  }
  const cl::TRect& s = second->Bar;
  std::vector<cl::TRect> panes(3);
  if (vertical && place == ossOdd) {
    panes[0] = cl::Rect(0, 0, m.Left, s.Top);
    panes[2] = cl::Rect(0, s.Bottom, m.Left, height);
    panes[1] = cl::Rect(m.Right, 0, width, height);
  } else if (vertical) {
    panes[0] = cl::Rect(0, 0, m.Left, height);
    panes[1] = cl::Rect(m.Right, 0, width, s.Top);
    panes[2] = cl::Rect(m.Right, s.Bottom, width, height);
  } else if (place == ossOdd) {
    panes[0] = cl::Rect(0, 0, s.Left, m.Top);
    panes[1] = cl::Rect(s.Right, 0, width, m.Top);
    panes[2] = cl::Rect(0, m.Bottom, width, height);
  } else {
    panes[0] = cl::Rect(0, 0, width, m.Top);
    panes[2] = cl::Rect(0, m.Bottom, s.Left, height);
    panes[1] = cl::Rect(s.Right, m.Bottom, width, height);
  }
  return panes;
}

cl::TRect PaneWindowRect(const cl::TRect& pane, TCtlBorderStyle style) {
  switch (style) {
    case lsRaisedspb:
      return cl::Rect(pane.Left + 1, pane.Top + 1, pane.Right - 2, pane.Bottom - 2);
    case lsLoweredspb:
      return cl::Rect(pane.Left + 2, pane.Top + 2, pane.Right - 1, pane.Bottom - 1);
    default: {
      const int32_t b = GetBorderWidth(style);
      return cl::Rect(pane.Left + b, pane.Top + b, pane.Right - b, pane.Bottom - b);
    }
  }
}

int SplitterHitTest(const std::vector<const TSplitterGeometry*>& splitters, int32_t borderWidth, int paneCount,
                    cl::TPoint point) {
  if (splitters.empty() || !splitters[0]) return kNoSplitter;
  const bool onMain = Contains(Grown(splitters[0]->Bar, borderWidth), point);
  int other = kNoSplitter;
  for (size_t i = 1; i < splitters.size() && other == kNoSplitter; ++i) {
    if (splitters[i] && Contains(Grown(splitters[i]->Bar, borderWidth), point)) other = static_cast<int>(i);
  }
  if (onMain && other != kNoSplitter) return paneCount == 4 && splitters.size() == 2 ? kBothSplitters : 0;
  return onMain ? 0 : other;
}

cl::TCursor SplitterCursor(int hit, const std::vector<const TSplitterGeometry*>& splitters) {
  if (hit == kNoSplitter) return cl::crDefault;
  if (hit == kBothSplitters) return cl::crCross;
  return splitters[hit]->Direction == sdVertical ? cl::crHSplit : cl::crVSplit;
}

bool IsSplitterCursor(cl::TCursor cursor) {
  return cursor == cl::crVSplit || cursor == cl::crHSplit || cursor == cl::crCross;
}

cl::TRect DragBarRect(const TSplitterGeometry& s, int32_t borderWidth) {
  const cl::TRect& bar = s.Bar;
  if (s.Direction == sdVertical) return cl::Rect(bar.Left - (borderWidth + 1), bar.Top, bar.Right, bar.Bottom);
  return cl::Rect(bar.Left, bar.Top - (borderWidth + 1), bar.Right, bar.Bottom);
}

std::vector<int> TSplitDrag::Dragged() const {
  return FDragged;
}

void TSplitDrag::Begin(int index, const std::vector<const TSplitterGeometry*>& splitters, cl::TPoint point) {
  FDragged = index == kBothSplitters ? std::vector<int>{0, 1} : std::vector<int>{index};
  FBars.clear();
  for (int i : FDragged) FBars.push_back(*splitters[i]);
  FIndex = index;
  FLast = point;
}

void TSplitDrag::Move(cl::TPoint point) {
  if (!Active()) return;
  for (TSplitterGeometry& s : FBars) {
    const bool vertical = s.Direction == sdVertical;
    int32_t& c = vertical ? point.X : point.Y;
    const int32_t last = vertical ? FLast.X : FLast.Y;
    const int32_t lowest = last + (vertical ? s.Limit.Left - s.Bar.Left : s.Limit.Top - s.Bar.Top);
    const int32_t highest = last + (vertical ? s.Limit.Right - s.Bar.Right : s.Limit.Bottom - s.Bar.Bottom);
    if (c > highest) c = highest;
    if (c < lowest) c = lowest;
    const int32_t offset = c - last;
    if (vertical) {
      s.Bar.Left += offset;
      s.Bar.Right += offset;
    } else {
      s.Bar.Top += offset;
      s.Bar.Bottom += offset;
    }
  }
  FLast = point;
}

std::vector<int32_t> TSplitDrag::End() {
  std::vector<int32_t> positions;
  for (const TSplitterGeometry& s : FBars) positions.push_back(s.Direction == sdVertical ? s.Bar.Left : s.Bar.Top);
  Cancel();
  return positions;
}

void TSplitDrag::Cancel() {
  FIndex = kNoSplitter;
  FDragged.clear();
  FBars.clear();
}

}  // namespace ctl
