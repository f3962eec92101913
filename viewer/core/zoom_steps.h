// The zoom steps of an image window, the sizes a zoom or fit gives its image control, and where a new selection
// starts.
#pragma once

#include <array>
#include <cstdint>

#include "classlib/core/types.h"

namespace viewer {

struct ZoomStep {
  const char* Name;     // the menu item's name
  const char* Caption;  // its caption
  int Percent;
};

// "Zoom In" > "2:1" .. "10:1".
extern const std::array<ZoomStep, 9> kZoomInSteps;
// "Zoom Out" > "1:2" .. "1:10": the item names do not give the percentages.
extern const std::array<ZoomStep, 9> kZoomOutSteps;

// A side of the picture at percent: percent * side / 100 to the nearest integer, an exact half to the even one.
int ZoomSize(int percent, int side);

// Fit to Window keeps this margin between the image control and the window's client edges.
constexpr int kFitMargin = 18;
inline int FitSize(int clientSide) {
  return clientSide - kFitMargin;
}

struct ControlExtent {
  int Width = 0;
  int Height = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
};

// The rectangle a new selection starts with, in the image control's pixels: the middle half of the scroll box
// in each direction where the box is smaller than the image control, else of the image control.
cl::TRect InitialSelection(const ControlExtent& scrollBox, const ControlExtent& image);

}  // namespace viewer
