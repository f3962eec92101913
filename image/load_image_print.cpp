// TLoadImage's printing of a bitmap on the class library's printer, as a DIB stretched onto the page. An empty
// bitmap starts no job.
#include "classlib/win/bitmap.h"
#include "classlib/win/printer.h"
#include "image/load_image.h"
#include "image/print_job.h"

namespace img {

void TLoadImage::PrintBitmap(cl::TBitmap* bitmap, int x, int y, bool actual, const cl::TRect& area,
                             const std::string& title) {
  if (!bitmap || bitmap->Empty() || bitmap->Width() <= 0 || bitmap->Height() <= 0) return;
  PrintOnePage(title, [&](cl::TPrinter& printer) {
    StretchBitmapDIB(printer.Canvas()->Handle(), bitmap,
                     PlacePrint(bitmap->Width(), bitmap->Height(), x, y, actual, area, printer.PageWidth()));
  });
}

}  // namespace img
