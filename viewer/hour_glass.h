// The hourglass cursor for the length of a scope (a file loading); the cursor before it comes back on every
// path, also when the work raises.
#pragma once

#include "classlib/core/cursors.h"
#include "classlib/win/screen.h"

namespace viewer {

class HourGlass {
 public:
  HourGlass() : FSaved(cl::Screen->Cursor()) { cl::Screen->SetCursor(cl::crHourGlass); }
  ~HourGlass() { cl::Screen->SetCursor(FSaved); }
  HourGlass(const HourGlass&) = delete;
  HourGlass& operator=(const HourGlass&) = delete;

 private:
  cl::TCursor FSaved;
};

}  // namespace viewer
