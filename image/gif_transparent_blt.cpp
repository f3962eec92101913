#include "image/gif_transparent_blt.h"

#include "classlib/win/gdi.h"
#include "classlib/win/system_info.h"
#include "image/gif_gdi.h"

namespace img {
namespace {

// MaskBlt: the foreground operation keeps the destination where the mask bit is 1, the background one copies the
// source where it is 0.
constexpr DWORD kKeepDestination = 0x00AA0029;
constexpr DWORD kMaskedCopy = MAKEROP4(kKeepDestination, SRCCOPY);

HDC NewMemoryDC(HDC reference) {
  return cl::gdi::TrackDC(CheckGDIResult(CreateCompatibleDC(reference)));
}

HBITMAP Tracked(HBITMAP bitmap) {
  return static_cast<HBITMAP>(cl::gdi::Track(CheckGDIResult(bitmap)));
}

// A memory DC made with CheckGDIResult and deleted on every path.
class MemoryDC {
 public:
  explicit MemoryDC(HDC reference) : FDC(NewMemoryDC(reference)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() { cl::gdi::FreeMemoryDC(FDC); }
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
};

void BlitWithMaskBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                     HDC maskDC, int maskX, int maskY) {
  // MaskBlt takes the mask as a bitmap that no DC holds: a 1 x 1 stand-in takes its place meanwhile.
  cl::gdi::Object<HBITMAP> standIn(Tracked(CreateCompatibleBitmap(maskDC, 1, 1)));
  auto mask = static_cast<HBITMAP>(SelectObject(maskDC, standIn.Get()));
  MaskBlt(destination, x, y, width, height, source, sourceX, sourceY, mask, maskX, maskY, kMaskedCopy);
  SelectObject(maskDC, mask);
}

void BlitWithAndOr(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                   int sourceWidth, int sourceHeight, HDC maskDC, int maskX, int maskY) {
  // The picture with its transparent pixels black: white where the inverted mask is set, ANDed with the source.
  MemoryDC picture(destination);
  cl::gdi::Object<HBITMAP> pictureBitmap(Tracked(CreateCompatibleBitmap(destination, sourceWidth, sourceHeight)));
  cl::gdi::SelectGuard pictureSelected(picture.Get(), pictureBitmap.Get());
  // The source's palette (or the system's 16 colours), found by selecting the stock palette in and back out.
  auto systemPalette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  HPALETTE sourcePalette = SelectPalette(source, systemPalette, TRUE);
  SelectPalette(source, sourcePalette, TRUE);
  cl::gdi::PaletteGuard pictureColors(picture.Get(), sourcePalette ? sourcePalette : systemPalette);
  {
    MemoryDC inverted(destination);
    cl::gdi::Object<HBITMAP> invertedBitmap(Tracked(CreateBitmap(sourceWidth, sourceHeight, 1, 1, nullptr)));
    cl::gdi::SelectGuard invertedSelected(inverted.Get(), invertedBitmap.Get());
    BitBlt(inverted.Get(), 0, 0, sourceWidth, sourceHeight, maskDC, maskX, maskY, NOTSRCCOPY);
    BitBlt(picture.Get(), 0, 0, sourceWidth, sourceHeight, inverted.Get(), 0, 0, SRCCOPY);
  }
  BitBlt(picture.Get(), 0, 0, sourceWidth, sourceHeight, source, sourceX, sourceY, SRCAND);

  // The destination blackened where the mask is clear, then the picture ORed in; the mask reaches the
  // destination in black and white only with black text on a white background.
  const COLORREF oldText = SetTextColor(destination, RGB(0, 0, 0));
  const COLORREF oldBackground = SetBkColor(destination, RGB(255, 255, 255));
  StretchBlt(destination, x, y, width, height, maskDC, maskX, maskY, sourceWidth, sourceHeight, SRCAND);
  StretchBlt(destination, x, y, width, height, picture.Get(), 0, 0, sourceWidth, sourceHeight, SRCPAINT);
  SetTextColor(destination, oldText);
  SetBkColor(destination, oldBackground);
}

}  // namespace

bool TransparentStretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                           int sourceWidth, int sourceHeight, HDC maskDC, int maskX, int maskY,
                           TTransparentBltPath path) {
  if (path == TTransparentBltPath::Automatic) {
    const bool sameSize = width == sourceWidth && height == sourceHeight;
    path = sameSize && cl::Win32Platform() == VER_PLATFORM_WIN32_NT ? TTransparentBltPath::MaskBlt
                                                                    : TTransparentBltPath::AndOr;
  }
  if (path == TTransparentBltPath::MaskBlt)
    BlitWithMaskBlt(destination, x, y, width, height, source, sourceX, sourceY, maskDC, maskX, maskY);
  else
    BlitWithAndOr(destination, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, maskDC, maskX,
                  maskY);
  return true;
}

}  // namespace img
