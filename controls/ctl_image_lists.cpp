// Bitmap and image-strip items, the image lists' operations, and the global container.
#include "controls/ctl_image_lists.h"

#include "classlib/core/exceptions.h"
#include "classlib/core/object.h"
#include "classlib/core/streams.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/gdi.h"
#include "controls/container_file.h"
#include "controls/core/item_framing.h"
#include "controls/bitmap_drawing.h"
#include "controls/bmp_image.h"

namespace ctl {
namespace {

constexpr cl::TColor kWhite = 0xFFFFFF;
constexpr DWORD kPaintPattern = 0x00FA0089;  // DPo: destination OR pattern

std::vector<uint8_t> BitmapFileImage(cl::TBitmap* bitmap, TCtlSavePixelFormat format) {
  cl::TMemoryStream stream;
  if (format == spfDefault)
    bitmap->SaveToStream(stream);
  else
    WriteBitmapAtColors(stream, bitmap, SaveFormatColorCount(format));
  const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
  return std::vector<uint8_t>(bytes, bytes + stream.Size());
}

// A new bitmap read from a BMP file image; raises EInvalidGraphic for anything malformed.
cl::Owned<cl::TBitmap> BitmapFromFileImage(const std::vector<uint8_t>& image) {
  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  LoadBitmapFromFileImage(bitmap.get(), image);
  return bitmap;
}

TCtlSavePixelFormat SaveFormatOf(int format) {
  return format >= spfDefault && format <= spf8bit ? static_cast<TCtlSavePixelFormat>(format) : spfDefault;
}

// Greys the opaque pixels of a masked frame already drawn at dest: every pixel the pattern leaves on (a
// checkerboard, or three of every four) becomes color.
void PaintGrayPattern(cl::TCanvas* canvas, const cl::TRect& dest, cl::TBitmap* mask, const cl::TRect& frame,
                      TCtlDrawStyle style, cl::TColor color) {
  const int width = frame.Width(), height = frame.Height();
  // Pattern bits that are set leave the pixel alone.
  static const WORD checker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  static const WORD dots[8] = {0x55, 0x00, 0x55, 0x00, 0x55, 0x00, 0x55, 0x00};
  cl::gdi::Object<HBITMAP> patternBits(
      static_cast<HBITMAP>(cl::gdi::Track(CreateBitmap(8, 8, 1, 1, style == dsGrayChecker ? checker : dots))));
  cl::gdi::Object<HBRUSH> pattern(static_cast<HBRUSH>(cl::gdi::Track(CreatePatternBrush(patternBits.Get()))));

  // Keep: 1 where the pixel stays (transparent, or the pattern leaves it), 0 where it turns to color.
  cl::gdi::MemoryDC keepDC;
  cl::gdi::Object<HBITMAP> keep(static_cast<HBITMAP>(cl::gdi::Track(CreateBitmap(width, height, 1, 1, nullptr))));
  cl::gdi::SelectGuard keepSelected(keepDC.Get(), keep.Get());
  BitBlt(keepDC.Get(), 0, 0, width, height, mask->Canvas()->Handle(), frame.Left, frame.Top, SRCCOPY);
  SetBrushOrgEx(keepDC.Get(), 0, 0, nullptr);
  cl::gdi::SelectGuard brushSelected(keepDC.Get(), pattern.Get());
  PatBlt(keepDC.Get(), 0, 0, width, height, kPaintPattern);

  // Paint: color where the pixel turns, black elsewhere.
  HDC destDC = canvas->Handle();
  cl::gdi::MemoryDC paintDC(destDC);
  cl::gdi::Object<HBITMAP> paint(static_cast<HBITMAP>(cl::gdi::Track(CreateCompatibleBitmap(destDC, width, height))));
  cl::gdi::SelectGuard paintSelected(paintDC.Get(), paint.Get());
  cl::gdi::Object<HBRUSH> solid(static_cast<HBRUSH>(cl::gdi::Track(CreateSolidBrush(cl::ColorToRGB(color)))));
  const RECT all = {0, 0, width, height};
  FillRect(paintDC.Get(), &all, solid.Get());
  SetBkColor(paintDC.Get(), RGB(0, 0, 0));
  SetTextColor(paintDC.Get(), RGB(255, 255, 255));
  BitBlt(paintDC.Get(), 0, 0, width, height, keepDC.Get(), 0, 0, SRCAND);

  const COLORREF oldBack = SetBkColor(destDC, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(destDC, RGB(0, 0, 0));
  BitBlt(destDC, dest.Left, dest.Top, width, height, keepDC.Get(), 0, 0, SRCAND);
  BitBlt(destDC, dest.Left, dest.Top, width, height, paintDC.Get(), 0, 0, SRCPAINT);
  SetBkColor(destDC, oldBack);
  SetTextColor(destDC, oldText);
  canvas->Changed();
}

}  // namespace

TCtlBitmapListItem::TCtlBitmapListItem() : FBitmap(cl::New<cl::TBitmap>()) {
  FBitmap->SetOnChange([this](cl::TObject*) { Change(); });
}

void TCtlBitmapListItem::BeforeDestruction() {
  cl::FreeAndNil(FBitmap);
  inherited::BeforeDestruction();
}

cl::TBitmap* TCtlBitmapListItem::Bitmap() {
  if (FBitmap->Empty() && !Locked() && !ComponentState().Contains(cl::csLoading)) LoadByStorageMode();
  return FBitmap;
}

void TCtlBitmapListItem::SetBitmap(cl::TBitmap* bitmap) {
  FBitmap->Assign(bitmap);
}

void TCtlBitmapListItem::SetSaveFormat(TCtlSavePixelFormat format) {
  if (format == FSaveFormat) return;
  FSaveFormat = format;
  Change();
}

void TCtlBitmapListItem::LoadByStorageMode() {
  TCtlCustomContainer* container = Container();
  if (!container || container->StorageMode() == smInternal) return;
  Lock();
  // Unlocked also when the load fails, so that later changes are still notified.
  try {
    switch (container->StorageMode()) {
      case smContainerFile:
        LoadBitmapFromContainer(container->StoragePath(), Ident(), FBitmap);
        break;
      case smResource:
        FBitmap->LoadFromResourceID(GetModuleHandleA(nullptr), Ident());
        break;
      case smLibrary: {
        // Only a check that the library loads; it holds no bitmap for this list.
        const std::string path = container->StoragePath();
        HMODULE library = LoadLibraryA(path.c_str());
        if (!library) throw cl::EFOpenError("Cannot open file %s", {path});
        FreeLibrary(library);
        break;
      }
      case smBitmapFile:
        FBitmap->LoadFromFile(container->StoragePath());
        break;
      case smInternal:
        break;
    }
  } catch (...) {
    Unlock(false);
    throw;
  }
  Unlock(false);
}

void TCtlBitmapListItem::ClearContent() {
  FBitmap->Assign(nullptr);
}

bool TCtlBitmapListItem::IsEmpty() {
  return Bitmap()->Empty();
}

void TCtlBitmapListItem::ReadContent(const TItemRecord& record) {
  LoadBitmapFromFileImage(FBitmap, record.Content);
  FSaveFormat = SaveFormatOf(record.SaveFormat);
}

void TCtlBitmapListItem::WriteContent(TItemRecord& record) {
  record.SaveFormat = FSaveFormat;
  if (!Bitmap()->Empty()) record.Content = BitmapFileImage(FBitmap, FSaveFormat);
}

void TCtlBitmapListItem::AssignContent(TCtlListItem* source) {
  auto* item = static_cast<TCtlBitmapListItem*>(source);
  FBitmap->Assign(item->Bitmap());
  FSaveFormat = item->FSaveFormat;
}

void LoadBitmapFromFileImage(cl::TBitmap* bitmap, const std::vector<uint8_t>& image) {
  if (image.empty()) {
    bitmap->Assign(nullptr);
    return;
  }
  TBytesStream stream(image);
  bitmap->LoadFromStream(stream);
}

TCtlImageListItem::TCtlImageListItem() : FImage(cl::New<cl::TBitmap>()), FMask(cl::New<cl::TBitmap>()) {}

void TCtlImageListItem::BeforeDestruction() {
  cl::FreeAndNil(FImage);
  cl::FreeAndNil(FMask);
  inherited::BeforeDestruction();
}

void TCtlImageListItem::SetAllocBy(int32_t allocBy) {
  if (allocBy == FAllocBy) return;
  FAllocBy = allocBy;
  Change();
}

void TCtlImageListItem::SetSize(int32_t width, int32_t height) {
  if (!FStrip.SetSize(width, height)) return;
  FImage->Assign(nullptr);
  FMask->Assign(nullptr);
  Change();
}

void TCtlImageListItem::SetMasked(bool masked) {
  if (masked == FMasked) return;
  FMasked = masked;
  FMask->Assign(nullptr);
  if (masked && Count() > 0) {
    FMask->SetMonochrome(true);
    FMask->SetSize(FStrip.StripWidth(), Height());
    MaskByTransparentColors(0, Count());
  }
  Change();
}

void TCtlImageListItem::SetSaveFormat(TCtlSavePixelFormat format) {
  if (format == FSaveFormat) return;
  FSaveFormat = format;
  Change();
}

void TCtlImageListItem::Append(cl::TBitmap* image, cl::TBitmap* mask) {
  if (!image || image->Empty()) return;
  const int32_t width = Width(), height = Height();
  if (image->Height() != height || image->Width() % width != 0) {
    throw cl::EInvalidGraphicOperation("Invalid image size");
  }
  const bool withMasks = FMasked && mask && !mask->Empty();
  if (withMasks && (mask->Width() != image->Width() || mask->Height() != height)) {
    throw cl::EInvalidGraphicOperation("Invalid image size");
  }
  TImageStrip grown = FStrip;
  grown.Append(width, height, image->Width() / width);

  const cl::TRect source = cl::Rect(0, 0, image->Width(), height);
  const cl::TRect added = cl::Rect(FStrip.StripWidth(), 0, grown.StripWidth(), height);
  if (FImage->Empty()) FImage->SetPixelFormat(cl::pf24bit);
  FImage->SetSize(grown.StripWidth(), height);
  FImage->Canvas()->CopyRect(added, image->Canvas(), source);
  const int firstAdded = FStrip.Count();
  FStrip = grown;
  if (FMasked) {
    if (FMask->Empty()) FMask->SetMonochrome(true);
    FMask->SetSize(grown.StripWidth(), height);
    if (withMasks) {
      FMask->Canvas()->CopyRect(added, mask->Canvas(), source);
      ApplyMask(added);
    } else {
      // Frames that come without masks get them from their colour key, so that they stay as they look when the
      // strip is saved (a record keeps one mask strip for all frames).
      MaskByTransparentColors(firstAdded, grown.Count() - firstAdded);
    }
  }
  Change();
}

cl::TColor TCtlImageListItem::TransparentColor(int frame) {
  if (!FStrip.ValidIndex(frame)) return kWhite;
  const cl::TRect rect = FStrip.FrameRect(frame);
  return FImage->Canvas()->Pixels(rect.Left, rect.Bottom - 1);
}

void TCtlImageListItem::DrawFrame(cl::TCanvas* canvas, int x, int y, int frame, TCtlDrawStyle style, cl::TColor color) {
  if (!canvas || !FStrip.ValidIndex(frame)) return;
  const cl::TRect source = FStrip.FrameRect(frame);
  const cl::TRect dest = cl::Bounds(x, y, source.Width(), source.Height());
  if (!FMasked) {
    DrawBitmapRect(canvas, dest, FImage->Canvas(), nullptr, TransparentColor(frame), dfTransparent, source);
    return;
  }
  if (style == dsNormal && color != cl::clNone) {
    canvas->Brush()->SetColor(color);
    canvas->FillRect(dest);
  }
  DrawBitmapRect(canvas, dest, FImage->Canvas(), FMask, 0, dfMasked, source);
  if (style == dsGrayChecker || style == dsGrayDots) PaintGrayPattern(canvas, dest, FMask, source, style, color);
}

void TCtlImageListItem::ClearContent() {
  FImage->Assign(nullptr);
  FMask->Assign(nullptr);
  FStrip.Reset(0);
}

void TCtlImageListItem::ReadContent(const TItemRecord& record) {
  const TStripGeometry& geometry = record.Strip;
  TImageStrip strip;
  strip.SetSize(geometry.Width, geometry.Height);
  strip.Reset(geometry.Count);
  cl::Owned<cl::TBitmap> image = cl::MakeOwned<cl::TBitmap>();
  cl::Owned<cl::TBitmap> mask = cl::MakeOwned<cl::TBitmap>();
  if (geometry.Count > 0) {
    image = BitmapFromFileImage(record.StripImage);
    if (geometry.Masked) mask = BitmapFromFileImage(record.StripMask);
    // The bitmaps must hold exactly the frames the record announces.
    const auto fits = [&](cl::TBitmap* bitmap) {
      return bitmap->Width() == strip.StripWidth() && bitmap->Height() == geometry.Height;
    };
    if (!fits(image.get()) || (geometry.Masked && !fits(mask.get()))) throw cl::EReadError("Stream read error");
    if (geometry.Masked) mask->SetMonochrome(true);
  }
  FImage->Assign(image.get());
  FMask->Assign(mask.get());
  FStrip = strip;
  FMasked = geometry.Masked;
  FAllocBy = geometry.AllocBy;
  FSaveFormat = SaveFormatOf(record.SaveFormat);
}

void TCtlImageListItem::WriteContent(TItemRecord& record) {
  record.SaveFormat = FSaveFormat;
  record.Strip = {Height(), Width(), FAllocBy, FMasked, Count()};
  if (Count() == 0) return;
  record.StripImage = BitmapFileImage(FImage, FSaveFormat);
  if (FMasked) record.StripMask = BitmapFileImage(FMask, spfDefault);
}

void TCtlImageListItem::MaskByTransparentColors(int first, int count) {
  const cl::TRect whole = cl::Rect(0, 0, Width(), Height());
  for (int f = first; f < first + count; ++f) {
    const cl::TRect rect = FStrip.FrameRect(f);
    cl::Owned<cl::TBitmap> frame = cl::MakeOwned<cl::TBitmap>();
    frame->SetPixelFormat(cl::pf24bit);
    frame->SetSize(Width(), Height());
    frame->Canvas()->CopyRect(whole, FImage->Canvas(), rect);
    frame->Mask(TransparentColor(f));
    FMask->Canvas()->CopyRect(rect, frame->Canvas(), whole);
  }
  ApplyMask(cl::Rect(FStrip.FrameRect(first).Left, 0, FStrip.FrameRect(first).Left + count * Width(), Height()));
}

void TCtlImageListItem::AssignContent(TCtlListItem* source) {
  auto* item = static_cast<TCtlImageListItem*>(source);
  FImage->Assign(item->FImage);
  FMask->Assign(item->FMask);
  FStrip = item->FStrip;
  FMasked = item->FMasked;
  FAllocBy = item->FAllocBy;
  FSaveFormat = item->FSaveFormat;
}

void TCtlImageListItem::ApplyMask(const cl::TRect& frames) {
  HDC imageDC = FImage->Canvas()->Handle();
  HDC maskDC = FMask->Canvas()->Handle();
  const COLORREF oldBack = SetBkColor(imageDC, RGB(0, 0, 0));
  const COLORREF oldText = SetTextColor(imageDC, RGB(255, 255, 255));
  BitBlt(imageDC, frames.Left, frames.Top, frames.Width(), frames.Height(), maskDC, frames.Left, frames.Top, SRCAND);
  SetBkColor(imageDC, oldBack);
  SetTextColor(imageDC, oldText);
  FImage->Canvas()->Changed();
}

void TCtlCustomImageList::AssignSettings(const TCtlCustomContainer* source) {
  FDefaultPixelFormat = static_cast<const TCtlCustomImageList*>(source)->FDefaultPixelFormat;
}

TCtlListItem* TCtlBitmapList::CreateItem() {
  auto* item = cl::New<TCtlBitmapListItem>();
  item->SetSaveFormat(DefaultPixelFormat());
  return item;
}

cl::TBitmap* TCtlBitmapList::EntryBitmap(int n) {
  return n >= 0 && n < Count() ? Items(n)->Bitmap() : nullptr;
}

cl::TCanvas* TCtlBitmapList::ImageCanvas(int n) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  return bitmap ? bitmap->Canvas() : nullptr;
}

cl::TRect TCtlBitmapList::ImageRect(int n, int) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  return bitmap ? cl::Rect(0, 0, bitmap->Width(), bitmap->Height()) : cl::TRect{};
}

int TCtlBitmapList::ImageSize(int n, int which) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  if (!bitmap) return 0;
  return which == 0 ? bitmap->Width() : bitmap->Height();
}

int TCtlBitmapList::ImageCount(int n) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  return bitmap && !bitmap->Empty() ? 1 : 0;
}

bool TCtlBitmapList::ImageExists(int n, int) {
  return ImageCount(n) == 1;
}

void TCtlBitmapList::CopyImage(int n, int, cl::TBitmap* bitmap) {
  if (cl::TBitmap* entry = EntryBitmap(n); entry && bitmap) bitmap->Assign(entry);
}

HPALETTE TCtlBitmapList::ImagePalette(int n) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  return bitmap ? bitmap->Palette() : nullptr;
}

cl::TColor TCtlBitmapList::ImageTransparentColor(int n, int) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  return bitmap && !bitmap->Empty() ? bitmap->TransparentColor() : kWhite;
}

cl::TColor TCtlBitmapList::ImagePixel(int n, int, int x, int y) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  return bitmap && !bitmap->Empty() ? bitmap->Canvas()->Pixels(x, y) : kWhite;
}

void TCtlBitmapList::DrawImage(cl::TCanvas* canvas, int x, int y, int n, int) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  if (!bitmap || bitmap->Empty()) return;
  DrawBitmap(canvas, cl::Bounds(x, y, bitmap->Width(), bitmap->Height()), bitmap, 0, 0);
}

void TCtlBitmapList::DrawImageRect(cl::TCanvas* canvas, const cl::TRect& rect, int n, int, TDrawFlags flags) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  if (!bitmap || bitmap->Empty()) return;
  DrawBitmap(canvas, rect, bitmap, bitmap->TransparentColor(), flags);
}

void TCtlBitmapList::DrawImageRectEx(cl::TCanvas* canvas, const cl::TRect& rect, int n, int, TDrawFlags flags,
                                     cl::TColor color, uint32_t offset) {
  cl::TBitmap* bitmap = EntryBitmap(n);
  if (!bitmap || bitmap->Empty()) return;
  DrawBitmapClipped(canvas, rect, bitmap, color, offset, flags);
}

TCtlListItem* TCtlImageList::CreateItem() {
  auto* item = cl::New<TCtlImageListItem>();
  item->SetSaveFormat(DefaultPixelFormat());
  return item;
}

TCtlImageListItem* TCtlImageList::Entry(int n) {
  return n >= 0 && n < Count() ? Items(n) : nullptr;
}

TCtlImageListItem* TCtlImageList::EntryFrame(int n, int f) {
  TCtlImageListItem* item = Entry(n);
  return item && item->Strip().ValidIndex(f) ? item : nullptr;
}

cl::TCanvas* TCtlImageList::ImageCanvas(int n) {
  TCtlImageListItem* item = Entry(n);
  return item ? item->Image()->Canvas() : nullptr;
}

cl::TRect TCtlImageList::ImageRect(int n, int f) {
  TCtlImageListItem* item = EntryFrame(n, f);
  return item ? item->Strip().FrameRect(f) : cl::TRect{};
}

int TCtlImageList::ImageSize(int n, int which) {
  TCtlImageListItem* item = Entry(n);
  if (!item) return 0;
  return which == 0 ? item->Width() : item->Height();
}

int TCtlImageList::ImageCount(int n) {
  TCtlImageListItem* item = Entry(n);
  return item ? item->Count() : -1;
}

bool TCtlImageList::ImageExists(int n, int f) {
  return EntryFrame(n, f) != nullptr;
}

void TCtlImageList::CopyImage(int n, int f, cl::TBitmap* bitmap) {
  TCtlImageListItem* item = EntryFrame(n, f);
  if (!item || !bitmap) return;
  const cl::TRect frame = item->Strip().FrameRect(f);
  bitmap->SetSize(frame.Width(), frame.Height());
  bitmap->Canvas()->CopyRect(cl::Rect(0, 0, frame.Width(), frame.Height()), item->Image()->Canvas(), frame);
}

bool TCtlImageList::ImageMasked(int n) {
  TCtlImageListItem* item = Entry(n);
  return item && item->Masked();
}

HPALETTE TCtlImageList::ImagePalette(int n) {
  TCtlImageListItem* item = Entry(n);
  return item ? item->Image()->Palette() : nullptr;
}

cl::TColor TCtlImageList::ImageTransparentColor(int n, int f) {
  TCtlImageListItem* item = EntryFrame(n, f);
  return item ? item->TransparentColor(f) : kWhite;
}

cl::TColor TCtlImageList::ImagePixel(int n, int f, int x, int y) {
  TCtlImageListItem* item = EntryFrame(n, f);
  if (!item) return kWhite;
  const cl::TRect frame = item->Strip().FrameRect(f);
  return item->Image()->Canvas()->Pixels(frame.Left + x, frame.Top + y);
}

void TCtlImageList::DrawImage(cl::TCanvas* canvas, int x, int y, int n, int f) {
  if (TCtlImageListItem* item = EntryFrame(n, f)) item->DrawFrame(canvas, x, y, f, dsMasked, cl::clNone);
}

void TCtlImageList::DrawImageRect(cl::TCanvas* canvas, const cl::TRect& rect, int n, int f, TDrawFlags flags) {
  DrawImageRectEx(canvas, rect, n, f, flags, cl::clNone, 0);
}

void TCtlImageList::DrawImageRectEx(cl::TCanvas* canvas, const cl::TRect& rect, int n, int f, TDrawFlags flags,
                                    cl::TColor color, uint32_t offset) {
  TCtlImageListItem* item = EntryFrame(n, f);
  if (!item || !canvas) return;
  const cl::TRect frame = item->Strip().FrameRect(f);
  const bool masked = item->Masked();
  // The mask, or else the frame's bottom-left pixel, keeps the frame's background off the canvas.
  const TDrawFlags transparency = masked ? dfMasked : dfTransparent;
  const cl::TColor key = masked ? 0 : item->TransparentColor(f);
  HDC dc = canvas->Handle();
  cl::gdi::SaveDCGuard saved(dc);
  if (flags & dfClip) {
    // The destination moved by the packed offset (x in the low word, y in the high word), in logical units.
    const int dx = static_cast<int16_t>(offset & 0xFFFF), dy = static_cast<int16_t>(offset >> 16);
    IntersectClipRect(dc, rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy);
  }
  DrawBitmapRect(canvas, rect, item->Image()->Canvas(), masked ? item->Mask() : nullptr, key,
                 static_cast<TDrawFlags>((flags & ~dfClip) | transparency), frame);
}

TCtlContainer::TCtlContainer(cl::TComponent* owner)
    : TCtlComponent(owner),
      FBitmapList(cl::New<TCtlBitmapList>(this)),
      FImageList(cl::New<TCtlImageList>(this)),
      FWaveList(cl::New<TCtlWaveList>(this)),
      FStringList(cl::New<TCtlStringList>(this)) {
  for (TCtlCustomContainer* list :
       {static_cast<TCtlCustomContainer*>(FBitmapList), static_cast<TCtlCustomContainer*>(FImageList),
        static_cast<TCtlCustomContainer*>(FWaveList), static_cast<TCtlCustomContainer*>(FStringList)}) {
    list->SetOnChange([this](cl::TObject*) { Change(); });
  }
}

namespace {

TCtlContainer* globalContainer = nullptr;

void FreeGlobalContainer() {
  cl::FreeAndNil(globalContainer);
}

}  // namespace

TCtlContainer* GlobalContainer() {
  if (!globalContainer) {
    globalContainer = cl::New<TCtlContainer>(nullptr);
    cl::AddExitProc(FreeGlobalContainer);
  }
  return globalContainer;
}

}  // namespace ctl
