// Plain controls for tests: TBox, a custom control that accepts children and counts its paints, and TSpot, a
// graphic control that draws nothing.
#pragma once

#include "classlib/win/custom_controls.h"

namespace cl::test {

class TBox : public TCustomControl {
  CL_CLASS(TBox, TCustomControl)
 public:
  explicit TBox(TComponent* owner) : TCustomControl(owner) { FControlStyle.Include(csAcceptsControls); }
  int Paints = 0;

 protected:
  void Paint() override { ++Paints; }
};

class TSpot : public TGraphicControl {
  CL_CLASS(TSpot, TGraphicControl)
 public:
  explicit TSpot(TComponent* owner) : TGraphicControl(owner) {}
};

}  // namespace cl::test
