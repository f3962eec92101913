// TControlCanvas: a canvas on a control's screen area outside painting. A windowed control's canvas is a DC of
// its window; a graphic control's is its parent's, with the origin moved to the control and clipped to it. The DC
// is taken on first use and given back by FreeHandle (also before the control paints).
#pragma once

#include <windows.h>

#include "classlib/win/canvas.h"

namespace cl {

class TControl;

class TControlCanvas : public TCanvas {
  CL_CLASS(TControlCanvas, TCanvas)
 public:
  TControlCanvas() = default;
  void BeforeDestruction() override;

  TControl* Control() const { return FControl; }
  // Gives back the DC of the previous control.
  void SetControl(TControl* control);
  // Gives the DC back; the next drawing takes a new one.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl = nullptr;
  HWND FWindow = nullptr;  // the window whose DC is held
  HDC FDC = nullptr;
};

}  // namespace cl
