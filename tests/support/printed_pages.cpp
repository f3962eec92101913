// Printed PDF files found by document name and rendered by pdftoppm, a Linux program that Wine starts like any
// other. Wine gives no handle to wait for such a program, so its output file is awaited instead: pdftoppm writes
// a binary PPM whose length follows from the size asked for.
#include "support/printed_pages.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>

namespace testsupport {
namespace {

constexpr auto kArrivalTimeout = std::chrono::seconds(60);
constexpr auto kPollInterval = std::chrono::milliseconds(100);

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) throw std::runtime_error(std::string(name) + " is not set");
  return value;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The Linux path of a path on drive Z:, which Wine maps to the root.
std::string UnixPath(const std::string& path) {
  if (path.size() < 2 || std::toupper(static_cast<unsigned char>(path[0])) != 'Z' || path[1] != ':')
    throw std::runtime_error("not on drive Z: " + path);
  std::string unix = path.substr(2);
  std::replace(unix.begin(), unix.end(), '\\', '/');
  return unix;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The printer's resolution and the offset of its printable area on the sheet, in printer pixels.
struct PrinterGeometry {
  int Dpi = 0;
  int OffsetX = 0;
  int OffsetY = 0;
};

PrinterGeometry PdfPrinterGeometry() {
  HDC dc = CreateDCA("WINSPOOL", kPdfPrinter, nullptr, nullptr);
  if (!dc)
    throw std::runtime_error(std::string("no printer \"") + kPdfPrinter +
                             "\": scripts/pdf-printer starts CUPS and adds it (scripts/test runs it)");
  const PrinterGeometry geometry{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, PHYSICALOFFSETX),
                                 GetDeviceCaps(dc, PHYSICALOFFSETY)};
  const int verticalDpi = GetDeviceCaps(dc, LOGPIXELSY);
  DeleteDC(dc);
  // pdftoppm renders at one resolution for both directions.
  if (geometry.Dpi <= 0 || verticalDpi != geometry.Dpi)
    throw std::runtime_error("the PDF printer's pixels are not square");
  return geometry;
}

// The folder's file whose name holds documentName, once the PDF is whole (ends in its end-of-file marker).
std::string WaitForPdf(const std::string& folder, const std::string& documentName) {
  const auto deadline = std::chrono::steady_clock::now() + kArrivalTimeout;
  const std::string wanted = Lower(documentName);
  do {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.pdf").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      std::string match;
      do {
        if (Lower(found.cFileName).find(wanted) != std::string::npos) match = folder + "\\" + found.cFileName;
      } while (match.empty() && FindNextFileA(search, &found));
      FindClose(search);
      if (!match.empty() && ReadFile(match).rfind("%%EOF") != std::string::npos) return match;
    }
    std::this_thread::sleep_for(kPollInterval);
  } while (std::chrono::steady_clock::now() < deadline);
  throw std::runtime_error("no PDF of \"" + documentName + "\" arrived in " + folder);
}

// Renders the area of the page through pdftoppm into a binary PPM and returns the pixels.
std::vector<unsigned char> Render(const std::string& pdf, const PrinterGeometry& geometry, int width, int height) {
  const std::string output = Environment("PROJECT_TEST_DIR") + "\\printed_page";
  const std::string ppm = output + ".ppm";
  DeleteFileA(ppm.c_str());
  std::string command = "pdftoppm -singlefile -r " + std::to_string(geometry.Dpi) + " -x " +
                        std::to_string(geometry.OffsetX) + " -y " + std::to_string(geometry.OffsetY) + " -W " +
                        std::to_string(width) + " -H " + std::to_string(height) + " \"" + UnixPath(pdf) + "\" \"" +
                        UnixPath(output) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(Environment("PROJECT_PDFTOPPM").c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    throw std::runtime_error("pdftoppm did not start: " + command);
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);

  const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  const size_t length = header.size() + static_cast<size_t>(width) * height * 3;
  const auto deadline = std::chrono::steady_clock::now() + kArrivalTimeout;
  std::string image;
  while ((image = ReadFile(ppm)).size() < length) {
    if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("pdftoppm wrote no page: " + command);
    std::this_thread::sleep_for(kPollInterval);
  }
  DeleteFileA(ppm.c_str());
  if (image.compare(0, header.size(), header) != 0) throw std::runtime_error("pdftoppm wrote another size");
  return std::vector<unsigned char>(image.begin() + header.size(), image.end());
}

std::string Describe(const RECT& rect) {
  return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " + std::to_string(rect.right) + ", " +
         std::to_string(rect.bottom) + ")";
}

int CALLBACK FindStretch(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto* result = reinterpret_cast<StretchRecord*>(data);
  if (record->iType != EMR_STRETCHDIBITS || result->Found) return 1;
  const auto* stretch = reinterpret_cast<const EMRSTRETCHDIBITS*>(record);
  result->Found = true;
  result->Dest = {stretch->xDest, stretch->yDest, stretch->cxDest, stretch->cyDest};
  result->Source = {stretch->xSrc, stretch->ySrc, stretch->cxSrc, stretch->cySrc};
  return 1;
}

}  // namespace

COLORREF QuarterColor(int x, int y, int width, int height) {
  static constexpr COLORREF kQuarters[2][2] = {{RGB(200, 30, 30), RGB(30, 160, 40)},
                                               {RGB(40, 60, 200), RGB(230, 200, 20)}};
  return kQuarters[y * 2 >= height][x * 2 >= width];
}

std::string PictureMismatch(const PrintedPage& page, const RECT& picture) {
  std::string mismatch;
  const RECT ink = page.InkBounds();
  const auto within1 = [](LONG a, LONG b) { return std::abs(a - b) <= 1; };
  if (!within1(ink.left, picture.left) || !within1(ink.top, picture.top) || !within1(ink.right, picture.right) ||
      !within1(ink.bottom, picture.bottom))
    mismatch += "the ink covers " + Describe(ink) + " instead of " + Describe(picture) + "; ";
  const LONG width = picture.right - picture.left, height = picture.bottom - picture.top;
  for (const int quarterY : {0, 1})
    for (const int quarterX : {0, 1}) {
      const int x = picture.left + width * (1 + 2 * quarterX) / 4, y = picture.top + height * (1 + 2 * quarterY) / 4;
      const COLORREF wanted = QuarterColor(quarterX, quarterY, 2, 2);
      if (x >= page.Width() || y >= page.Height() || page.Color(x, y) != wanted)
        mismatch += "(" + std::to_string(x) + ", " + std::to_string(y) + ") is not the quarter's colour; ";
    }
  return mismatch;
}

StretchRecord FirstStretch(HENHMETAFILE page) {
  StretchRecord record;
  EnumEnhMetaFile(nullptr, page, FindStretch, &record, nullptr);
  return record;
}

std::string UniqueDocumentName(const std::string& stem) {
  std::random_device random;
  char number[17];
  std::snprintf(number, sizeof number, "%08x%08x", random(), random());
  return Lower(stem) + "_" + number;
}

PrintedPage::PrintedPage(int width, int height, std::vector<unsigned char> rgb)
    : FWidth(width), FHeight(height), FRgb(std::move(rgb)) {}

COLORREF PrintedPage::Color(int x, int y) const {
  const unsigned char* pixel = &FRgb[(static_cast<size_t>(y) * FWidth + x) * 3];
  return RGB(pixel[0], pixel[1], pixel[2]);
}

RECT PrintedPage::InkBounds() const {
  RECT bounds{FWidth, FHeight, 0, 0};
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x)
      if (Color(x, y) != RGB(255, 255, 255)) {
        bounds.left = std::min<LONG>(bounds.left, x);
        bounds.top = std::min<LONG>(bounds.top, y);
        bounds.right = std::max<LONG>(bounds.right, x + 1);
        bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
      }
  return bounds.right == 0 ? RECT{} : bounds;
}

PrintedPage ReadPrintedPage(const std::string& documentName, int width, int height) {
  const PrinterGeometry geometry = PdfPrinterGeometry();
  const std::string pdf = WaitForPdf(Environment("PROJECT_PDF_DIR"), documentName);
  PrintedPage page(width, height, Render(pdf, geometry, width, height));
  DeleteFileA(pdf.c_str());
  return page;
}

}  // namespace testsupport
