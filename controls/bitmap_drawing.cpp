#include "controls/bitmap_drawing.h"

#include <optional>
#include <vector>

#include "classlib/win/bitmap.h"
#include "classlib/win/icon.h"
#include "controls/draw_clip.h"

namespace ctl {
namespace {

// The mask (AND) and then the source (OR) into every target: white mask pixels keep the destination, black ones
// clear it for the source.
void DrawThroughMask(cl::TCanvas* dest, const std::vector<cl::TRect>& targets, cl::TCanvas* mask, cl::TCanvas* source,
                     const cl::TRect& sourceRect) {
  dest->Changing();
  HDC dc = dest->Handle();
  HDC maskDC = mask->Handle();
  HDC sourceDC = source->Handle();
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  for (const cl::TRect& t : targets) {
    StretchBlt(dc, t.Left, t.Top, t.Width(), t.Height(), maskDC, sourceRect.Left, sourceRect.Top, sourceRect.Width(),
               sourceRect.Height(), SRCAND);
    StretchBlt(dc, t.Left, t.Top, t.Width(), t.Height(), sourceDC, sourceRect.Left, sourceRect.Top, sourceRect.Width(),
               sourceRect.Height(), SRCPAINT);
  }
  SetStretchBltMode(dc, oldMode);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  dest->Changed();
}

void DrawTargets(cl::TCanvas* dest, const cl::TRect& destRect, cl::TCanvas* source, cl::TBitmap* bitmap,
                 cl::TColor color, TDrawFlags flags, const cl::TRect& sourceRect, uint32_t clipOffset) {
  if (!dest) return;
  const std::vector<cl::TRect> targets = BitmapTargets(destRect, sourceRect.Width(), sourceRect.Height(), flags);
  if (targets.empty()) return;
  const bool fromBitmap = (flags & dfBrushCopy) != 0;
  if (fromBitmap ? !bitmap || bitmap->Empty() : !source) return;
  std::optional<ClipToRect> clip;
  if (flags & dfClip) clip.emplace(dest->Handle(), destRect, clipOffset);
  if (fromBitmap) {
    dest->Brush()->SetColor(color);
    const cl::TColor transparent = bitmap->TransparentColor();
    for (const cl::TRect& t : targets) dest->BrushCopy(t, bitmap, sourceRect, transparent);
  } else if ((flags & dfMasked) && bitmap && !bitmap->Empty()) {
    DrawThroughMask(dest, targets, bitmap->Canvas(), source, sourceRect);
  } else if (flags & dfTransparent) {
    cl::Owned<cl::TBitmap> mask = cl::MakeOwned<cl::TBitmap>();
    cl::Owned<cl::TBitmap> image = cl::MakeOwned<cl::TBitmap>();
    MakeTransparentMask(source, sourceRect, mask.get(), color, image.get());
    DrawThroughMask(dest, targets, mask->Canvas(), image->Canvas(),
                    cl::Rect(0, 0, sourceRect.Width(), sourceRect.Height()));
  } else {
    for (const cl::TRect& t : targets) dest->CopyRect(t, source, sourceRect);
  }
}

void DrawWholeBitmap(cl::TCanvas* dest, const cl::TRect& destRect, cl::TBitmap* bitmap, cl::TColor color,
                     TDrawFlags flags, uint32_t clipOffset) {
  if (!dest || !bitmap || bitmap->Empty()) return;
  std::optional<cl::gdi::PaletteGuard> palette;
  if ((flags & dfPalette) && bitmap->Palette() && PaletteWorkWanted())
    palette.emplace(dest->Handle(), bitmap->Palette());
  cl::TCanvas* source = (flags & dfBrushCopy) ? nullptr : bitmap->Canvas();
  DrawTargets(dest, destRect, source, (flags & dfBrushCopy) ? bitmap : nullptr, color, flags,
              cl::Rect(0, 0, bitmap->Width(), bitmap->Height()), clipOffset);
}

}  // namespace

void DrawBitmapRect(cl::TCanvas* dest, const cl::TRect& destRect, cl::TCanvas* source, cl::TBitmap* bitmap,
                    cl::TColor color, TDrawFlags flags, const cl::TRect& sourceRect) {
  DrawTargets(dest, destRect, source, bitmap, color, flags, sourceRect, 0);
}

void DrawBitmap(cl::TCanvas* dest, const cl::TRect& destRect, cl::TBitmap* bitmap, cl::TColor color, TDrawFlags flags) {
  DrawWholeBitmap(dest, destRect, bitmap, color, flags, 0);
}

void DrawBitmapClipped(cl::TCanvas* dest, const cl::TRect& destRect, cl::TBitmap* bitmap, cl::TColor color,
                       uint32_t offset, TDrawFlags flags) {
  DrawWholeBitmap(dest, destRect, bitmap, color, flags, offset);
}

void FillBitmap(cl::TBitmap* bitmap, const cl::TRect& rect, cl::TColor color) {
  if (!bitmap || rect.Width() <= 0 || rect.Height() <= 0) return;
  bitmap->SetSize(rect.Width(), rect.Height());
  cl::TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(color);
  canvas->Brush()->SetStyle(cl::bsSolid);
  canvas->FillRect(cl::Rect(0, 0, rect.Width(), rect.Height()));
}

void MakeTransparentMask(cl::TCanvas* source, const cl::TRect& sourceRect, cl::TBitmap* mask,
                         cl::TColor transparentColor, cl::TBitmap* image) {
  if (!source || !mask || !image) return;
  const cl::TRect whole = cl::Rect(0, 0, sourceRect.Width(), sourceRect.Height());
  image->SetSize(whole.Right, whole.Bottom);
  image->Canvas()->CopyRect(whole, source, sourceRect);
  mask->Assign(image);
  mask->Mask(transparentColor);
  // The mask's white (transparent) pixels become black in colour, its black ones white: AND blackens the image
  // exactly where it is transparent.
  cl::TCanvas* canvas = image->Canvas();
  canvas->Changing();
  HDC dc = canvas->Handle();
  const COLORREF oldBack = SetBkColor(dc, RGB(0, 0, 0));
  const COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
  BitBlt(dc, 0, 0, whole.Right, whole.Bottom, mask->Canvas()->Handle(), 0, 0, SRCAND);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  canvas->Changed();
}

void IconToBitmap(cl::TBitmap* bitmap, cl::TIcon* icon, cl::TColor color) {
  if (!bitmap || !icon || icon->Empty()) return;
  FillBitmap(bitmap, cl::Rect(0, 0, icon->Width(), icon->Height()), color);
  bitmap->Canvas()->Draw(0, 0, icon);
}

}  // namespace ctl
