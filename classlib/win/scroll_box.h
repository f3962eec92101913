// TScrollBox: a container whose children scroll, with the bars or the mouse wheel. Children keep coordinates
// relative to the visible client area; setting a bar's Position moves them, so Position 0 on both bars shows the
// top-left. With AutoScroll the range is the children's extent plus the position.
#pragma once

#include "classlib/win/forms.h"

namespace cl {

class TScrollBox;

class TControlScrollBar {
 public:
  TControlScrollBar(TScrollBox* box, int bar) : FBox(box), FBar(bar) {}
  int Position() const { return FPosition; }
  void SetPosition(int position);
  int Range() const { return FRange; }
  void SetRange(int range);
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  int Increment() const { return FIncrement; }
  void SetIncrement(int increment) { FIncrement = increment; }

 private:
  friend class TScrollBox;
  TScrollBox* FBox;
  int FBar;  // SB_HORZ or SB_VERT
  int FPosition = 0;
  int FRange = 0;
  int FIncrement = 8;
  bool FVisible = true;
};

class TScrollBox : public TWinControl {
  CL_CLASS(TScrollBox, TWinControl)
 public:
  explicit TScrollBox(TComponent* owner);

  TControlScrollBar* HorzScrollBar() { return &FHorz; }
  TControlScrollBar* VertScrollBar() { return &FVert; }
  // bsSingle (the default): a sunken edge round the box; bsNone: none.
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle style);
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool autoScroll);
  // Recomputes the automatic ranges and updates the system scroll bars.
  void UpdateScrollBars();

  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void AlignControls(TControl* control, TRect& rect) override;
  void ControlBoundsChanged(TControl* control) override;

 private:
  friend class TControlScrollBar;
  void ScrollTo(TControlScrollBar& bar, int position);
  void ScrollMessage(TControlScrollBar& bar, WPARAM request);
  // Scrolls for a wheel turn of delta (WHEEL_DELTA a notch, positive away from the user: up or left).
  void MouseWheel(TControlScrollBar& bar, int delta);
  int ClientExtent(const TControlScrollBar& bar) const;

  TControlScrollBar FHorz{this, SB_HORZ};
  TControlScrollBar FVert{this, SB_VERT};
  TFormBorderStyle FBorderStyle = bsSingle;
  bool FAutoScroll = true;
  bool FUpdating = false;
  bool FScrolling = false;
};

}  // namespace cl
