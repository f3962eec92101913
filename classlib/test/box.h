// TBox: a plain container for tests, a custom control that accepts children and counts its paints.
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

}  // namespace cl::test
