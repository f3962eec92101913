// Sizing a floating toolbar with the mouse: the outer sizes its lines can take (one per number of lines, the
// narrowest wrap width for each), and which of them a dragged edge snaps to, with a margin around the size the
// bar had so that a small move does not change it.
#pragma once

#include <functional>
#include <vector>

#include "classlib/core/types.h"

namespace tbr {

// An outer size a floating toolbar can take and the wrap width that gives it (0: one line).
struct SizeCandidate {
  cl::TPoint Size;
  int FloatRightX = 0;
  bool operator==(const SizeCandidate&) const = default;
};

// The snap margin around the size the bar had, at most this and never reaching a neighbouring candidate.
constexpr int kMaxSnapMargin = 12;

// The sizes a floating toolbar can take. layout(floatRightX) gives the client size of the layout at that wrap width
// (0: one line); nonClient is added to make outer sizes. Trial wrap widths run from just under the one-line width
// down to lowestWrapWidth, each a width the layout can really take; of candidates with the same height only the
// narrowest stays. Sorted tallest first when sizing vertically, else widest first.
std::vector<SizeCandidate> FloatingSizeCandidates(const std::function<cl::TPoint(int floatRightX)>& layout,
                                                  cl::TPoint nonClient, int lowestWrapWidth, bool vertical);

// Follows one sizing of a floating toolbar from a border with the given hit code.
class FloatingSizer {
 public:
  // currentFloatRightX stays the wrap width until a move picks a candidate.
  FloatingSizer(std::vector<SizeCandidate> candidates, int hitCode, cl::TPoint currentSize, int currentFloatRightX);

  // Moves newRect (the start rectangle with the dragged edge where the cursor put it) to the candidate the cursor
  // points at, anchored at the edges that do not move.
  void Track(cl::TRect& newRect, const cl::TRect& startRect);

  // The wrap width of the size chosen last.
  int FloatRightX() const { return FFloatRightX; }
  int SnapMargin() const { return FSnapMargin; }
  const std::vector<SizeCandidate>& Candidates() const { return FCandidates; }

 private:
  int AlongAxis(cl::TPoint size) const { return FVertical ? size.Y : size.X; }

  std::vector<SizeCandidate> FCandidates;
  int FHitCode;
  bool FVertical;
  int FSnapMargin = kMaxSnapMargin;
  int FFloatRightX = 0;
  bool FChanged = false;  // the rectangle differs from the start rectangle
  bool FGrowing = false;  // the last move went beyond the start size
};

}  // namespace tbr
