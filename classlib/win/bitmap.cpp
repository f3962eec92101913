// TBitmap and its canvas.
#include "classlib/win/bitmap.h"

#include <algorithm>

#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/core/bmp_codec.h"

namespace cl {
namespace {

constexpr size_t kBmpFileHeaderSize = 14;
constexpr size_t kSmallestBmp = kBmpFileHeaderSize + 12;

int BitCountOf(TPixelFormat format) {
  static const int kBits[] = {0, 1, 4, 8, 16, 16, 24, 32, 0};
  return kBits[format];
}

// The fixed colours of a format with 8 bits or fewer.
const std::vector<dib::TColorEntry>& FixedColorsOf(int bitCount) {
  return bitCount == 1 ? dib::MonochromePalette() : bitCount == 4 ? dib::VgaPalette() : dib::LayerPalette();
}

HBITMAP CreateDeviceBitmap(int width, int height, bool monochrome) {
  if (monochrome) return static_cast<HBITMAP>(gdi::Track(gdi::Check(CreateBitmap(width, height, 1, 1, nullptr))));
  gdi::WindowDC screen;
  return static_cast<HBITMAP>(gdi::Track(gdi::Check(CreateCompatibleBitmap(screen.Get(), width, height))));
}

// Copies source into a new 1-bit device-dependent bitmap: pixels of background become white, the rest black.
HBITMAP MonochromeCopy(HDC source, int width, int height, COLORREF background) {
  HBITMAP mono = CreateDeviceBitmap(width, height, true);
  gdi::MemoryDC dc;
  gdi::SelectGuard selected(dc.Get(), mono);
  const COLORREF old = SetBkColor(source, background);
  BitBlt(dc.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  SetBkColor(source, old);
  return mono;
}

}  // namespace

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

void TBitmap::BeforeDestruction() {
  FreeContext();
  inherited::BeforeDestruction();
}

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeContext();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas.reset(New<TBitmapCanvas>(this));
    FCanvas->SetOnChange([this](TObject*) { Changed(this); });
  }
  return FCanvas.get();
}

HBITMAP TBitmap::Handle() {
  FreeContext();
  return FHandle.Get();
}

void TBitmap::ReplaceImage(HBITMAP bitmap, HPALETTE palette) {
  FreeContext();
  FHandle.Reset(bitmap);
  FPalette.Reset(palette);
  if (bitmap) {
    const dib::TBitmapShape shape = dib::ShapeOf(bitmap);
    FWidth = shape.Width;
    FHeight = shape.Height;
  } else {
    FWidth = FHeight = 0;
  }
  Changed(this);
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  if (bitmap == FHandle.Get()) return;
  if (bitmap) gdi::Track(bitmap);
  FreeContext();
  FHandle.Reset(bitmap);
  const dib::TBitmapShape shape = bitmap ? dib::ShapeOf(bitmap) : dib::TBitmapShape{};
  FWidth = shape.Width;
  FHeight = shape.Height;
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  FreeContext();
  HBITMAP bitmap = FHandle.Release();
  gdi::Untrack(bitmap);
  FWidth = FHeight = 0;
  return bitmap;
}

TBitmapHandleType TBitmap::HandleType() const {
  if (!FHandle) return FPixelFormat == pfDevice ? bmDDB : bmDIB;
  return dib::ShapeOf(FHandle.Get()).IsSection ? bmDIB : bmDDB;
}

void TBitmap::SetPalette(HPALETTE palette) {
  if (palette == FPalette.Get()) return;
  if (palette) gdi::Track(palette);
  FreeContext();
  FPalette.Reset(palette);
  // A palette picture shows its colour table: the new palette's entries become that table.
  if (palette && FHandle) {
    const dib::TBitmapShape shape = dib::ShapeOf(FHandle.Get());
    if (shape.IsSection && shape.BitCount <= 8) dib::SetColorTable(FHandle.Get(), dib::EntriesOf(palette));
  }
  SetPaletteModified(palette != nullptr);
  Changed(this);
}

HPALETTE TBitmap::ReleasePalette() {
  FreeContext();
  return static_cast<HPALETTE>(gdi::Untrack(FPalette.Release()));
}

void TBitmap::Assign(const TPersistent* source) {
  if (!source) {
    ReplaceImage(nullptr, nullptr);
    return;
  }
  const auto* bitmap = dynamic_cast<const TBitmap*>(source);
  if (!bitmap) {
    inherited::Assign(source);
    return;
  }
  if (bitmap == this) return;
  auto* from = const_cast<TBitmap*>(bitmap);  // reading takes the source's handle out of its canvas DC
  HBITMAP copy = nullptr;
  if (HBITMAP handle = from->Handle()) {
    if (dib::ShapeOf(handle).IsSection) {
      copy = dib::CreateSection(dib::ReadSection(handle));
    } else {
      copy = CreateDeviceBitmap(from->FWidth, from->FHeight, from->Monochrome());
      gdi::MemoryDC target, origin;
      gdi::SelectGuard selectedTarget(target.Get(), copy), selectedOrigin(origin.Get(), handle);
      BitBlt(target.Get(), 0, 0, from->FWidth, from->FHeight, origin.Get(), 0, 0, SRCCOPY);
    }
  }
  FPixelFormat = from->FPixelFormat;
  FMonochrome = from->FMonochrome;
  SetTransparent(from->Transparent());
  ReplaceImage(copy, CopyPalette(from->Palette()));
  FWidth = from->FWidth;
  FHeight = from->FHeight;
}

TPixelFormat TBitmap::PixelFormat() const {
  if (!FHandle) return FPixelFormat;
  const dib::TBitmapShape shape = dib::ShapeOf(FHandle.Get());
  if (!shape.IsSection) return pfDevice;
  switch (shape.BitCount) {
    case 1:
      return pf1bit;
    case 4:
      return pf4bit;
    case 8:
      return pf8bit;
    case 16:
      return shape.Rgb565 ? pf16bit : pf15bit;
    case 24:
      return pf24bit;
    case 32:
      return pf32bit;
    default:
      return pfCustom;
  }
}

HBITMAP TBitmap::CreateBlank(int width, int height) {
  HBITMAP blank;
  const TPixelFormat format = PixelFormat();
  if (format == pfDevice || format == pfCustom) {
    blank = CreateDeviceBitmap(width, height, Monochrome());
  } else {
    const int bits = BitCountOf(format);
    std::vector<dib::TColorEntry> colors;
    if (bits <= 8) colors = FHandle ? dib::ColorTableOf(Handle()) : FixedColorsOf(bits);
    blank = dib::CreateBlankSection(width, height, bits, format == pf16bit, colors);
  }
  gdi::Object<HBITMAP> owned(blank);
  gdi::MemoryDC dc;
  gdi::SelectGuard selected(dc.Get(), blank);
  gdi::PaletteGuard palette(dc.Get(), FPalette.Get());
  const TColor fill = FCanvas ? FCanvas->Brush()->Color() : clWhite;
  gdi::Object<HBRUSH> brush(static_cast<HBRUSH>(gdi::Track(gdi::Check(CreateSolidBrush(ColorToRGB(fill) & 0xFFFFFF)))));
  const RECT all{0, 0, width, height};
  ::FillRect(dc.Get(), &all, brush.Get());
  return owned.Release();
}

void TBitmap::SetSize(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width == FWidth && height == FHeight) return;
  FreeContext();
  if (width == 0 || height == 0) {
    FPixelFormat = PixelFormat();
    FMonochrome = Monochrome();
    ReplaceImage(nullptr, FPalette.Release());
    FWidth = width;
    FHeight = height;
    return;
  }
  const int bits = BitCountOf(PixelFormat());
  if (!FHandle && !FPalette && bits > 0 && bits <= 8) FPalette.Reset(dib::CreatePaletteOf(FixedColorsOf(bits)));
  HBITMAP blank = CreateBlank(width, height);
  if (FHandle) {
    gdi::MemoryDC target, origin;
    gdi::SelectGuard selectedTarget(target.Get(), blank), selectedOrigin(origin.Get(), FHandle.Get());
    BitBlt(target.Get(), 0, 0, std::min(width, FWidth), std::min(height, FHeight), origin.Get(), 0, 0, SRCCOPY);
  }
  ReplaceImage(blank, FPalette.Release());
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == PixelFormat() || format == pfCustom) return;
  if (!FHandle) {
    FPixelFormat = format;
    FMonochrome = false;
    return;
  }
  HBITMAP handle = Handle();
  if (format == pfDevice) {
    HBITMAP device = CreateDeviceBitmap(FWidth, FHeight, false);
    gdi::MemoryDC target, origin;
    {
      gdi::SelectGuard selectedTarget(target.Get(), device), selectedOrigin(origin.Get(), handle);
      gdi::PaletteGuard palette(target.Get(), FPalette.Get());
      BitBlt(target.Get(), 0, 0, FWidth, FHeight, origin.Get(), 0, 0, SRCCOPY);
    }
    ReplaceImage(device, FPalette.Release());
    return;
  }
  const int bits = BitCountOf(format);
  const dib::TBitmapShape shape = dib::ShapeOf(handle);
  std::vector<dib::TColorEntry> colors;
  if (bits <= 8) {
    // A shallower palette image keeps its own colours; everything else takes the fixed palette.
    if (shape.IsSection && shape.BitCount <= bits) colors = dib::ColorTableOf(handle);
    if (colors.empty()) colors = FixedColorsOf(bits);
  }
  const dib::TDibImage converted =
      dib::ReduceFrom32(dib::Read32(handle, FPalette.Get()), bits, format == pf16bit, colors);
  ReplaceImage(dib::CreateSection(converted), bits <= 8 ? dib::CreatePaletteOf(colors) : nullptr);
}

bool TBitmap::Monochrome() const {
  if (!FHandle) return FMonochrome;
  const dib::TBitmapShape shape = dib::ShapeOf(FHandle.Get());
  if (shape.BitCount != 1) return false;
  if (!shape.IsSection) return true;
  const std::vector<dib::TColorEntry> colors = dib::ColorTableOf(FHandle.Get());
  return colors.size() == 2 && colors == dib::MonochromePalette();
}

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome == Monochrome()) return;
  if (!FHandle) {
    FMonochrome = monochrome;
    FPixelFormat = pfDevice;
    return;
  }
  if (!monochrome) {
    SetPixelFormat(pf32bit);
    SetPixelFormat(pfDevice);
    return;
  }
  HDC dc = Canvas()->Handle();
  HBITMAP mono = MonochromeCopy(dc, FWidth, FHeight, RGB(255, 255, 255));
  ReplaceImage(mono, nullptr);
}

void* TBitmap::ScanLine(int row) {
  if (row < 0 || row >= FHeight || !FHandle) throw EInvalidGraphic("Scan line index out of range");
  if (!dib::ShapeOf(FHandle.Get()).IsSection) SetPixelFormat(pf32bit);
  DIBSECTION section{};
  GetObjectA(FHandle.Get(), sizeof section, &section);
  GdiFlush();
  const size_t stride = bmp::TDibImage::RowStride(FWidth, section.dsBm.bmBitsPixel);
  return static_cast<uint8_t*>(section.dsBm.bmBits) + stride * static_cast<size_t>(FHeight - 1 - row);
}

TColor TBitmap::TransparentColor() {
  if (Empty()) return clNone;
  return static_cast<TColor>(GetPixel(Canvas()->Handle(), 0, FHeight - 1));
}

void TBitmap::Mask(TColor color) {
  if (Empty()) return;
  HDC dc = Canvas()->Handle();
  HBITMAP mask = MonochromeCopy(dc, FWidth, FHeight, ColorToRGB(color) & 0xFFFFFF);
  ReplaceImage(mask, nullptr);
}

void TBitmap::Dormant() {
  FreeContext();
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect) {
  if (Empty()) return;
  HDC target = canvas->Handle();
  HDC source = Canvas()->Handle();
  gdi::PaletteGuard palette(target, FPalette.Get());
  SetStretchBltMode(target, Monochrome() ? BLACKONWHITE : COLORONCOLOR);
  auto blit = [&](HDC from, DWORD rop) {
    StretchBlt(target, rect.Left, rect.Top, rect.Width(), rect.Height(), from, 0, 0, FWidth, FHeight, rop);
  };
  if (!Transparent()) {
    blit(source, canvas->CopyMode());
    return;
  }
  // Transparent: a mask white where the bitmap has its transparent colour, then XOR, AND, XOR, which leaves the
  // target where the mask is white and the bitmap elsewhere. Mask bits reach the target as black (0) and white (1).
  gdi::Object<HBITMAP> mask(MonochromeCopy(source, FWidth, FHeight, ColorToRGB(TransparentColor()) & 0xFFFFFF));
  gdi::MemoryDC maskDC;
  gdi::SelectGuard maskSelected(maskDC.Get(), mask.Get());
  const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
  blit(source, SRCINVERT);
  blit(maskDC.Get(), SRCAND);
  blit(source, SRCINVERT);
  SetTextColor(target, oldText);
  SetBkColor(target, oldBack);
}

void TBitmap::LoadFromStream(TStream& stream) {
  // The file's length is the header's when that is plausible, else the rest of the stream, so that a bitmap
  // stored inside a larger stream leaves the bytes after it.
  const int64_t start = stream.Position();
  const int64_t remaining = stream.Size() - start;
  if (remaining < static_cast<int64_t>(kSmallestBmp)) throw EInvalidGraphic("Bitmap image is not valid");
  std::vector<uint8_t> bytes(kBmpFileHeaderSize);
  stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  const uint32_t declaredSize = le::ReadU32(&bytes[2]);
  const int64_t fileSize = declaredSize >= kSmallestBmp && declaredSize <= remaining ? declaredSize : remaining;
  if (fileSize > INT32_MAX) throw EInvalidGraphic("Bitmap image is not valid");
  // Headers and colour table first; usual files then read their rows straight into the DIB section.
  const uint32_t bitsOffset = le::ReadU32(&bytes[10]);
  const size_t headerBytes = static_cast<size_t>(std::clamp<int64_t>(bitsOffset, kSmallestBmp, fileSize));
  bytes.resize(headerBytes);
  stream.ReadBuffer(bytes.data() + kBmpFileHeaderSize, static_cast<int32_t>(headerBytes - kBmpFileHeaderSize));
  const bmp::TBmpLayout layout = bmp::ReadBmpLayout(bytes.data(), bytes.size(), static_cast<uint64_t>(fileSize));
  gdi::Object<HBITMAP> section;
  if (layout.StoredAsIs && layout.BitsOffset == headerBytes) {
    const bmp::TDibImage& image = layout.Image;
    section.Reset(
        dib::CreateBlankSection(image.Width, image.Height, image.BitCount, image.GreenMask == 0x07E0, image.Colors));
    DIBSECTION info{};
    GetObjectA(section.Get(), sizeof info, &info);
    stream.ReadBuffer(info.dsBm.bmBits, static_cast<int32_t>(layout.BitsSize));
  } else {
    bytes.resize(static_cast<size_t>(fileSize));
    stream.ReadBuffer(bytes.data() + headerBytes, static_cast<int32_t>(bytes.size() - headerBytes));
    section.Reset(dib::CreateSection(bmp::ReadBmp(bytes.data(), bytes.size())));
  }
  stream.SetPosition(start + fileSize);
  HPALETTE palette = layout.Image.BitCount <= 8 ? dib::CreatePaletteOf(layout.Image.Colors) : nullptr;
  ReplaceImage(section.Release(), palette);
}

void TBitmap::SaveToStream(TStream& stream) {
  HBITMAP handle = Handle();
  if (!handle) return;
  bmp::TDibImage image;
  const dib::TBitmapShape shape = dib::ShapeOf(handle);
  if (shape.IsSection) {
    image = dib::ReadSection(handle);
  } else {
    const bool mono = shape.BitCount == 1;
    image = dib::ReduceFrom32(dib::Read32(handle, FPalette.Get()), mono ? 1 : 24, false,
                              mono ? dib::MonochromePalette() : std::vector<dib::TColorEntry>{});
  }
  const std::vector<uint8_t> bytes = bmp::WriteBmp(image);
  stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  if (format != CF_BITMAP || !data) throw EInvalidGraphic("Unsupported clipboard format");
  auto* source = static_cast<HBITMAP>(data);
  const dib::TBitmapShape shape = dib::ShapeOf(source);
  HBITMAP copy = CreateDeviceBitmap(shape.Width, shape.Height, shape.BitCount == 1);
  {
    gdi::MemoryDC target, origin;
    gdi::SelectGuard selectedTarget(target.Get(), copy), selectedOrigin(origin.Get(), source);
    gdi::PaletteGuard selectedPalette(origin.Get(), palette);
    BitBlt(target.Get(), 0, 0, shape.Width, shape.Height, origin.Get(), 0, 0, SRCCOPY);
  }
  ReplaceImage(copy, CopyPalette(palette));
}

void TBitmap::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  format = CF_BITMAP;
  data = nullptr;
  palette = nullptr;
  if (Empty()) return;
  // The clipboard gets device-dependent copies and owns them.
  HBITMAP copy = CreateDeviceBitmap(FWidth, FHeight, Monochrome());
  {
    gdi::MemoryDC target;
    gdi::SelectGuard selected(target.Get(), copy);
    gdi::PaletteGuard selectedPalette(target.Get(), FPalette.Get());
    BitBlt(target.Get(), 0, 0, FWidth, FHeight, Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  data = gdi::Untrack(copy);
  palette = static_cast<HPALETTE>(gdi::Untrack(CopyPalette(FPalette.Get())));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HANDLE loaded = LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!loaded) throw EInvalidGraphic("Bitmap image is not valid");
  ReplaceImage(static_cast<HBITMAP>(gdi::Track(loaded)), nullptr);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  HANDLE loaded = LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!loaded) throw EInvalidGraphic("Bitmap image is not valid");
  ReplaceImage(static_cast<HBITMAP>(gdi::Track(loaded)), nullptr);
}

void TBitmapCanvas::BeforeDestruction() {
  FreeContext();
  inherited::BeforeDestruction();
}

void TBitmapCanvas::CreateHandle() {
  HDC dc = gdi::TrackDC(gdi::Check(CreateCompatibleDC(nullptr)));
  FDC = dc;
  FOldBitmap = FBitmap->FHandle ? SelectObject(dc, FBitmap->FHandle.Get()) : nullptr;
  FOldPalette = FBitmap->FPalette ? SelectPalette(dc, FBitmap->FPalette.Get(), TRUE) : nullptr;
  if (FOldPalette) RealizePalette(dc);
  SetHandle(dc);
}

void TBitmapCanvas::FreeContext() {
  if (!FDC) return;
  SetHandle(nullptr);
  if (FOldBitmap) SelectObject(FDC, FOldBitmap);
  if (FOldPalette) SelectPalette(FDC, FOldPalette, TRUE);
  gdi::FreeMemoryDC(FDC);
  FDC = nullptr;
  FOldBitmap = nullptr;
  FOldPalette = nullptr;
}

}  // namespace cl
