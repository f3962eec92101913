#include "toolbars/core/popup_placement.h"

#include <algorithm>

#include "classlib/core/numbers.h"

namespace tbr::menus {
namespace {

// A submenu overlaps its parent by this much on the side it opens to.
constexpr int kSubmenuOverlap = 6;
// An upward menu opened by a button leaves this gap above it.
constexpr int kButtonGap = 2;
// A system menu opened from its form's icon ends this far below the form's top.
constexpr int kSystemMenuDrop = 3;

bool GrowsDown(TAnimation kind) {
  return kind == anVSlide || kind == anUnfold;
}

bool GrowsAcross(TAnimation kind) {
  return kind == anHSlide || kind == anUnfold;
}

}  // namespace

OpenAnimationChoice ResolveOpenAnimation(TAnimation animation, bool randomPicksVSlide) {
  switch (animation) {
    case anRandom:
      return {randomPicksVSlide ? anVSlide : anHSlide, anRandom};
    case anSmart:
      return {anVSlide, anHSlide};
    case anPopup:
      return {anUnfold, anHSlide};
    default:
      return {animation, animation};
  }
}

TAnimation ResolveCloseAnimation(TAnimation animation, bool isSubmenu, bool randomPicksVSlide) {
  switch (animation) {
    case anRandom:
      return randomPicksVSlide ? anVSlide : anHSlide;
    case anSmart:
      return isSubmenu ? anHSlide : anVSlide;
    case anPopup:
      return isSubmenu ? anHSlide : anUnfold;
    default:
      return animation;
  }
}

PopupPlacement PlacePopup(const PopupPlacementInput& in) {
  PopupPlacement out{in.Left, in.Top, false, false};
  const cl::TRect& work = in.WorkArea;
  if (out.Left + in.Width > work.Right) {
    if (in.FromBarButton && in.BarButtonVertical) {
      out.Left = in.BarButtonLeft - in.Width;
    } else if (in.IsSubmenu) {
      // The resolved kind decides: a window that grows across starts at its parent's left edge and grows
      // leftward from there; one of full width (a vertical slide, no animation) is placed left of the parent.
      out.Left = GrowsAcross(in.Kind) ? in.ParentLeft + kSubmenuOverlap : in.ParentLeft - in.Width + kSubmenuOverlap;
      out.OpensLeftward = true;
    } else {
      out.Left = work.Right - in.Width;
    }
  }
  if (out.Left <= 0) out.Left = 1;

  out.OpensUpward = out.Top + in.Height > work.Bottom && out.Top >= in.Height && in.Kind != anHSlide;
  if (in.FromControl && out.Top < in.ControlHeight) out.OpensUpward = false;
  if (out.OpensUpward) {
    if (in.FromButton && !(in.FromBarButton && in.BarButtonVertical)) out.Top -= in.ControlHeight + kButtonGap;
    if (!in.FromBarButton && in.SystemMenuFromForm) out.Top = in.ControlTop + kSystemMenuDrop;
  } else if (out.Top + in.Height > work.Bottom) {
    out.Top = work.Bottom - in.Height;
    // Pushed up over its bar button, the menu moves beside the button instead.
    if (in.FromBarButton && !in.BarButtonVertical) {
      if (out.Left + in.Width + in.BarButtonWidth > work.Right) {
        out.Left = in.BarButtonLeft - in.Width;
      } else {
        out.Left += in.BarButtonWidth;
      }
    }
  }
  if (out.Top <= 0) out.Top = 1;
  return out;
}

AnimationSteps AnimationStepsFor(int width, int height, int itemHeight, bool doubleSpeed, TAnimation kind) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  // An item height of 0 to 2 would give a base of 0 (a division by zero) or steps of 0 (a loop without end).
  const int base = static_cast<int>(std::max<int64_t>(1, cl::Round(itemHeight * (doubleSpeed ? 1.2L : 0.6L))));
  const int verticalFrames = GrowsDown(kind) ? height / base + 1 : 1;
  const int horizontalFrames = GrowsAcross(kind) ? width / base + 1 : 1;
  const int frames = std::max(verticalFrames, horizontalFrames);
  AnimationSteps steps;
  // Round halves to even, as the steps always were: 3 * 1.5 gives 4.
  steps.VStep = static_cast<int>(std::max<int64_t>(1, cl::Round((height / frames) * 1.5L)));
  steps.HStep = static_cast<int>(std::max<int64_t>(1, cl::Round((width / frames) * 1.5L) + 1));
  return steps;
}

OpenFrames OpenFrameSequence(const PopupPlacement& placement, int width, int height, TAnimation kind,
                             AnimationSteps steps) {
  const int hStep = std::max(steps.HStep, 1);
  const int vStep = std::max(steps.VStep, 1);
  const bool across = GrowsAcross(kind);
  const bool down = GrowsDown(kind);
  // The window starts at zero size on the placement's corner; an upward (leftward) opening keeps its bottom
  // (right) edge there while it grows.
  const int anchorRight = placement.Left;
  const int anchorBottom = placement.Top;
  auto left = [&](int w) { return placement.OpensLeftward && across ? anchorRight - w : placement.Left; };
  auto top = [&](int h) { return placement.OpensUpward ? anchorBottom - h : placement.Top; };
  OpenFrames result;
  int w = across ? 0 : width;
  int h = down ? 0 : height;
  // Each pass grows at least one side by at least a pixel, so the loop ends; it leaves as soon as a side is
  // full, and the full bounds follow.
  while (w < width || h < height) {
    if (w < width) {
      w += hStep;
      if (w >= width) break;
    }
    if (h < height) {
      h += vStep;
      if (h >= height) break;
    }
    result.Frames.push_back({left(w), top(h), w, h});
  }
  constexpr int kSoundFrame = 2;
  result.SoundFrame = static_cast<int>(result.Frames.size()) > kSoundFrame ? kSoundFrame : -1;
  // The full bounds come from the anchor, not from the last frame: a menu that shows no frame ends in the
  // same place. An upward menu ends a pixel below its anchor, as it always has.
  result.Final.Left = placement.OpensLeftward && across ? anchorRight - width : placement.Left;
  result.Final.Top = placement.OpensUpward ? anchorBottom - height + 1 : placement.Top;
  result.Final.Width = width;
  result.Final.Height = height;
  return result;
}

std::vector<FrameBounds> CloseFrameSequence(const FrameBounds& from, TAnimation kind, AnimationSteps steps,
                                            bool opensUpward, bool opensLeftward) {
  const int hStep = std::max(steps.HStep, 1);
  const int vStep = std::max(steps.VStep, 1);
  const int targetWidth = GrowsAcross(kind) ? 0 : from.Width;
  const int targetHeight = GrowsDown(kind) ? 0 : from.Height;
  const int right = from.Left + from.Width;
  const int bottom = from.Top + from.Height;
  std::vector<FrameBounds> frames;
  int w = from.Width;
  int h = from.Height;
  while (w > targetWidth || h > targetHeight) {
    if (w > targetWidth) w = std::max(targetWidth, w - hStep);
    if (h > targetHeight) h = std::max(targetHeight, h - vStep);
    frames.push_back({opensLeftward ? right - w : from.Left, opensUpward ? bottom - h : from.Top, w, h});
  }
  return frames;
}

int FramePacer::SleepAfter(int frameMs) {
  int rest = FTimeout - frameMs;
  if (rest < 0) {
    FDebt += rest;
    rest = 0;
  }
  if (FDebt < 0) {
    FDebt = std::min(FDebt + rest, 0);
    return 0;
  }
  return rest;
}

}  // namespace tbr::menus
