// The hourglass for the time of a long operation of the image control; the previous screen cursor comes back at
// the end, also when an exception passes.
#pragma once

#include "classlib/win/screen.h"

namespace img {

class HourGlass {
 public:
  HourGlass() : FPrevious(cl::Screen ? cl::Screen->Cursor() : cl::crDefault) {
    if (cl::Screen) cl::Screen->SetCursor(cl::crHourGlass);
  }
  HourGlass(const HourGlass&) = delete;
  HourGlass& operator=(const HourGlass&) = delete;
  ~HourGlass() {
    if (cl::Screen) cl::Screen->SetCursor(FPrevious);
  }

 private:
  cl::TCursor FPrevious;
};

}  // namespace img
