// The settings objects of a split control: one per pane (scrolling and colour) and one per splitter bar (colour,
// limits, position, width and direction). Each change notifies the control, which lays itself out again.
#pragma once

#include <cstdint>

#include "classlib/core/types.h"
#include "controls/core/ctl_objects.h"
#include "controls/core/split_layout.h"

namespace ctl {

// clBtnFace, the colour panes and bars start with.
constexpr cl::TColor kSplitFaceColor = static_cast<cl::TColor>(0x8000000F);

class TCtlPaneInfo : public TCtlObject {
  CL_CLASS(TCtlPaneInfo, TCtlObject)
 public:
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool autoScroll);
  cl::TColor Color() const { return FColor; }
  void SetColor(cl::TColor color);

  int PaneIndex() const { return FPaneIndex; }
  void SetPaneIndex(int index) { FPaneIndex = index; }
  // The pane's rectangle in the control, as the layout computed it.
  const cl::TRect& PaneRect() const { return FPaneRect; }
  void SetPaneRect(const cl::TRect& rect) { FPaneRect = rect; }

  // From another pane info: Color, the rectangle and AutoScroll, then one notification.
  void Assign(const cl::TPersistent* source) override;

 private:
  bool FAutoScroll = true;
  cl::TColor FColor = kSplitFaceColor;
  int FPaneIndex = 0;
  cl::TRect FPaneRect = cl::Rect(0, 1, 0, 1);
};

class TCtlCustomSplitter : public TCtlObject {
  CL_CLASS(TCtlCustomSplitter, TCtlObject)
 public:
  cl::TColor Color() const { return FColor; }
  void SetColor(cl::TColor color);
  int32_t Min() const { return FGeometry.Min; }
  void SetMin(int32_t value) { SetIndexProp(0, value); }
  int32_t Max() const { return FGeometry.Max; }
  void SetMax(int32_t value) { SetIndexProp(1, value); }
  int32_t Position() const { return FGeometry.Position; }
  void SetPosition(int32_t value) { SetIndexProp(2, value); }
  uint8_t Width() const { return static_cast<uint8_t>(FGeometry.Width); }
  void SetWidth(uint8_t width);
  TCtlSplitDirection Direction() const { return FGeometry.Direction; }
  void SetDirection(TCtlSplitDirection direction);

  // The bar and its limits as the layout computed them, with the settings the layout may have clamped.
  const TSplitterGeometry& Geometry() const { return FGeometry; }
  TSplitterGeometry& Geometry() { return FGeometry; }

  // From another splitter: Color, Direction, Min, Max and Position (not Width), then a notification unless locked.
  void Assign(const cl::TPersistent* source) override;

 protected:
  // 0 Min, 1 Max, 2 Position.
  void SetIndexProp(int index, int32_t value);

 private:
  cl::TColor FColor = kSplitFaceColor;
  TSplitterGeometry FGeometry;
};

// The main bar of a split control; its direction decides the second bar's.
class TCtlMainSplitter : public TCtlCustomSplitter {
  CL_CLASS(TCtlMainSplitter, TCtlCustomSplitter)
};

}  // namespace ctl
