// Colour gradients: the colour list, a palette of it, and the eight gradient styles drawn on a canvas.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/core/types.h"
#include "classlib/win/gdi.h"
#include "controls/core/draw_placement.h"

namespace cl {
class TCanvas;
}

namespace ctl {

// Replaces list by count colours from a to b; system colours are turned into RGB first.
void MakeGradientColors(cl::TColor a, cl::TColor b, int count, std::vector<cl::TColor>& list);
// A palette with one PC_NOCOLLAPSE entry per colour; none for an empty list.
cl::gdi::Object<HPALETTE> CreatePaletteFromList(const std::vector<cl::TColor>& list);
// Draws gradient style 0..7 of colors into rect with a solid brush and no pen (the canvas's tools come back
// afterwards). dfOffScreen paints into a bitmap of the rectangle's size first; dfClip clips to rect moved by the
// packed offset; dfPalette selects and realises palette. Nothing for an empty list or rectangle.
void DrawGradient(cl::TCanvas* canvas, const cl::TRect& rect, int style, uint32_t offset, TDrawFlags flags,
                  HPALETTE palette, const std::vector<cl::TColor>& colors);
// DrawGradient with count colours from a to b (and their palette under dfPalette).
void FillGradient(cl::TCanvas* canvas, const cl::TRect& rect, cl::TColor a, uint32_t offset, TDrawFlags flags,
                  int style, int count, cl::TColor b);

}  // namespace ctl
