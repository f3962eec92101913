// DIB routines over GDI handles.
#include "classlib/win/dib.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/exceptions.h"
#include "classlib/win/gdi.h"

namespace cl {
namespace {

// BITMAPINFO with room for 256 colours or three masks.
struct InfoBuffer {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(this); }
};

void FillHeader(InfoBuffer& buffer, int width, int height, int bitCount) {
  std::memset(&buffer, 0, sizeof buffer);
  buffer.Header.biSize = sizeof(BITMAPINFOHEADER);
  buffer.Header.biWidth = width;
  buffer.Header.biHeight = height;
  buffer.Header.biPlanes = 1;
  buffer.Header.biBitCount = static_cast<WORD>(bitCount);
  buffer.Header.biCompression = BI_RGB;
}

int ColorCount(int bitCount) {
  return bitCount <= 8 ? 1 << bitCount : 0;
}

}  // namespace

void GetDIBSizes(HBITMAP bitmap, DWORD& infoHeaderSize, DWORD& imageSize) {
  const dib::TBitmapShape shape = dib::ShapeOf(bitmap);
  infoHeaderSize = sizeof(BITMAPINFOHEADER) + ColorCount(shape.BitCount) * sizeof(RGBQUAD);
  imageSize = static_cast<DWORD>(bmp::TDibImage::RowStride(shape.Width, shape.BitCount) * shape.Height);
}

bool GetDIB(HBITMAP bitmap, HPALETTE palette, void* info, void* bits) {
  const dib::TBitmapShape shape = dib::ShapeOf(bitmap);
  auto* header = static_cast<BITMAPINFOHEADER*>(info);
  std::memset(header, 0, sizeof *header + ColorCount(shape.BitCount) * sizeof(RGBQUAD));
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = shape.Width;
  header->biHeight = shape.Height;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(shape.BitCount);
  header->biCompression = BI_RGB;
  gdi::WindowDC screen;
  gdi::PaletteGuard selected(screen.Get(), palette);
  return GetDIBits(screen.Get(), bitmap, 0, shape.Height, bits, static_cast<BITMAPINFO*>(info), DIB_RGB_COLORS) ==
         shape.Height;
}

HPALETTE CopyPalette(HPALETTE palette) {
  if (!palette) return nullptr;
  return dib::CreatePaletteOf(dib::EntriesOf(palette));
}

namespace dib {

TBitmapShape ShapeOf(HBITMAP bitmap) {
  TBitmapShape shape;
  DIBSECTION section{};
  const int size = GetObjectA(bitmap, sizeof section, &section);
  if (size == 0) throw EInvalidGraphic("Bitmap image is not valid");
  shape.Width = section.dsBm.bmWidth;
  shape.Height = section.dsBm.bmHeight;
  shape.BitCount = section.dsBm.bmBitsPixel * section.dsBm.bmPlanes;
  shape.IsSection = size == sizeof(DIBSECTION) && section.dsBm.bmBits != nullptr;
  shape.Rgb565 = shape.IsSection && section.dsBmih.biCompression == BI_BITFIELDS && section.dsBitfields[1] == 0x07E0;
  return shape;
}

HBITMAP CreateBlankSection(int width, int height, int bitCount, bool rgb565, const std::vector<TColorEntry>& colors) {
  InfoBuffer buffer;
  FillHeader(buffer, width, height, bitCount);
  if (bitCount <= 8) {
    buffer.Header.biClrUsed = static_cast<DWORD>(colors.size());
    for (size_t i = 0; i < colors.size() && i < 256; ++i)
      buffer.Colors[i] = RGBQUAD{colors[i].Blue, colors[i].Green, colors[i].Red, 0};
  } else if (bitCount == 16 && rgb565) {
    buffer.Header.biCompression = BI_BITFIELDS;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(buffer.Colors, masks, sizeof masks);
  }
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, buffer.Info(), DIB_RGB_COLORS, &bits, nullptr, 0);
  return static_cast<HBITMAP>(gdi::Track(gdi::Check(section)));
}

HBITMAP CreateSection(const TDibImage& image) {
  HBITMAP section =
      CreateBlankSection(image.Width, image.Height, image.BitCount, image.GreenMask == 0x07E0, image.Colors);
  DIBSECTION info{};
  GetObjectA(section, sizeof info, &info);
  std::memcpy(info.dsBm.bmBits, image.Bits.data(), image.Bits.size());
  return section;
}

TDibImage ReadSection(HBITMAP section) {
  DIBSECTION info{};
  GetObjectA(section, sizeof info, &info);
  TDibImage image;
  image.Width = info.dsBm.bmWidth;
  image.Height = info.dsBm.bmHeight;
  image.BitCount = info.dsBm.bmBitsPixel;
  if (info.dsBmih.biCompression == BI_BITFIELDS && info.dsBitfields[1] == 0x07E0) {
    image.RedMask = 0xF800;
    image.GreenMask = 0x07E0;
    image.BlueMask = 0x001F;
  }
  GdiFlush();
  const auto* bits = static_cast<const uint8_t*>(info.dsBm.bmBits);
  image.Bits.assign(bits, bits + image.Stride() * static_cast<size_t>(image.Height));
  if (image.BitCount <= 8) image.Colors = ColorTableOf(section);
  return image;
}

std::vector<TColorEntry> ColorTableOf(HBITMAP section) {
  std::vector<TColorEntry> colors;
  gdi::MemoryDC dc;
  gdi::SelectGuard selected(dc.Get(), section);
  RGBQUAD table[256];
  const UINT count = GetDIBColorTable(dc.Get(), 0, 256, table);
  for (UINT i = 0; i < count; ++i)
    colors.push_back(TColorEntry{table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed, 0});
  return colors;
}

void SetColorTable(HBITMAP section, const std::vector<TColorEntry>& colors) {
  RGBQUAD table[256];
  const UINT count = static_cast<UINT>(std::min<size_t>(colors.size(), 256));
  for (UINT i = 0; i < count; ++i) table[i] = RGBQUAD{colors[i].Blue, colors[i].Green, colors[i].Red, 0};
  gdi::MemoryDC dc;
  gdi::SelectGuard selected(dc.Get(), section);
  SetDIBColorTable(dc.Get(), 0, count, table);
}

TDibImage Read32(HBITMAP bitmap, HPALETTE palette) {
  const TBitmapShape shape = ShapeOf(bitmap);
  TDibImage image;
  image.Width = shape.Width;
  image.Height = shape.Height;
  image.BitCount = 32;
  image.Bits.resize(image.Stride() * static_cast<size_t>(image.Height));
  InfoBuffer buffer;
  FillHeader(buffer, shape.Width, shape.Height, 32);
  gdi::WindowDC screen;
  gdi::PaletteGuard selected(screen.Get(), palette);
  if (shape.Height > 0 &&
      GetDIBits(screen.Get(), bitmap, 0, shape.Height, image.Bits.data(), buffer.Info(), DIB_RGB_COLORS) == 0)
    gdi::RaiseOutOfResources();
  for (size_t i = 3; i < image.Bits.size(); i += 4) image.Bits[i] = 0;
  return image;
}

HPALETTE CreatePaletteOf(const std::vector<TColorEntry>& colors) {
  struct {
    WORD Version;
    WORD Count;
    PALETTEENTRY Entries[256];
  } log{};
  log.Version = 0x300;
  log.Count = static_cast<WORD>(colors.size() > 256 ? 256 : colors.size());
  for (WORD i = 0; i < log.Count; ++i) log.Entries[i] = PALETTEENTRY{colors[i].Red, colors[i].Green, colors[i].Blue, 0};
  return static_cast<HPALETTE>(gdi::Track(gdi::Check(CreatePalette(reinterpret_cast<LOGPALETTE*>(&log)))));
}

std::vector<TColorEntry> EntriesOf(HPALETTE palette) {
  std::vector<TColorEntry> colors;
  if (!palette) return colors;
  PALETTEENTRY entries[256];
  const UINT count = GetPaletteEntries(palette, 0, 256, entries);
  for (UINT i = 0; i < count; ++i)
    colors.push_back(TColorEntry{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0});
  return colors;
}

TakenBlock::TakenBlock(HGLOBAL block)
    : FBlock(block), FBytes(static_cast<const uint8_t*>(GlobalLock(block))), FSize(FBytes ? GlobalSize(block) : 0) {}

TakenBlock::~TakenBlock() {
  if (FBytes) GlobalUnlock(FBlock);
  GlobalFree(FBlock);
}

}  // namespace dib
}  // namespace cl
