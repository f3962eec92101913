// Printing pictures on the class library's printer: a job of one page, and a bitmap drawn onto a page as a DIB of
// itself (printer drivers take device-independent bits, not the screen's bitmaps).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "image/core/transform_geometry.h"

namespace cl {
class TBitmap;
class TPrinter;
}  // namespace cl

namespace img {

// Starts a job named title on the class library's printer under the hourglass, lets drawPage fill its page and
// ends the job. When drawPage raises, the job is aborted, so that no broken page comes out, and the exception
// passes on; a printer that cannot start the job raises the printer's error and prints nothing.
void PrintOnePage(const std::string& title, const std::function<void(cl::TPrinter& printer)>& drawPage);

// Draws the placement's source part of the bitmap's DIB (at the bitmap's bit count, with its palette) over the
// placement's destination on dc: RGB colour table, plain copy. EInvalidGraphic when the bitmap cannot be read,
// EPrinter when the device draws nothing.
void StretchBitmapDIB(HDC dc, cl::TBitmap* bitmap, const PrintPlacement& placement);

}  // namespace img
