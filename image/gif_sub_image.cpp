// Frames of a TGIFImage: the cached rendering, mask and palette, and drawing at the frame's place.
#include "image/gif_sub_image.h"

#include <cstring>

#include "classlib/core/exceptions.h"
#include "classlib/win/dib.h"
#include "image/core/gif_render.h"
#include "image/gif_gdi.h"
#include "image/gif_image.h"
#include "image/gif_transparent_blt.h"

namespace img {
namespace {

constexpr int kRowsPerProgressReport = 32;
const char* const kRendering = "Rendering...";

}  // namespace

// The transparency mask of a rendering, filled row by row. It is wanted only once after each FreeMask, for a
// transparent frame; the mask bitmap is made only when a pixel was transparent. A rendering that does not finish
// leaves the mask wanted.
class TGIFSubImage::MaskBuilder {
 public:
  explicit MaskBuilder(TGIFSubImage& frame) : FFrame(frame), FWasWanted(frame.FMaskWanted) {
    TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
    const bool wanted = frame.FMaskWanted && frame.Transparent() && control != nullptr;
    frame.FMaskWanted = false;
    if (!wanted) return;
    FTransparentIndex = control->TransparentColorIndex();
    FRowBytes = MaskRowBytes(frame.Width());
    FBits.assign(static_cast<std::size_t>(FRowBytes) * static_cast<std::size_t>(frame.Height()), 0);
  }
  MaskBuilder(const MaskBuilder&) = delete;
  MaskBuilder& operator=(const MaskBuilder&) = delete;
  ~MaskBuilder() {
    if (!FFinished) FFrame.FMaskWanted = FWasWanted;
  }
  bool Wanted() const { return !FBits.empty(); }
  int TransparentIndex() const { return FTransparentIndex; }
  std::uint8_t* Row(int row) { return Wanted() ? FBits.data() + static_cast<std::size_t>(row) * FRowBytes : nullptr; }
  void Note(bool anySet) { FAny = FAny || anySet; }
  void Finish() {
    if (Wanted() && FAny) {
      HBITMAP mask = CheckGDIResult(CreateBitmap(FFrame.Width(), FFrame.Height(), 1, 1, FBits.data()));
      FFrame.FMask.Reset(static_cast<HBITMAP>(cl::gdi::Track(mask)));
    }
    FFinished = true;
  }

 private:
  TGIFSubImage& FFrame;
  bool FWasWanted;
  bool FFinished = false;
  std::vector<std::uint8_t> FBits;
  int FRowBytes = 0;
  int FTransparentIndex = -1;
  bool FAny = false;
};

void TGIFSubImage::GlobalBlock::operator()(void* block) const {
  GlobalUnlock(block);
  GlobalFree(block);
}

TGIFSubImage::TGIFSubImage(TGIFImage* image) : TGIFSubImageCore(image), FGIFImage(image) {}

TGIFSubImage::~TGIFSubImage() = default;

void TGIFSubImage::FreeCaches() {
  FreeDIB();
  FreeBitmap();
  FreeMask();
  // A cleared frame gets new colours: a palette made from the old ones would show them wrongly.
  FPalette.Reset();
}

void TGIFSubImage::ColorMapChanged() {
  SetPalette(nullptr);
}

void TGIFSubImage::FreeDIB() {
  FDIBPixels = nullptr;
  FDIBBits.reset();
  FDIBHeader.clear();
}

void TGIFSubImage::FreeBitmap() {
  FBitmap.reset();
}

void TGIFSubImage::SetBitmap(cl::TBitmap* source) {
  FreeBitmap();
  if (source) Assign(source);
}

void TGIFSubImage::FreeMask() {
  FMask.Reset();
  FMaskWanted = true;
}

void TGIFSubImage::CreateEmptyBitmap() {
  FreeBitmap();
  FBitmap = MakeOwned<cl::TBitmap>();
}

HPALETTE TGIFSubImage::GetPalette() {
  if (FBitmap && FBitmap->Palette()) return FBitmap->Palette();
  if (!FPalette) {
    if (FGIFImage->Uses216Palette())
      FPalette.Reset(Create216ColorPalette());
    else if (ColorMap().Count() > 0)
      FPalette.Reset(CreatePaletteHandle(ColorMap()));
    else
      return FGIFImage->Palette();
  }
  return FPalette.Get();
}

void TGIFSubImage::SetPalette(HPALETTE palette) {
  if (palette == FPalette.Get()) return;
  FPalette.Reset(palette);
  if (FBitmap && FBitmap->Palette() != palette) {
    FreeBitmap();
    FGIFImage->SetPaletteModified(true);
    FGIFImage->Changed(this);
  }
}

void TGIFSubImage::Report(cl::TProgressStage stage, int percent, const std::string& message) {
  const bool redraw = stage == cl::psEnding && FGIFImage->PaletteModified();
  FGIFImage->cl::TGraphic::Progress(this, stage, static_cast<std::uint8_t>(percent), redraw, cl::TRect{}, message);
}

void TGIFSubImage::ReportStages(const std::string& message, const std::function<void()>& body) {
  Report(cl::psStarting, 0, message);
  try {
    body();
  } catch (...) {
    Report(cl::psEnding, 0, message);
    throw;
  }
  Report(cl::psEnding, 100, message);
}

cl::TBitmap* TGIFSubImage::GetBitmap() {
  if (FBitmap) return FBitmap.get();
  if (Empty()) return nullptr;
  try {
    ReportStages(kRendering, [&] { FBitmap = FGIFImage->Uses216Palette() ? RenderDithered() : RenderPlain(); });
  } catch (const cl::EAbort&) {
    FreeBitmap();  // stopped by a progress handler: the next call renders again
  }
  return FBitmap.get();
}

Owned<cl::TBitmap> TGIFSubImage::CreateRenderTarget() {
  Owned<cl::TBitmap> bitmap = MakeOwned<cl::TBitmap>();
  ForcePixelFormat(bitmap.get(), cl::pf8bit);
  bitmap->SetSize(Width(), Height());
  if (HPALETTE palette = GetPalette()) {
    // The bitmap counts the palette it takes over itself.
    bitmap->SetPalette(static_cast<HPALETTE>(cl::gdi::Untrack(cl::CopyPalette(palette))));
  }
  return bitmap;
}

template <class RenderRow>
Owned<cl::TBitmap> TGIFSubImage::RenderRows(RenderRow renderRow) {
  Owned<cl::TBitmap> bitmap = CreateRenderTarget();
  if (Empty()) return bitmap;
  MaskBuilder mask(*this);
  const int width = Width(), height = Height();
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* indices = Data() + static_cast<std::size_t>(row) * width;
    auto* out = static_cast<std::uint8_t*>(bitmap->ScanLine(row));
    mask.Note(renderRow(indices, out, mask.Row(row), mask.TransparentIndex()));
    if (row % kRowsPerProgressReport == 0) Report(cl::psRunning, row * 100 / height, kRendering);
  }
  mask.Finish();
  return bitmap;
}

Owned<cl::TBitmap> TGIFSubImage::RenderPlain() {
  const int width = Width();
  return RenderRows([width](const std::uint8_t* indices, std::uint8_t* out, std::uint8_t* maskRow, int transparent) {
    std::memcpy(out, indices, static_cast<std::size_t>(width));
    return maskRow != nullptr && MarkTransparentPixels(indices, width, transparent, maskRow);
  });
}

Owned<cl::TBitmap> TGIFSubImage::RenderDithered() {
  TGIFDither216 dither(Width(), ColorMapInUse());
  return RenderRows([&dither](const std::uint8_t* indices, std::uint8_t* out, std::uint8_t* maskRow, int transparent) {
    return dither.Row(indices, out, maskRow, transparent);
  });
}

bool TGIFSubImage::MaskReady() {
  if (FMaskWanted && Transparent()) {
    FreeBitmap();
    GetBitmap();
  }
  return FMask.Get() != nullptr;
}

cl::TRect TGIFSubImage::ScaleRect(const cl::TRect& rect) const {
  return ScaleFrameRect(rect, Left(), Top(), Width(), Height(), FGIFImage->ScreenWidth(), FGIFImage->ScreenHeight());
}

void TGIFSubImage::Draw(cl::TCanvas* canvas, const cl::TRect& rect, bool transparent) {
  StretchDraw(canvas, ScaleRect(rect), transparent);
}

void TGIFSubImage::StretchDraw(cl::TCanvas* canvas, const cl::TRect& rect, bool transparent) {
  if (!(transparent && Transparent() && MaskReady())) {
    canvas->StretchDraw(rect, GetBitmap());
    return;
  }
  cl::TBitmap* bitmap = GetBitmap();
  if (!bitmap || !FMask) return;  // a progress handler stopped the rendering
  HDC source = bitmap->Canvas()->Handle();
  HDC target = canvas->Handle();
  cl::gdi::MemoryDC maskDC;
  cl::gdi::SelectGuard selected(maskDC.Get(), FMask.Get());
  canvas->Changing();
  TransparentStretchBlt(target, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, Width(), Height(),
                        maskDC.Get(), 0, 0);
  canvas->Changed();
}

void TGIFSubImage::AssignTo(cl::TPersistent* dest) const {
  if (auto* bitmap = dynamic_cast<cl::TBitmap*>(dest)) {
    bitmap->Assign(const_cast<TGIFSubImage*>(this)->GetBitmap());
    return;
  }
  inherited::AssignTo(dest);
}

}  // namespace img
