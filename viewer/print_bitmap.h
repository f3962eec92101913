// The image window's printing: a picture drawn on a printer page at three times its size.
#pragma once

namespace cl {
class TBitmap;
class TCanvas;
}  // namespace cl

namespace viewer {

// Draws the bitmap on the canvas of a page of pageWidth x pageHeight pixels with its top-left corner at (x, y), at
// three times its size; a picture that would run off the page at that size is drawn at the largest size with its
// proportions that stays on it. EInvalidGraphic when the bitmap cannot be read, EPrinter when nothing is drawn.
void PrintBitmap3x(cl::TCanvas* canvas, cl::TBitmap* bitmap, int x, int y, int pageWidth, int pageHeight);

}  // namespace viewer
