// The geometry of the spin buttons: the diagonal that splits a button into its up and down halves, the arrows and
// glyphs on each half, and where an edit puts its button.
#pragma once

#include <vector>

#include "classlib/core/types.h"

namespace viewer {

// True for a point below the diagonal from the bottom-left to the top-right corner of a width x height button.
bool InLowerHalf(int x, int y, int width, int height);

struct ArrowLine {
  cl::TPoint From;
  cl::TPoint To;  // exclusive end, as a pen line draws it
};

// The lines of an arrow of size 2..15 (none otherwise) with its top-left at (x, y): up, rows widening from a point;
// down, rows narrowing to a single pixel (a line of length one).
std::vector<ArrowLine> ArrowLines(int x, int y, bool down, int size);

// Where the diagonal spin button draws its arrows (the pressed half's one pixel further into it).
cl::TPoint UpArrowOrigin(int width, int height, bool pressed);
cl::TPoint DownArrowOrigin(int width, int height, bool pressed);
// Where the glyph spin button draws its glyphs (the up glyph one pixel further while the top is pressed).
cl::TPoint UpGlyphOrigin(int width, int height, int glyphWidth, int glyphHeight, bool pressed);
cl::TPoint DownGlyphOrigin(int width, int height, int glyphWidth, int glyphHeight);

// The smallest height of a spin edit: the font's character height, a quarter of the smaller of that and the system
// font's height, and what the border takes.
int SpinMinHeight(int charHeight, int systemCharHeight, int borderExtra);

struct SpinBoxLayout {
  cl::TRect Button;  // in the edit's client area
  cl::TRect Format;  // the text's formatting rectangle
};
// The button is a square at the right end, of the edit's height less inset; the text stops 2 pixels before it.
SpinBoxLayout LayoutSpinBox(int width, int height, int clientWidth, int clientHeight, int inset);

}  // namespace viewer
