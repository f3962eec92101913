// Button glyphs: the state images and the drawing of glyph, caption and arrow.
//
// Monochrome maps are the working material: a 1-bit bitmap that is 1 (white) where a pixel of the source has one
// of a few colours. Blitted into a colour bitmap with text colour black and background white, a 1 reads as all
// bits set, so the two raster operations below paint the brush exactly where the map is 1 (kPaintWhereSet) or 0
// (kPaintWhereClear) and leave the other pixels alone.
#include "toolbars/button_glyph.h"

#include <vector>

#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "classlib/win/gdi.h"
#include "classlib/win/image_list.h"
#include "toolbars/glyph_list.h"

namespace tbr {
namespace {

constexpr DWORD kPaintWhereSet = 0x00E20746;    // brush where the source is white, else the destination
constexpr DWORD kPaintWhereClear = 0x00B8074A;  // brush where the source is black, else the destination
constexpr DWORD kClearWhereSet = 0x00220326;    // destination AND NOT source

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kGray = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);
// Stands for the bottom-left pixel of the whole glyph in a colour list.
constexpr COLORREF kBottomLeft = CLR_INVALID;
constexpr cl::TColor kPaletteRelative = 0x02000000;

using BitmapPtr = cl::Owned<cl::TBitmap>;

COLORREF RgbOf(cl::TColor color) {
  return static_cast<COLORREF>(cl::ColorToRGB(color) & 0xFFFFFF);
}

BitmapPtr NewBitmap(int width, int height, bool monochrome = false) {
  BitmapPtr bitmap = cl::MakeOwned<cl::TBitmap>();
  bitmap->SetMonochrome(monochrome);
  bitmap->SetSize(width, height);
  return bitmap;
}

// A colour bitmap of the size, filled with colour, with a copy of palette (when there is one).
BitmapPtr NewWorkBitmap(int width, int height, HPALETTE palette, cl::TColor colour) {
  BitmapPtr work = NewBitmap(width, height);
  if (palette) work->SetPalette(cl::CopyPalette(palette));
  work->Canvas()->Brush()->SetColor(colour);
  work->Canvas()->FillRect(cl::Rect(0, 0, width, height));
  return work;
}

// The cell of source, copied into a bitmap of its own.
BitmapPtr CopyCell(cl::TBitmap* source, const cl::TRect& cell, bool monochrome) {
  BitmapPtr copy = NewBitmap(cell.Width(), cell.Height(), monochrome);
  if (!monochrome && source->Palette()) copy->SetPalette(cl::CopyPalette(source->Palette()));
  BitBlt(copy->Canvas()->Handle(), 0, 0, cell.Width(), cell.Height(), source->Canvas()->Handle(), cell.Left, cell.Top,
         SRCCOPY);
  return copy;
}

// 1 where a pixel of the cell has one of colours. Deep pictures are compared as 32-bit pixels; others through
// the system's colour-to-monochrome conversion, which gives 1 where a pixel equals the background colour.
BitmapPtr ColorMap(cl::TBitmap* source, const cl::TRect& cell, std::vector<COLORREF> colors, bool deep) {
  const int width = cell.Width();
  const int height = cell.Height();
  for (COLORREF& color : colors) {
    if (color == kBottomLeft) color = GetPixel(source->Canvas()->Handle(), 0, source->Height() - 1) & 0xFFFFFF;
  }
  if (!deep) {
    BitmapPtr map = NewBitmap(width, height, true);
    HDC from = source->Canvas()->Handle();
    const COLORREF oldBackground = GetBkColor(from);
    for (size_t i = 0; i < colors.size(); ++i) {
      SetBkColor(from, colors[i]);
      BitBlt(map->Canvas()->Handle(), 0, 0, width, height, from, cell.Left, cell.Top, i == 0 ? SRCCOPY : SRCPAINT);
    }
    SetBkColor(from, oldBackground);
    return map;
  }
  BitmapPtr pixels = NewBitmap(width, height);
  pixels->SetPixelFormat(cl::pf32bit);
  BitBlt(pixels->Canvas()->Handle(), 0, 0, width, height, source->Canvas()->Handle(), cell.Left, cell.Top, SRCCOPY);
  // Rows of a 1-bit bitmap are padded to 16 bits; the leftmost pixel is the highest bit.
  const int stride = (width + 15) / 16 * 2;
  std::vector<BYTE> bits(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    const auto* row = static_cast<const uint32_t*>(pixels->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      const uint32_t bgr = row[x] & 0xFFFFFF;
      const COLORREF pixel = RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
      for (COLORREF color : colors) {
        if (pixel == color) bits[static_cast<size_t>(y) * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
  }
  BitmapPtr map = cl::MakeOwned<cl::TBitmap>();
  map->SetHandle(cl::gdi::Check(CreateBitmap(width, height, 1, 1, bits.data())));
  return map;
}

// Blits the map into target at (x, y) with brush colour and raster operation rop.
void PaintThroughMap(cl::TBitmap* target, int x, int y, cl::TBitmap* map, cl::TColor color, DWORD rop) {
  HDC dc = target->Canvas()->Handle();
  cl::gdi::Object<HBRUSH> brush(static_cast<HBRUSH>(cl::gdi::Track(cl::gdi::Check(CreateSolidBrush(RgbOf(color))))));
  cl::gdi::SelectGuard selected(dc, brush.Get());
  const COLORREF oldText = SetTextColor(dc, kBlack);
  const COLORREF oldBackground = SetBkColor(dc, kWhite);
  BitBlt(dc, x, y, map->Width(), map->Height(), map->Canvas()->Handle(), 0, 0, rop);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBackground);
}

// Combines source into target with rop (both monochrome, same size).
void Combine(cl::TBitmap* target, cl::TBitmap* source, DWORD rop) {
  BitBlt(target->Canvas()->Handle(), 0, 0, target->Width(), target->Height(), source->Canvas()->Handle(), 0, 0, rop);
}

}  // namespace

TButtonGlyph::TButtonGlyph()
    : FGlyph(cl::New<cl::TBitmap>()), FGlyphMask(cl::New<cl::TBitmap>()), FImageChangeLink(cl::New<cl::TChangeLink>()) {
  for (auto& row : FIndexes) std::fill(std::begin(row), std::end(row), -1);
  GlyphCache();
  FGlyph->SetOnChange(cl::TNotifyEvent([this](cl::TObject* sender) { SourceChanged(sender); }));
  FGlyphMask->SetOnChange(cl::TNotifyEvent([this](cl::TObject* sender) { SourceChanged(sender); }));
  FImageChangeLink->SetOnChange(cl::TNotifyEvent([this](cl::TObject* sender) { SourceChanged(sender); }));
}

void TButtonGlyph::BeforeDestruction() {
  DropImages();
  cl::FreeAndNil(FImageChangeLink);
  FGlyph->SetOnChange(nullptr);
  FGlyphMask->SetOnChange(nullptr);
  cl::FreeAndNil(FGlyph);
  cl::FreeAndNil(FGlyphMask);
  FreeGlyphCacheIfEmpty();
  inherited::BeforeDestruction();
}

void TButtonGlyph::SourceChanged(cl::TObject* sender) {
  if (sender == FGlyph && !FGlyph->Empty()) {
    FTransparentColor =
        static_cast<cl::TColor>(GetPixel(FGlyph->Canvas()->Handle(), 0, FGlyph->Height() - 1)) | kPaletteRelative;
  }
  Invalidate();
}

void TButtonGlyph::Invalidate() {
  DropImages();
  if (FOnChange) FOnChange(this);
}

void TButtonGlyph::DropImages() {
  for (int row = 0; row < 2; ++row) {
    if (!FLists[row]) continue;
    for (int& index : FIndexes[row]) {
      if (index >= 0) FLists[row]->FreeSlot(index);
      index = -1;
    }
    if (TGlyphCache* cache = ExistingGlyphCache()) cache->ReleaseList(FLists[row]);
    FLists[row] = nullptr;
  }
}

void TButtonGlyph::SetGlyph(const cl::TBitmap* glyph) {
  DropImages();
  FGlyph->Assign(glyph);
  const int numGlyphs = FGlyph->Empty() ? 1 : NumGlyphsOfGlyph(FGlyph->Width(), FGlyph->Height());
  if (numGlyphs != FNumGlyphs) SetNumGlyphs(numGlyphs);
}

void TButtonGlyph::SetGlyphMask(const cl::TBitmap* mask) {
  DropImages();
  FGlyphMask->Assign(mask);
}

void TButtonGlyph::SetImages(cl::TCustomImageList* images) {
  if (images == FImages) return;
  if (FImages) FImages->UnRegisterChanges(FImageChangeLink);
  FImages = images;
  if (FImages) FImages->RegisterChanges(FImageChangeLink);
  SetNumGlyphs(FNumGlyphs);  // 1 with an image list
}

void TButtonGlyph::SetImageIndex(int index) {
  if (index == FImageIndex) return;
  FImageIndex = index;
  Invalidate();
}

void TButtonGlyph::SetNumGlyphs(int numGlyphs) {
  DropImages();
  if (FImages || numGlyphs < 1 || numGlyphs > kMaxNumGlyphs) numGlyphs = 1;
  FNumGlyphs = numGlyphs;
  SourceChanged(this);
}

void TButtonGlyph::SetOldDisabledStyle(bool oldStyle) {
  if (oldStyle == FOldDisabledStyle) return;
  FOldDisabledStyle = oldStyle;
  Invalidate();
}

TButtonGlyph::StateImage TButtonGlyph::BuildStateImage(TButtonDrawState state) {
  const int column = StateImageColumn(state, FNumGlyphs);
  for (int row : {1, 0}) {
    if (FIndexes[row][column] >= 0) return StateImage{FLists[row], FIndexes[row][column]};
  }
  CellSize cellSize;
  if (FImages) {
    if (FImageIndex < 0 || FImageIndex >= FImages->Count()) return {};
    cellSize = CellSize{FImages->Width(), FImages->Height()};
  } else if (!FGlyph->Empty()) {
    cellSize = GlyphCellSize(FGlyph->Width(), FGlyph->Height(), FNumGlyphs);
  }
  if (cellSize.Empty()) return {};
  const int row = state == bsDisabled ? 0 : 1;
  const int grow = row == 0 ? 1 : 0;  // room for the embossed copy one pixel down and right
  if (!FLists[row]) FLists[row] = GlyphCache()->ListForSize(cellSize.Width + grow, cellSize.Height + grow);
  const cl::TRect cell =
      cl::Bounds(SourceCellColumn(state, FNumGlyphs) * cellSize.Width, 0, cellSize.Width, cellSize.Height);
  const cl::TPixelFormat format = FImages ? cl::pfDevice : FGlyph->PixelFormat();
  const bool deep = format >= cl::pf8bit;

  int index = -1;
  if (state == bsDisabled && FNumGlyphs < 2) {
    index = BuildGeneratedDisabled(FLists[row], cell, deep);
  } else if (state == bsDisabled) {
    index = BuildOwnDisabled(FLists[row], cell, deep);
  } else {
    index = BuildOtherState(FLists[row], cell);
  }
  FIndexes[row][column] = index;
  // The sources are not needed until the next change: give their device contexts back.
  FGlyph->Dormant();
  FGlyphMask->Dormant();
  return StateImage{FLists[row], index};
}

int TButtonGlyph::BuildGeneratedDisabled(TGlyphList* list, const cl::TRect& cell, bool deep) {
  const bool hasMask = !FGlyphMask->Empty();
  // The image-list picture over white, and its mask, stand in for glyph and mask.
  BitmapPtr listImage;
  BitmapPtr listMask;
  if (FImages) {
    listImage = NewWorkBitmap(cell.Width(), cell.Height(), nullptr, cl::clWhite);
    ImageList_Draw(FImages->Handle(), FImageIndex, listImage->Canvas()->Handle(), 0, 0, ILD_TRANSPARENT);
    listMask = NewBitmap(cell.Width(), cell.Height(), true);
    ImageList_Draw(FImages->Handle(), FImageIndex, listMask->Canvas()->Handle(), 0, 0, ILD_MASK);
  }
  cl::TBitmap* source = FImages ? listImage.get() : FGlyph;
  const cl::TRect sourceCell = FImages ? cl::Rect(0, 0, cell.Width(), cell.Height()) : cell;
  BitmapPtr mask = FImages ? std::move(listMask) : hasMask ? CopyCell(FGlyphMask, cell, true) : nullptr;

  // The map marks the pixels left alone: the old style raises the black ones, the new style sinks everything but
  // the light and transparent ones. Transparent pixels are never painted.
  BitmapPtr map;
  if (FOldDisabledStyle) {
    map = ColorMap(source, sourceCell, {kBlack}, deep);
    if (mask) Combine(map.get(), mask.get(), kClearWhereSet);
  } else if (mask) {
    map = ColorMap(source, sourceCell, {kWhite, kSilver}, deep);
    Combine(map.get(), mask.get(), SRCPAINT);
  } else {
    map = ColorMap(source, sourceCell, {deep ? kBottomLeft : RgbOf(FTransparentColor), kWhite, kSilver}, deep);
  }
  const DWORD rop = FOldDisabledStyle ? kPaintWhereSet : kPaintWhereClear;
  BitmapPtr work = NewWorkBitmap(list->Width(), list->Height(), FGlyph->Palette(), cl::clBtnFace);
  PaintThroughMap(work.get(), 1, 1, map.get(), cl::clBtnHighlight, rop);
  PaintThroughMap(work.get(), 0, 0, map.get(), cl::clBtnShadow, rop);
  return list->StoreMasked(work.get(), cl::clBtnFace);
}

int TButtonGlyph::BuildOwnDisabled(TGlyphList* list, const cl::TRect& cell, bool deep) {
  BitmapPtr work = NewWorkBitmap(list->Width(), list->Height(), FGlyph->Palette(), cl::clBtnFace);
  BitBlt(work->Canvas()->Handle(), 0, 0, cell.Width(), cell.Height(), FGlyph->Canvas()->Handle(), cell.Left, cell.Top,
         SRCCOPY);
  // Both maps first, so that a highlight colour equal to gray is not painted over again.
  const COLORREF white = GetNearestColor(work->Canvas()->Handle(), kWhite);
  BitmapPtr whites = ColorMap(FGlyph, cell, {white}, deep);
  BitmapPtr grays = ColorMap(FGlyph, cell, {kGray}, deep);
  PaintThroughMap(work.get(), 0, 0, whites.get(), cl::clBtnHighlight, kPaintWhereSet);
  PaintThroughMap(work.get(), 0, 0, grays.get(), cl::clBtnShadow, kPaintWhereSet);

  BitmapPtr cellMask = !FGlyphMask->Empty()
                           ? CopyCell(FGlyphMask, cell, true)
                           : ColorMap(FGlyph, cell, {deep ? kBottomLeft : RgbOf(FTransparentColor)}, deep);
  // One pixel larger: the new bottom row and right column are transparent.
  BitmapPtr mask = NewBitmap(list->Width(), list->Height(), true);
  PatBlt(mask->Canvas()->Handle(), 0, 0, list->Width(), list->Height(), WHITENESS);
  BitBlt(mask->Canvas()->Handle(), 0, 0, cell.Width(), cell.Height(), cellMask->Canvas()->Handle(), 0, 0, SRCCOPY);
  return list->StoreWithMask(work.get(), mask.get());
}

int TButtonGlyph::BuildOtherState(TGlyphList* list, const cl::TRect& cell) {
  if (FImages) {
    BitmapPtr work = NewWorkBitmap(cell.Width(), cell.Height(), nullptr, cl::clBtnFace);
    ImageList_Draw(FImages->Handle(), FImageIndex, work->Canvas()->Handle(), 0, 0, ILD_NORMAL);
    BitmapPtr mask = NewBitmap(cell.Width(), cell.Height(), true);
    ImageList_Draw(FImages->Handle(), FImageIndex, mask->Canvas()->Handle(), 0, 0, ILD_MASK);
    return list->StoreWithMask(work.get(), mask.get());
  }
  BitmapPtr image = CopyCell(FGlyph, cell, false);
  if (!FGlyphMask->Empty()) {
    BitmapPtr mask = CopyCell(FGlyphMask, cell, true);
    return list->StoreWithMask(image.get(), mask.get());
  }
  return list->StoreMasked(image.get(), cl::clDefault);
}

void TButtonGlyph::DrawGlyphImage(cl::TCanvas* canvas, cl::TPoint pos, TButtonDrawState state) {
  const StateImage image = BuildStateImage(state);
  if (!image.List) return;
  canvas->Changing();
  ImageList_DrawEx(image.List->Handle(), image.Index, canvas->Handle(), pos.X, pos.Y, 0, 0, CLR_NONE, CLR_NONE,
                   ILD_TRANSPARENT);
  canvas->Changed();
}

void TButtonGlyph::DrawCaptionText(cl::TCanvas* canvas, const std::string& caption, TButtonDrawState state,
                                   cl::TAlignment alignment, bool wordWrap, const cl::TRect& rect) {
  static constexpr UINT kAlignment[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT format = kAlignment[alignment] | (wordWrap ? DT_WORDBREAK | DT_VCENTER : DT_SINGLELINE | DT_VCENTER);
  canvas->Brush()->SetStyle(cl::bsClear);
  cl::TRect r = rect;
  if (state != bsDisabled) {
    canvas->TextRect(r, caption, format);
    return;
  }
  const cl::TColor fontColor = canvas->Font()->Color();
  canvas->Font()->SetColor(cl::clBtnHighlight);
  cl::TRect raised = cl::Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  canvas->TextRect(raised, caption, format);
  canvas->Font()->SetColor(cl::clBtnShadow);
  canvas->TextRect(r, caption, format);
  canvas->Font()->SetColor(fontColor);
}

void TButtonGlyph::DrawDropArrow(cl::TCanvas* canvas, int x, int y, TButtonDrawState state) {
  auto triangle = [canvas](int left, int top, cl::TColor color) {
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetStyle(cl::bsSolid);
    canvas->Brush()->SetColor(color);
    const cl::TPoint points[] = {cl::Point(left + 4, top), cl::Point(left + 8, top), cl::Point(left + 6, top + 2)};
    canvas->Polygon(points, 3);
  };
  if (state == bsDisabled) {
    triangle(x + 1, y + 1, cl::clBtnHighlight);
    triangle(x, y, cl::clBtnShadow);
  } else {
    triangle(x, y, canvas->Font()->Color());
  }
}

cl::TRect TButtonGlyph::MeasureCaption(cl::TCanvas* canvas, const std::string& caption, bool wordWrap,
                                       int width) const {
  cl::TRect r = cl::Rect(0, 0, width, 0);
  canvas->TextRect(r, caption, DT_CALCRECT | (wordWrap ? DT_WORDBREAK : 0));
  return r;
}

void TButtonGlyph::DrawButton(cl::TCanvas* canvas, const cl::TRect& clientRect, const ButtonContent& content) {
  ButtonLayoutRequest request;
  request.Client = clientRect;
  request.Offset = content.Offset;
  if (content.ShowGlyph) {
    if (FImages && FImageIndex >= 0 && FImageIndex < FImages->Count()) {
      request.GlyphWidth = FImages->Width();
      request.GlyphHeight = FImages->Height();
    } else if (!FImages && !FGlyph->Empty()) {
      const CellSize cell = GlyphCellSize(FGlyph->Width(), FGlyph->Height(), FNumGlyphs);
      request.GlyphWidth = cell.Width;
      request.GlyphHeight = cell.Height;
    }
  }
  request.HasText = content.ShowText && !content.Caption.empty();
  request.DrawArrow = content.DrawArrow;
  request.Layout = content.Layout;
  request.Margin = content.Margin;
  request.Spacing = content.Spacing;
  request.WordWrap = content.WordWrap;
  const ButtonLayout layout = LayOutButton(request, [&](int width) {
    const cl::TRect r = MeasureCaption(canvas, content.Caption, content.WordWrap, width);
    return cl::Point(r.Width(), r.Height());
  });
  if (request.GlyphWidth > 0) DrawGlyphImage(canvas, layout.Glyph, content.State);
  if (request.HasText) {
    DrawCaptionText(canvas, content.Caption, content.State, content.Alignment, content.WordWrap, layout.Text);
  }
  if (content.DrawArrow) DrawDropArrow(canvas, layout.Arrow.X, layout.Arrow.Y, content.State);
}

}  // namespace tbr
