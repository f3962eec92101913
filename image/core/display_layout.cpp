#include "image/core/display_layout.h"

#include <algorithm>

namespace img {

namespace {

// Trunc(side * scale), cut to the designed side when larger.
int ScaledSide(int side, const Real48& scale, int designedSide) {
  const int64_t scaled = scale.MultiplyTruncated(side);
  return int(std::clamp<int64_t>(scaled, 0, std::max(designedSide, 0)));
}

}  // namespace

ClippedSource ClipSourceRect(cl::TRect rect, int width, int height) {
  if (rect.Left < 0) rect.Left = width / 4;
  if (rect.Top < 0) rect.Top = height / 4;
  if (rect.Right > width) rect.Right = (width / 4) * 3;
  if (rect.Bottom > height) rect.Bottom = (height / 4) * 3;
  return {rect, rect.Left < rect.Right && rect.Top < rect.Bottom};
}

int StepUpToMultipleOf8(int side) {
  side = std::max(side, 0);
  return side + 8 - side % 8;
}

DisplayLayout ComputeDisplayLayout(const DisplayRequest& request) {
  DisplayLayout layout;
  const bool cropped = request.ClipValid && request.Crop;
  if (cropped) {
    layout.SourceX = request.Source.Left;
    layout.SourceY = request.Source.Top;
    // The last column and row count, but never one beyond the picture (a rectangle that reaches its edge).
    layout.SourceWidth = std::min(request.Source.Right + 1, request.PictureWidth) - request.Source.Left;
    layout.SourceHeight = std::min(request.Source.Bottom + 1, request.PictureHeight) - request.Source.Top;
  } else {
    layout.SourceWidth = request.PictureWidth;
    layout.SourceHeight = request.PictureHeight;
  }
  if (layout.SourceWidth <= 0 || layout.SourceHeight <= 0) return layout;

  const DesignedBox& box = request.Box;
  if (request.ActualSize) {
    layout.Scale = Real48::One();
    layout.OutWidth = layout.SourceWidth;
    layout.OutHeight = layout.SourceHeight;
  } else {
    layout.FitComputed = true;
    layout.FitX = Real48::FromRatio(box.Width, layout.SourceWidth);
    layout.FitY = Real48::FromRatio(box.Height, layout.SourceHeight);
    layout.Scale = layout.FitX > layout.FitY ? layout.FitY : layout.FitX;
    layout.OutWidth = StepUpToMultipleOf8(ScaledSide(layout.SourceWidth, layout.Scale, box.Width));
    layout.OutHeight = StepUpToMultipleOf8(ScaledSide(layout.SourceHeight, layout.Scale, box.Height));
  }
  layout.OffsetX = std::max((box.Width - layout.OutWidth) / 2, 0);
  layout.OffsetY = std::max((box.Height - layout.OutHeight) / 2, 0);
  layout.Bounds = cl::Bounds(box.Left + layout.OffsetX, box.Top + layout.OffsetY, layout.OutWidth, layout.OutHeight);

  const Real48 one = Real48::One();
  if (layout.Scale < one) {
    layout.Draw = DisplayDraw::ShrinkOntoShown;
  } else if (layout.Scale > one) {
    layout.Draw = DisplayDraw::EnlargeFromWorking;
  } else {
    layout.Draw = cropped && request.ActualSize ? DisplayDraw::MoveOntoShown : DisplayDraw::ResizeOnly;
  }
  return layout;
}

}  // namespace img
