#include "image/section_pixels.h"

#include "classlib/win/bitmap.h"
#include "classlib/win/gdi.h"

namespace img {

HBITMAP CreateUnfilledBitmapLike(cl::TBitmap* model, int width, int height) {
  cl::gdi::WindowDC screen;
  if (model->PixelFormat() == cl::pfDevice) return cl::gdi::Check(CreateCompatibleBitmap(screen.Get(), width, height));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = model->PixelFormat() == cl::pf32bit ? 32 : 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return cl::gdi::Check(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

std::optional<PixelRows> SectionRows(HBITMAP bitmap) {
  DIBSECTION section{};
  if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits) {
    return std::nullopt;
  }
  const int bitCount = section.dsBm.bmBitsPixel;
  if ((bitCount != 24 && bitCount != 32) || section.dsBmih.biCompression != BI_RGB) return std::nullopt;
  GdiFlush();  // drawing still queued for the bitmap lands first
  PixelRows rows;
  rows.Width = section.dsBm.bmWidth;
  rows.Height = section.dsBm.bmHeight;
  rows.BytesPerPixel = bitCount / 8;
  const std::ptrdiff_t stride = section.dsBm.bmWidthBytes;
  auto* base = static_cast<uint8_t*>(section.dsBm.bmBits);
  const bool bottomUp = section.dsBmih.biHeight > 0;
  rows.Top = bottomUp ? base + (rows.Height - 1) * stride : base;
  rows.Stride = bottomUp ? -stride : stride;
  return rows;
}

void SpareSections::Keep(HBITMAP bitmap) {
  if (!bitmap) return;
  if (!SectionRows(bitmap)) {
    DeleteObject(bitmap);
    return;
  }
  if (FKept[1]) {
    cl::gdi::Delete(FKept[0]);
    FKept = {FKept[1], nullptr};
  }
  FKept[FKept[0] ? 1 : 0] = static_cast<HBITMAP>(cl::gdi::Track(bitmap));  // counted while kept
}

HBITMAP SpareSections::TakeOrCreate(cl::TBitmap* model, int width, int height) {
  const cl::TPixelFormat format = model->PixelFormat();
  const int bytesPerPixel = format == cl::pf32bit ? 4 : format == cl::pf24bit ? 3 : 0;
  for (HBITMAP& kept : FKept) {
    const std::optional<PixelRows> rows = SectionRows(kept);
    if (rows && rows->Width == width && rows->Height == height && rows->BytesPerPixel == bytesPerPixel) {
      auto* taken = static_cast<HBITMAP>(cl::gdi::Untrack(kept));
      kept = nullptr;
      if (!FKept[0]) FKept = {FKept[1], nullptr};
      return taken;
    }
  }
  return CreateUnfilledBitmapLike(model, width, height);
}

void SpareSections::Clear() {
  for (HBITMAP& kept : FKept) {
    cl::gdi::Delete(kept);
    kept = nullptr;
  }
}

}  // namespace img
