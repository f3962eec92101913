// The two bases of controls that draw themselves: TGraphicControl (no window; it paints on its parent's, inside
// its own bounds) and TCustomControl (a window of its own). Both override Paint and draw on Canvas, which holds
// the paint DC while Paint runs.
#pragma once

#include "classlib/win/canvas.h"
#include "classlib/win/win_control.h"

namespace cl {

class TGraphicControl : public TControl {
  CL_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  void BeforeDestruction() override;
  TCanvas* Canvas() const { return FCanvas; }

 protected:
  virtual void Paint() {}
  void Dispatch(TMessage& message) override;

 private:
  TCanvas* FCanvas;
};

class TCustomControl : public TWinControl {
  CL_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* owner);
  void BeforeDestruction() override;
  TCanvas* Canvas() const { return FCanvas; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

 private:
  TCanvas* FCanvas;
};

// Runs paint with canvas holding dc, and takes the DC away again afterwards, also after an exception.
void PaintOnCanvas(TCanvas* canvas, HDC dc, const std::function<void()>& paint);

}  // namespace cl
