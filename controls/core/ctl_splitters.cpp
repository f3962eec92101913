#include "controls/core/ctl_splitters.h"

namespace ctl {

void TCtlPaneInfo::SetAutoScroll(bool autoScroll) {
  if (autoScroll == FAutoScroll) return;
  FAutoScroll = autoScroll;
  Change();
}

void TCtlPaneInfo::SetColor(cl::TColor color) {
  if (color == FColor) return;
  FColor = color;
  Change();
}

void TCtlPaneInfo::Assign(const cl::TPersistent* source) {
  const auto* other = dynamic_cast<const TCtlPaneInfo*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  FColor = other->FColor;
  FPaneRect = other->FPaneRect;
  FAutoScroll = other->FAutoScroll;
  Change();
}

void TCtlCustomSplitter::SetColor(cl::TColor color) {
  if (color == FColor) return;
  FColor = color;
  Change();
}

void TCtlCustomSplitter::SetWidth(uint8_t width) {
  if (width == FGeometry.Width) return;
  FGeometry.Width = width;
  Change();
}

void TCtlCustomSplitter::SetDirection(TCtlSplitDirection direction) {
  if (direction == FGeometry.Direction) return;
  FGeometry.Direction = direction;
  Change();
}

void TCtlCustomSplitter::SetIndexProp(int index, int32_t value) {
  int32_t& field = index == 0 ? FGeometry.Min : index == 1 ? FGeometry.Max : FGeometry.Position;
  if (value == field) return;
  field = value;
  Change();
}

void TCtlCustomSplitter::Assign(const cl::TPersistent* source) {
  const auto* other = dynamic_cast<const TCtlCustomSplitter*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  FColor = other->FColor;
  FGeometry.Direction = other->FGeometry.Direction;
  FGeometry.Min = other->FGeometry.Min;
  FGeometry.Max = other->FGeometry.Max;
  FGeometry.Position = other->FGeometry.Position;
  Change();
}

}  // namespace ctl
