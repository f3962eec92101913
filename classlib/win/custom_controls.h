// The two bases of controls that draw themselves: TGraphicControl (no window; it paints on its parent's, inside
// its own bounds) and TCustomControl (a window of its own). Both override Paint and draw on Canvas, which holds
// the paint DC while Paint runs, and a DC of the control's screen area outside Paint.
#pragma once

#include "classlib/win/control_canvas.h"
#include "classlib/win/win_control.h"

namespace cl {

class TGraphicControl : public TControl {
  CL_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  void BeforeDestruction() override;
  TControlCanvas* Canvas() const { return FCanvas; }

 protected:
  virtual void Paint() {}
  void Dispatch(TMessage& message) override;

 private:
  TControlCanvas* FCanvas;
};

class TCustomControl : public TWinControl {
  CL_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* owner);
  void BeforeDestruction() override;
  TControlCanvas* Canvas() const { return FCanvas; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  // Gives back the canvas's DC before the window goes.
  void DestroyWnd() override;

 private:
  TControlCanvas* FCanvas;
};

// Runs paint with canvas holding dc (instead of a DC it held), and takes the DC away again afterwards, also
// after an exception.
void PaintOnCanvas(TControlCanvas* canvas, HDC dc, const std::function<void()>& paint);

}  // namespace cl
