// Sizing a floating toolbar: its candidate sizes and the snapping of a dragged edge.
#include "toolbars/core/toolbar_sizing.h"

#include <algorithm>
#include <cstdlib>

#include "toolbars/core/tool_window_geometry.h"

namespace tbr {

std::vector<SizeCandidate> FloatingSizeCandidates(const std::function<cl::TPoint(int floatRightX)>& layout,
                                                  cl::TPoint nonClient, int lowestWrapWidth, bool vertical) {
  auto outer = [&](cl::TPoint client) { return cl::Point(client.X + nonClient.X, client.Y + nonClient.Y); };
  const cl::TPoint oneLine = layout(0);
  std::vector<SizeCandidate> candidates{{outer(oneLine), 0}};
  // Each trial either finds a layout exactly its width, or jumps to the narrower width its layout took (every
  // width in between lays out the same), so trials only go down and end.
  for (int trial = oneLine.X - 1; trial >= lowestWrapWidth;) {
    const cl::TPoint client = layout(trial);
    if (client.X < trial) {
      trial = client.X;
      continue;
    }
    if (client.X == trial) {
      const SizeCandidate candidate{outer(client), trial};
      SizeCandidate& previous = candidates.back();
      // A narrower size with as many lines replaces the wider one; the one-line size always stays.
      if (candidates.size() > 1 && previous.Size.Y == candidate.Size.Y) {
        previous = candidate;
      } else if (!(previous.Size == candidate.Size)) {
        candidates.push_back(candidate);
      }
    }
    --trial;
  }
  std::stable_sort(candidates.begin(), candidates.end(), [vertical](const SizeCandidate& a, const SizeCandidate& b) {
    return vertical ? a.Size.Y > b.Size.Y : a.Size.X > b.Size.X;
  });
  return candidates;
}

FloatingSizer::FloatingSizer(std::vector<SizeCandidate> candidates, int hitCode, cl::TPoint currentSize,
                             int currentFloatRightX)
    : FCandidates(std::move(candidates)),
      FHitCode(hitCode),
      FVertical(hitCode == kHtTop || hitCode == kHtBottom),
      FFloatRightX(currentFloatRightX) {
  const auto current = std::find_if(FCandidates.begin(), FCandidates.end(),
                                    [&](const SizeCandidate& c) { return c.Size == currentSize; });
  if (current == FCandidates.end()) return;
  // The margin never reaches a neighbouring size, so that each stays reachable.
  const int size = AlongAxis(current->Size);
  if (current != FCandidates.begin()) {
    FSnapMargin = std::min(FSnapMargin, std::abs(AlongAxis(std::prev(current)->Size) - size) - 1);
  }
  if (std::next(current) != FCandidates.end()) {
    FSnapMargin = std::min(FSnapMargin, std::abs(AlongAxis(std::next(current)->Size) - size) - 1);
  }
  FSnapMargin = std::max(FSnapMargin, 0);
}

void FloatingSizer::Track(cl::TRect& newRect, const cl::TRect& startRect) {
  const int start = FVertical ? startRect.Height() : startRect.Width();
  int distance = FVertical ? newRect.Height() : newRect.Width();
  const bool growing = distance > start;
  const bool reversed = growing != FGrowing;
  FGrowing = growing;
  // Near the start size (until the size first changed, or right after turning back) the size stays.
  if ((!FChanged || reversed) && start - FSnapMargin <= distance && distance < start + FSnapMargin) distance = start;

  // Growing ends on the smallest candidate beyond the cursor (the largest when none is), shrinking on the largest
  // one within it (the smallest when none is).
  const int count = static_cast<int>(FCandidates.size());
  int chosen = 0;
  if (distance > start) {
    for (int i = 0; i < count; ++i) {
      if (i == 0 || AlongAxis(FCandidates[i].Size) > distance) chosen = i;
    }
  } else {
    for (int i = count - 1; i >= 0; --i) {
      if (i == count - 1 || AlongAxis(FCandidates[i].Size) <= distance) chosen = i;
    }
  }
  const SizeCandidate& candidate = FCandidates[chosen];
  const bool leftMoves = FHitCode == kHtLeft;
  const bool topMoves = FHitCode == kHtTop;
  newRect.Left = leftMoves ? startRect.Right - candidate.Size.X : startRect.Left;
  newRect.Right = newRect.Left + candidate.Size.X;
  newRect.Top = topMoves ? startRect.Bottom - candidate.Size.Y : startRect.Top;
  newRect.Bottom = newRect.Top + candidate.Size.Y;
  FFloatRightX = candidate.FloatRightX;
  FChanged = !(newRect == startRect);
}

}  // namespace tbr
