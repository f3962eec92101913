#include "viewer/print_bitmap.h"

#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "image/print_job.h"
#include "viewer/core/capture_rules.h"

namespace viewer {

void PrintBitmap3x(cl::TCanvas* canvas, cl::TBitmap* bitmap, int x, int y, int pageWidth, int pageHeight) {
  const cl::TRect printed = TripleSizePrintRect(bitmap->Width(), bitmap->Height(), x, y, pageWidth, pageHeight);
  img::PrintPlacement placement;
  placement.SourceWidth = bitmap->Width();
  placement.SourceHeight = bitmap->Height();
  placement.DestX = printed.Left;
  placement.DestY = printed.Top;
  placement.DestWidth = printed.Width();
  placement.DestHeight = printed.Height();
  img::StretchBitmapDIB(canvas->Handle(), bitmap, placement);
}

}  // namespace viewer
