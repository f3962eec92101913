#include "image/dib_to_bitmap.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "classlib/win/gdi.h"

namespace img {

namespace {

constexpr uint32_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER: 3-byte colour entries
constexpr uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER and its successors: 4-byte entries
constexpr uint32_t kMaxColors = 256;
constexpr uint32_t kBitFieldMasksSize = 12;

[[noreturn]] void RaiseBadDib() {
  throw cl::EInvalidGraphic("The picture's DIB is not valid");
}

uint32_t ReadLittleEndian(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

// What the header tells about the colour table and where the pixel bits start.
struct DibLayout {
  uint32_t colorCount = 0;
  uint32_t entrySize = 4;
  uint32_t tableOffset = 0;
  uint32_t bitsOffset = 0;
};

DibLayout ReadLayout(const uint8_t* bytes, size_t size) {
  if (size < 4) RaiseBadDib();
  const uint32_t headerSize = ReadLittleEndian(bytes, 4);
  if (headerSize < kCoreHeaderSize || headerSize > size) RaiseBadDib();
  DibLayout layout;
  uint32_t bitCount = 0;
  uint32_t masksSize = 0;
  uint64_t width = 0, height = 0, bitsSize = 0;
  bool packedRows = true;  // uncompressed rows, whose size follows from the dimensions
  if (headerSize == kCoreHeaderSize) {
    width = ReadLittleEndian(bytes + 4, 2);
    height = ReadLittleEndian(bytes + 6, 2);
    bitCount = ReadLittleEndian(bytes + 10, 2);
    layout.entrySize = 3;
    layout.colorCount = bitCount == 24 ? 0 : (bitCount <= 8 ? 1u << bitCount : 0);
  } else {
    if (headerSize < kInfoHeaderSize) RaiseBadDib();
    bitCount = ReadLittleEndian(bytes + 14, 2);
    const uint32_t compression = ReadLittleEndian(bytes + 16, 4);
    width = uint64_t(std::abs(int64_t(int32_t(ReadLittleEndian(bytes + 4, 4)))));
    height = uint64_t(std::abs(int64_t(int32_t(ReadLittleEndian(bytes + 8, 4)))));
    packedRows = compression == BI_RGB || compression == BI_BITFIELDS;
    bitsSize = ReadLittleEndian(bytes + 20, 4);
    const uint32_t usedColors = ReadLittleEndian(bytes + 32, 4);
    layout.colorCount = usedColors != 0 ? usedColors : (bitCount <= 8 ? 1u << bitCount : 0);
    // The bit-field masks follow a 40-byte header; later headers carry them inside.
    if (compression == BI_BITFIELDS && headerSize == kInfoHeaderSize) masksSize = kBitFieldMasksSize;
  }
  if (bitCount == 0 || bitCount > 32) RaiseBadDib();
  if (layout.colorCount > kMaxColors) layout.colorCount = kMaxColors;
  layout.tableOffset = headerSize + masksSize;
  layout.bitsOffset = layout.tableOffset + layout.colorCount * layout.entrySize;
  if (layout.bitsOffset > size) RaiseBadDib();
  if (packedRows) bitsSize = (width * bitCount + 31) / 32 * 4 * height;
  if (bitsSize > size - layout.bitsOffset) RaiseBadDib();
  return layout;
}

// A palette (version 0x300) of the DIB's colour table, null when it has none.
HPALETTE CreateTablePalette(const uint8_t* table, const DibLayout& layout) {
  if (layout.colorCount == 0) return nullptr;
  std::vector<uint8_t> storage(sizeof(LOGPALETTE) + layout.colorCount * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(layout.colorCount);
  for (uint32_t i = 0; i < layout.colorCount; ++i) {
    const uint8_t* entry = table + i * layout.entrySize;  // blue, green, red
    logical->palPalEntry[i] = PALETTEENTRY{entry[2], entry[1], entry[0], 0};
  }
  return static_cast<HPALETTE>(cl::gdi::Track(cl::gdi::Check(CreatePalette(logical))));
}

}  // namespace

void PackedDibToBitmap(HGLOBAL dib, cl::TBitmap* target) {
  const cl::dib::TakenBlock locked(dib);
  if (!locked.Bytes()) RaiseBadDib();
  const DibLayout layout = ReadLayout(locked.Bytes(), locked.Size());
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(locked.Bytes());
  const auto* info = reinterpret_cast<const BITMAPINFO*>(locked.Bytes());

  cl::gdi::Object<HPALETTE> palette(CreateTablePalette(locked.Bytes() + layout.tableOffset, layout));
  cl::gdi::WindowDC screen;
  HBITMAP bitmap = nullptr;
  {
    std::optional<cl::gdi::PaletteGuard> selected;
    // In the foreground, so that the screen's colours come from the picture's own table where it has to share.
    if (palette) selected.emplace(screen.Get(), palette.Get(), /*background=*/false);
    bitmap = CreateDIBitmap(screen.Get(), header, CBM_INIT, locked.Bytes() + layout.bitsOffset, info, DIB_RGB_COLORS);
  }
  if (!bitmap) RaiseBadDib();
  target->SetHandle(bitmap);
  if (palette) {
    // The bitmap counts the palette it takes over itself.
    HPALETTE handedOver = palette.Release();
    cl::gdi::Untrack(handedOver);
    target->SetPalette(handedOver);
  }
}

}  // namespace img
