// A class-library canvas on a device context the caller owns, for drawing procedures that take a raw DC.
#pragma once

#include <windows.h>

#include "classlib/win/canvas.h"

namespace ctl {

class TDCCanvas {
 public:
  explicit TDCCanvas(HDC dc) : FCanvas(cl::New<cl::TCanvas>()) { FCanvas->SetHandle(dc); }
  ~TDCCanvas() {
    FCanvas->SetHandle(nullptr);
    cl::Free(FCanvas);
  }
  TDCCanvas(const TDCCanvas&) = delete;
  TDCCanvas& operator=(const TDCCanvas&) = delete;
  cl::TCanvas* operator->() const { return FCanvas; }
  cl::TCanvas* get() const { return FCanvas; }

 private:
  cl::TCanvas* FCanvas;
};

}  // namespace ctl
