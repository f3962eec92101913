// TLoadImage's printing of a bitmap on the class library's printer, as a DIB stretched onto the page. An empty
// bitmap starts no job; a job that fails half-way is aborted, so the printer is never left printing.
#include <windows.h>

#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "classlib/win/printer.h"
#include "image/hour_glass.h"
#include "image/load_image.h"

namespace img {

namespace {

constexpr char kUnreadableBitmap[] = "Bitmap image is not valid";
constexpr char kPrintFailed[] = "The picture could not be printed";

void DrawOnPage(cl::TPrinter* printer, cl::TBitmap* bitmap, int x, int y, bool actual, const cl::TRect& area) {
  DWORD infoSize = 0, imageSize = 0;
  HBITMAP handle = bitmap->Handle();
  cl::GetDIBSizes(handle, infoSize, imageSize);
  std::vector<uint8_t> info(infoSize), bits(imageSize);
  if (!cl::GetDIB(handle, bitmap->Palette(), info.data(), bits.data())) throw cl::EInvalidGraphic(kUnreadableBitmap);
  const PrintPlacement placement =
      PlacePrint(bitmap->Width(), bitmap->Height(), x, y, actual, area, printer->PageWidth());
  const int lines = StretchDIBits(printer->Canvas()->Handle(), placement.DestX, placement.DestY, placement.DestWidth,
                                  placement.DestHeight, placement.SourceX, placement.SourceY, placement.SourceWidth,
                                  placement.SourceHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(info.data()),
                                  DIB_RGB_COLORS, SRCCOPY);
  if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) throw cl::EPrinter(kPrintFailed);
}

}  // namespace

void TLoadImage::PrintBitmap(cl::TBitmap* bitmap, int x, int y, bool actual, const cl::TRect& area,
                             const std::string& title) {
  if (!bitmap || bitmap->Empty() || bitmap->Width() <= 0 || bitmap->Height() <= 0) return;
  HourGlass hourGlass;
  cl::TPrinter* printer = cl::Printer();
  printer->SetTitle(title);
  printer->BeginDoc();
  try {
    DrawOnPage(printer, bitmap, x, y, actual, area);
  } catch (...) {
    printer->Abort();
    throw;
  }
  printer->EndDoc();
}

}  // namespace img
