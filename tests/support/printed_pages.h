// The PDF printer of the test set-up: the CUPS queue "PDF" that scripts/pdf-printer adds, which writes each job as
// a PDF file into the folder PROJECT_PDF_DIR names, and the pages of those files read back as pixels through
// pdftoppm (PROJECT_PDFTOPPM), at the printer's own resolution so that one pixel read is one printer pixel.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

constexpr char kPdfPrinter[] = "PDF";

// The test pictures that are printed: each quarter of width x height in a colour of its own (none white), so that
// a print shows where the picture went, at which size, and that it stands upright and unmirrored.
COLORREF QuarterColor(int x, int y, int width, int height);

// A document name that no other test run on this machine uses (every build shares the printer's folder): stem and
// a random number, in lower case as the printer writes file names.
std::string UniqueDocumentName(const std::string& stem);

// The top-left part of a printed page's printable area.
class PrintedPage {
 public:
  PrintedPage(int width, int height, std::vector<unsigned char> rgb);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The colour at (x, y) as a COLORREF.
  COLORREF Color(int x, int y) const;
  // The smallest rectangle around the pixels that are not white; empty (all 0) for a white page.
  RECT InkBounds() const;

 private:
  int FWidth;
  int FHeight;
  std::vector<unsigned char> FRgb;  // top-down rows of 3 bytes a pixel
};

// What differs between the page and a quarter picture printed over picture (printer pixels): the bounds of the
// page's ink (one pixel of slack on each side, where a printed edge falls between pixels) and the colour at the
// middle of each quarter. Empty when nothing differs.
std::string PictureMismatch(const PrintedPage& page, const RECT& picture);

// The destination and source rectangles (left, top, width, height) of the first StretchDIBits of a metafile page,
// as a page recorded by the class library's metafile printer holds them.
struct StretchRecord {
  bool Found = false;
  RECT Dest{};
  RECT Source{};
};
StretchRecord FirstStretch(HENHMETAFILE page);

// Waits (up to a minute) for the whole PDF file of the job whose name holds documentName, reads width x height
// printer pixels from the top-left corner of its first page's printable area and deletes the file. Throws
// std::runtime_error when the printer is missing or no such file arrives.
PrintedPage ReadPrintedPage(const std::string& documentName, int width, int height);

}  // namespace testsupport
