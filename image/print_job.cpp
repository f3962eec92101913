#include "image/print_job.h"

#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "classlib/win/printer.h"
#include "image/hour_glass.h"

namespace img {

namespace {
constexpr char kUnreadableBitmap[] = "Bitmap image is not valid";
constexpr char kPrintFailed[] = "The picture could not be printed";
}  // namespace

void PrintOnePage(const std::string& title, const std::function<void(cl::TPrinter& printer)>& drawPage) {
  HourGlass hourGlass;
  cl::TPrinter* printer = cl::Printer();
  printer->SetTitle(title);
  printer->BeginDoc();
  try {
    drawPage(*printer);
  } catch (...) {
    printer->Abort();
    throw;
  }
  printer->EndDoc();
}

void StretchBitmapDIB(HDC dc, cl::TBitmap* bitmap, const PrintPlacement& placement) {
  DWORD infoSize = 0, imageSize = 0;
  HBITMAP handle = bitmap->Handle();
  cl::GetDIBSizes(handle, infoSize, imageSize);
  std::vector<uint8_t> info(infoSize), bits(imageSize);
  if (!cl::GetDIB(handle, bitmap->Palette(), info.data(), bits.data())) throw cl::EInvalidGraphic(kUnreadableBitmap);
  const int lines = StretchDIBits(dc, placement.DestX, placement.DestY, placement.DestWidth, placement.DestHeight,
                                  placement.SourceX, placement.SourceY, placement.SourceWidth, placement.SourceHeight,
                                  bits.data(), reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
  if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) throw cl::EPrinter(kPrintFailed);
}

}  // namespace img
