// DibImage <-> packed DIB and DibImage <-> bitmap.
#include "formatlib/dib_convert.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace fl {
namespace {

constexpr LONG kPixelsPerMetreAt96Dpi = 3780;

// A BITMAPINFO with room for a full 256-entry colour table.
struct BitmapInfo {
  BITMAPINFOHEADER header{};
  RGBQUAD colors[256]{};
  BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// Colour-table entries of a DIB of this depth and palette (an empty palette stands for a gray ramp).
size_t TableEntries(int bitCount, const std::vector<RgbQuad>& palette) {
  if (bitCount > 8) return 0;
  size_t full = size_t{1} << bitCount;
  return palette.empty() ? full : std::min(palette.size(), full);
}

BitmapInfo MakeInfo(int32_t width, int32_t height, int bitCount, const std::vector<RgbQuad>& palette) {
  BitmapInfo info;
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitCount);
  info.header.biCompression = BI_RGB;
  info.header.biSizeImage = static_cast<DWORD>(DibImage::StrideFor(width, bitCount) * static_cast<size_t>(height));
  info.header.biXPelsPerMeter = kPixelsPerMetreAt96Dpi;
  info.header.biYPelsPerMeter = kPixelsPerMetreAt96Dpi;
  if (bitCount <= 8) {
    std::vector<RgbQuad> colors = palette.empty() ? GrayPalette(bitCount) : palette;
    size_t count = TableEntries(bitCount, palette);
    info.header.biClrUsed = static_cast<DWORD>(count);
    for (size_t i = 0; i < count; ++i) info.colors[i] = {colors[i].blue, colors[i].green, colors[i].red, 0};
  }
  return info;
}

std::vector<RgbQuad> PaletteFromTable(const RGBQUAD* table, size_t count) {
  std::vector<RgbQuad> palette(count);
  for (size_t i = 0; i < count; ++i) palette[i] = {table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed, 0};
  return palette;
}

DWORD ReadDword(const uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<DWORD>(at[3]) << 24);
}
uint16_t ReadWord(const uint8_t* at) {
  return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

// One channel of a bit-field pixel scaled to 0..255.
uint8_t MaskedChannel(DWORD pixel, DWORD mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  DWORD maximum = mask >> shift;
  return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / maximum);
}

// The fields of a packed DIB's header that the conversion needs, checked against the block's size.
struct PackedLayout {
  int32_t width = 0;
  int32_t height = 0;  // always positive; topDown tells the row order
  bool topDown = false;
  int bitCount = 0;
  bool bitFields = false;
  DWORD masks[3] = {0x7C00, 0x03E0, 0x001F};
  std::vector<RgbQuad> palette;
  size_t bitsOffset = 0;
  size_t stride = 0;
};

PackedLayout ParsePacked(const uint8_t* data, size_t size) {
  PackedLayout layout;
  if (size < sizeof(BITMAPCOREHEADER)) Fail(kBadDib);
  DWORD headerSize = ReadDword(data);
  bool core = headerSize == sizeof(BITMAPCOREHEADER);
  if (!core && (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size)) Fail(kBadDib);
  int64_t height = 0;
  DWORD compression = BI_RGB;
  DWORD colorsUsed = 0;
  if (core) {
    layout.width = ReadWord(data + 4);
    height = ReadWord(data + 6);
    if (ReadWord(data + 8) != 1) Fail(kBadDib);
    layout.bitCount = ReadWord(data + 10);
  } else {
    layout.width = static_cast<int32_t>(ReadDword(data + 4));
    height = static_cast<int32_t>(ReadDword(data + 8));
    if (ReadWord(data + 12) != 1) Fail(kBadDib);
    layout.bitCount = ReadWord(data + 14);
    compression = ReadDword(data + 16);
    colorsUsed = ReadDword(data + 32);
  }
  layout.topDown = height < 0;
  height = height < 0 ? -height : height;
  layout.height = static_cast<int32_t>(std::min<int64_t>(height, INT32_MAX));
  if (layout.bitCount != 1 && layout.bitCount != 4 && layout.bitCount != 8 && layout.bitCount != 16 &&
      layout.bitCount != 24 && layout.bitCount != 32) {
    Fail(kUnsupportedDepth);
  }
  Check(CheckImageSize(layout.width, height, layout.bitCount == 16 ? 24 : layout.bitCount));

  size_t offset = headerSize;
  if (compression == BI_BITFIELDS && (layout.bitCount == 16 || layout.bitCount == 32)) {
    layout.bitFields = true;
    // Masks follow a 40-byte header; larger headers hold them at the same place.
    if (size < sizeof(BITMAPINFOHEADER) + 12) Fail(kBadDib);
    for (int i = 0; i < 3; ++i) layout.masks[i] = ReadDword(data + sizeof(BITMAPINFOHEADER) + 4 * i);
    if (headerSize == sizeof(BITMAPINFOHEADER)) offset += 12;
  } else if (compression != BI_RGB) {
    Fail(kBadDib);
  } else if (layout.bitCount == 32) {
    layout.masks[0] = 0xFF0000, layout.masks[1] = 0xFF00, layout.masks[2] = 0xFF;
  }

  // Core headers always carry a full table; info headers say how many entries they carry (0: full).
  size_t tableEntries = colorsUsed;
  if (layout.bitCount <= 8 && (core || colorsUsed == 0)) tableEntries = size_t{1} << layout.bitCount;
  if (tableEntries > 256) Fail(kBadDib);
  size_t entrySize = core ? 3 : 4;
  if (offset + tableEntries * entrySize > size) Fail(kBadDib);
  if (layout.bitCount <= 8) {
    size_t used = std::min<size_t>(tableEntries, size_t{1} << layout.bitCount);
    layout.palette.resize(used);
    for (size_t i = 0; i < used; ++i) {
      const uint8_t* entry = data + offset + i * entrySize;
      layout.palette[i] = {entry[0], entry[1], entry[2], 0};
    }
  }
  layout.bitsOffset = offset + tableEntries * entrySize;
  layout.stride = DibImage::StrideFor(layout.width, layout.bitCount);
  if (layout.bitsOffset + layout.stride * static_cast<size_t>(layout.height) > size) Fail(kBadDib);
  return layout;
}

// Copies one stored row into a DibImage row, widening 16-bit and bit-field pixels to 24 bits.
void ConvertRow(const PackedLayout& layout, const uint8_t* source, uint8_t* target, size_t targetStride) {
  bool plain = !layout.bitFields && layout.bitCount != 16;
  if (plain) {
    std::memcpy(target, source, targetStride);
    return;
  }
  int bytesPerPixel = layout.bitCount / 8;
  for (int32_t x = 0; x < layout.width; ++x) {
    const uint8_t* at = source + static_cast<size_t>(x) * bytesPerPixel;
    DWORD pixel = bytesPerPixel == 2 ? ReadWord(at) : ReadDword(at);
    uint8_t* out = target + static_cast<size_t>(x) * 3;
    out[0] = MaskedChannel(pixel, layout.masks[2]);
    out[1] = MaskedChannel(pixel, layout.masks[1]);
    out[2] = MaskedChannel(pixel, layout.masks[0]);
  }
}

// The depth a packed DIB is read at: 16-bit and bit-field pictures widen to 24 bits.
int ReadDepth(const PackedLayout& layout) {
  return layout.bitFields || layout.bitCount == 16 ? 24 : layout.bitCount;
}

// Copies every row of a packed DIB into `target`, which has a Row(y) counted from the top and a Stride().
template <class Target>
void CopyPackedRows(const PackedLayout& layout, const uint8_t* data, Target& target) {
  for (int32_t y = 0; y < layout.height; ++y) {
    int32_t storedRow = layout.topDown ? y : layout.height - 1 - y;
    ConvertRow(layout, data + layout.bitsOffset + static_cast<size_t>(storedRow) * layout.stride, target.Row(y),
               target.Stride());
  }
}

}  // namespace

NewPackedDib::NewPackedDib(int32_t width, int32_t height, int bitCount, const std::vector<RgbQuad>& palette)
    : memory_([&] {
        Check(CheckImageSize(width, height, bitCount));
        size_t table = TableEntries(bitCount, palette) * sizeof(RGBQUAD);
        return sizeof(BITMAPINFOHEADER) + table + DibImage::StrideFor(width, bitCount) * static_cast<size_t>(height);
      }()),
      height_(height),
      stride_(DibImage::StrideFor(width, bitCount)) {
  BitmapInfo info = MakeInfo(width, height, bitCount, palette);
  auto* data = static_cast<uint8_t*>(GlobalLock(memory_.Get()));
  if (!data) Fail(kOutOfMemory);
  size_t table = info.header.biClrUsed * sizeof(RGBQUAD);
  std::memcpy(data, &info.header, sizeof(BITMAPINFOHEADER));
  std::memcpy(data + sizeof(BITMAPINFOHEADER), info.colors, table);
  colors_ = reinterpret_cast<RGBQUAD*>(data + sizeof(BITMAPINFOHEADER));
  colorCount_ = info.header.biClrUsed;
  bits_ = data + sizeof(BITMAPINFOHEADER) + table;
}

void NewPackedDib::SetColors(const std::vector<RgbQuad>& palette) {
  for (size_t i = 0; i < std::min(palette.size(), colorCount_); ++i) {
    colors_[i] = {palette[i].blue, palette[i].green, palette[i].red, 0};
  }
}

NewPackedDib::~NewPackedDib() {
  if (memory_.Get()) GlobalUnlock(memory_.Get());
}

HGLOBAL NewPackedDib::Release() {
  GlobalUnlock(memory_.Get());
  bits_ = nullptr;
  return memory_.Release();
}

NewDibSection::NewDibSection(int32_t width, int32_t height, int bitCount, const std::vector<RgbQuad>& palette)
    : height_(height), stride_(DibImage::StrideFor(width, bitCount)) {
  Check(CheckImageSize(width, height, bitCount));
  BitmapInfo info = MakeInfo(width, height, bitCount, palette);
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.Get() || !bits) Fail(kOutOfMemory);
  bitmap_ = std::move(bitmap);
  bits_ = static_cast<uint8_t*>(bits);
}

DibImage DibFromPacked(HGLOBAL dib) {
  GlobalLockView view(dib, kBadDib);
  PackedLayout layout = ParsePacked(view.Data(), view.Size());
  DibImage image;
  Check(CreateDibImage(layout.width, layout.height, ReadDepth(layout), image));
  image.palette = layout.palette;
  CopyPackedRows(layout, view.Data(), image);
  return image;
}

HBITMAP BitmapFromPacked(HGLOBAL dib) {
  GlobalLockView view(dib, kBadDib);
  PackedLayout layout = ParsePacked(view.Data(), view.Size());
  NewDibSection section(layout.width, layout.height, ReadDepth(layout), layout.palette);
  CopyPackedRows(layout, view.Data(), section);
  return section.Release();
}

std::vector<RgbQuad> PaletteOfPacked(HGLOBAL dib) {
  GlobalLockView view(dib, kBadDib);
  return ParsePacked(view.Data(), view.Size()).palette;
}

HGLOBAL PackedFromDib(const DibImage& image) {
  NewPackedDib packed(image.width, image.height, image.bitCount, image.palette);
  std::memcpy(packed.Row(image.height - 1), image.bits.data(), image.bits.size());
  return packed.Release();
}

namespace {

// Reads the whole of `bitmap` at the depth a DIB of it keeps: a DIB section of 1, 4, 8, 24 or 32 bits its own (16
// becomes 24); a device bitmap 1 bit when monochrome, 8 bits through `palette` on a palette device, else 24.
// `rowsFor(width, height, bitCount, colorCount)` gives the memory for the bottom-up rows. Returns the colour table
// read back (empty above 8 bits).
template <class RowsFor>
std::vector<RgbQuad> ReadBitmap(HBITMAP bitmap, HPALETTE palette, RowsFor&& rowsFor) {
  DIBSECTION section{};
  int size = bitmap ? GetObjectA(bitmap, sizeof(section), &section) : 0;
  if (size != sizeof(DIBSECTION) && size != sizeof(BITMAP)) Fail(kBadBitmap);
  const BITMAP& plain = section.dsBm;
  bool isSection = size == sizeof(DIBSECTION);
  int depth = isSection ? section.dsBmih.biBitCount : plain.bmBitsPixel * plain.bmPlanes;
  int bitCount = 24;
  if (depth == 1) {
    bitCount = 1;
  } else if (isSection && (depth == 4 || depth == 8 || depth == 32)) {
    bitCount = depth;
  } else if (depth <= 8) {
    bitCount = 8;
  }
  size_t colorCount = 0;
  if (bitCount <= 8) {
    colorCount = size_t{1} << bitCount;
    if (isSection && section.dsBmih.biClrUsed > 0) colorCount = std::min<size_t>(colorCount, section.dsBmih.biClrUsed);
  }

  uint8_t* rows = rowsFor(plain.bmWidth, plain.bmHeight, bitCount, colorCount);
  MemoryDc dc;
  HPALETTE oldPalette = nullptr;
  if (palette && !isSection) {
    oldPalette = SelectPalette(dc.Get(), palette, TRUE);
    RealizePalette(dc.Get());
  }
  BitmapInfo info = MakeInfo(plain.bmWidth, plain.bmHeight, bitCount, {});
  info.header.biClrUsed = 0;
  int read = GetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(plain.bmHeight), rows, info.Get(), DIB_RGB_COLORS);
  if (oldPalette) SelectPalette(dc.Get(), oldPalette, TRUE);
  if (read != plain.bmHeight) Fail(kBadBitmap);
  return PaletteFromTable(info.colors, colorCount);
}

}  // namespace

DibImage DibFromBitmap(HBITMAP bitmap, HPALETTE palette) {
  DibImage image;
  image.palette = ReadBitmap(bitmap, palette, [&](int32_t width, int32_t height, int bitCount, size_t) {
    Check(CreateDibImage(width, height, bitCount, image));
    return image.bits.data();
  });
  return image;
}

HGLOBAL PackedFromBitmap(HBITMAP bitmap, HPALETTE palette) {
  std::optional<NewPackedDib> packed;
  std::vector<RgbQuad> colors =
      ReadBitmap(bitmap, palette, [&](int32_t width, int32_t height, int bitCount, size_t colorCount) {
        packed.emplace(width, height, bitCount, std::vector<RgbQuad>(colorCount));
        return packed->Row(height - 1);
      });
  packed->SetColors(colors);
  return packed->Release();
}

HBITMAP BitmapFromDib(const DibImage& image) {
  NewDibSection section(image.width, image.height, image.bitCount, image.palette);
  std::memcpy(section.Row(image.height - 1), image.bits.data(), image.bits.size());
  return section.Release();
}

void StoreDibInBitmap(const DibImage& image, HBITMAP bitmap) {
  DIBSECTION section{};
  int size = GetObjectA(bitmap, sizeof(section), &section);
  if (size != sizeof(DIBSECTION) && size != sizeof(BITMAP)) Fail(kBadBitmap);
  if (section.dsBm.bmWidth != image.width || section.dsBm.bmHeight != image.height) Fail(kBadBitmap);
  GdiFlush();
  bool sameLayout = size == sizeof(DIBSECTION) && section.dsBmih.biBitCount == image.bitCount && section.dsBm.bmBits;
  if (sameLayout) {
    // Copy the bytes themselves: SetDIBits would match colours and could pick another of two equal entries.
    auto* bits = static_cast<uint8_t*>(section.dsBm.bmBits);
    size_t stride = image.Stride();
    bool topDown = section.dsBmih.biHeight < 0;
    for (int32_t y = 0; y < image.height; ++y) {
      int32_t stored = topDown ? y : image.height - 1 - y;
      std::memcpy(bits + static_cast<size_t>(stored) * stride, image.Row(y), stride);
    }
    if (image.bitCount <= 8) {
      MemoryDc dc;
      Selection selected(dc.Get(), bitmap);
      BitmapInfo info = MakeInfo(image.width, image.height, image.bitCount, image.palette);
      SetDIBColorTable(dc.Get(), 0, info.header.biClrUsed, info.colors);
    }
    return;
  }
  MemoryDc dc;
  BitmapInfo info = MakeInfo(image.width, image.height, image.bitCount, image.palette);
  if (SetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(image.height), image.bits.data(), info.Get(), DIB_RGB_COLORS) !=
      image.height) {
    Fail(kGdiFailure);
  }
}

}  // namespace fl
