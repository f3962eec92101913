#include "image/gif_gdi.h"

#include <cstdlib>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/win/dib.h"
#include "classlib/win/gdi.h"
#include "classlib/win/system_info.h"
#include "image/core/gif_error.h"

namespace img {
namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;

int BitCountOf(cl::TPixelFormat format) {
  switch (format) {
    case cl::pf1bit:
      return 1;
    case cl::pf4bit:
      return 4;
    case cl::pf8bit:
      return 8;
    case cl::pf24bit:
      return 24;
    default:
      RaiseGIFError("Unsupported PixelFormat");
  }
}

}  // namespace

HPALETTE Create216ColorPalette() {
  std::vector<cl::dib::TColorEntry> entries;
  for (int r = 0; r < kCubeLevels; ++r)
    for (int g = 0; g < kCubeLevels; ++g)
      for (int b = 0; b < kCubeLevels; ++b)
        entries.push_back({static_cast<std::uint8_t>(b * kCubeStep), static_cast<std::uint8_t>(g * kCubeStep),
                           static_cast<std::uint8_t>(r * kCubeStep), 0});
  return cl::dib::CreatePaletteOf(entries);
}

void RaiseLastGDIError() {
  const DWORD code = GetLastError();
  std::string message = code != 0 ? cl::SysErrorMessage(code) : std::string();
  if (message.empty()) message = "Out of system resources";
  throw cl::EOutOfResources(message);
}

HPALETTE CreatePaletteHandle(const TGIFColorMap& map) {
  if (map.Count() == 0) return nullptr;
  std::vector<cl::dib::TColorEntry> entries;
  for (int i = 0; i < map.Count(); ++i) {
    const TGIFColor& color = map.Entry(i);
    entries.push_back({color.Blue, color.Green, color.Red, 0});
  }
  return cl::dib::CreatePaletteOf(entries);
}

void FillDIBHeader(HBITMAP bitmap, BITMAPINFOHEADER& header, cl::TPixelFormat format) {
  DIBSECTION section{};
  const int size = GetObjectA(bitmap, sizeof section, &section);
  if (size == 0) RaiseGIFError("Bitmap image is not valid");
  if (size != sizeof(DIBSECTION) || section.dsBmih.biSize < sizeof(BITMAPINFOHEADER)) {
    header = BITMAPINFOHEADER{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = section.dsBm.bmWidth;
    header.biHeight = section.dsBm.bmHeight;
  } else {
    header = section.dsBmih;
  }
  header.biBitCount = static_cast<WORD>(BitCountOf(format));
  header.biPlanes = 1;
  header.biSizeImage = static_cast<DWORD>(PaddedRowBytes(header.biWidth, header.biBitCount, 32)) *
                       static_cast<DWORD>(std::abs(header.biHeight));
}

void GetDIBSizesFor(HBITMAP bitmap, DWORD& headerSize, DWORD& imageSize, cl::TPixelFormat format) {
  BITMAPINFOHEADER header;
  FillDIBHeader(bitmap, header, format);
  if (header.biBitCount <= 8)
    headerSize = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * (DWORD{1} << header.biBitCount);
  else
    headerSize = sizeof(BITMAPINFOHEADER) + ((header.biCompression & 3) != 0 ? 3 * sizeof(DWORD) : 0);
  imageSize = header.biSizeImage;
}

bool ReadDIBBits(HBITMAP bitmap, HPALETTE palette, BITMAPINFO* header, void* bits, cl::TPixelFormat format) {
  FillDIBHeader(bitmap, header->bmiHeader, format);
  cl::gdi::MemoryDC dc;
  cl::gdi::PaletteGuard selected(dc.Get(), palette);
  const UINT rows = static_cast<UINT>(std::abs(header->bmiHeader.biHeight));
  return GetDIBits(dc.Get(), bitmap, 0, rows, bits, header, DIB_RGB_COLORS) > 0;
}

void ForcePixelFormat(cl::TBitmap* bitmap, cl::TPixelFormat format) {
  if (format != cl::pf8bit) {
    bitmap->SetPixelFormat(format);
    return;
  }
  const int width = bitmap->Width(), height = bitmap->Height();
  bitmap->Assign(nullptr);
  bitmap->SetPixelFormat(cl::pf8bit);
  bitmap->SetSize(width, height);
}

}  // namespace img
