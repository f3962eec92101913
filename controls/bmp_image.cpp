#include "controls/bmp_image.h"

#include "classlib/core/bmp_codec.h"
#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "controls/core/draw_placement.h"

namespace ctl {
namespace {

constexpr int kMonochromeColors = 2;

struct BitmapInfoWithColors {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

}  // namespace

std::vector<uint8_t> BitmapToBMPImage(HBITMAP bitmap, HPALETTE palette, int colorCount) {
  if (!bitmap) throw cl::EInvalidGraphic("Bitmap image is not valid");
  const cl::dib::TBitmapShape shape = cl::dib::ShapeOf(bitmap);
  if (shape.Width <= 0 || shape.Height <= 0) throw cl::EInvalidGraphic("Bitmap image is not valid");
  cl::bmp::TDibImage image;
  image.Width = shape.Width;
  image.Height = shape.Height;
  image.BitCount = BmpBitCount(colorCount, shape.BitCount);
  image.Bits.resize(image.Stride() * static_cast<size_t>(image.Height));

  BitmapInfoWithColors info{};
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  info.Header.biWidth = image.Width;
  info.Header.biHeight = image.Height;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = static_cast<WORD>(image.BitCount);
  info.Header.biCompression = BI_RGB;
  // The bits as the focused window's device shows them, through the bitmap's palette.
  HWND focus = GetFocus();
  cl::gdi::WindowDC dc(focus);
  bool read = false;
  {
    cl::gdi::PaletteGuard selected(dc.Get(), palette);
    read = GetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(image.Height), image.Bits.data(),
                     reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != 0;
  }
  if (!read) throw cl::EInvalidGraphic("Bitmap image is not valid");
  if (image.BitCount <= 8) {
    for (int i = 0; i < (1 << image.BitCount); ++i) {
      const RGBQUAD& c = info.Colors[i];
      image.Colors.push_back(cl::bmp::TColorEntry{c.rgbBlue, c.rgbGreen, c.rgbRed, 0});
    }
  }
  return cl::bmp::WriteBmp(image);
}

void WriteBitmapImage(cl::TStream& stream, HBITMAP bitmap, HPALETTE palette, int colorCount, bool withSize) {
  const std::vector<uint8_t> image = BitmapToBMPImage(bitmap, palette, colorCount);
  if (withSize) {
    uint8_t size[4];
    cl::le::WriteU32(size, static_cast<uint32_t>(image.size()));
    stream.WriteBuffer(size, sizeof size);
  }
  stream.WriteBuffer(image.data(), static_cast<int32_t>(image.size()));
}

void WriteBitmapAtColors(cl::TStream& stream, cl::TBitmap* bitmap, int colorCount) {
  if (!bitmap) return;
  if (bitmap->Monochrome()) colorCount = kMonochromeColors;
  WriteBitmapImage(stream, bitmap->Handle(), bitmap->Palette(), colorCount, false);
  stream.SetPosition(0);
}

}  // namespace ctl
