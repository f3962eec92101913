// TGIFImage: life cycle, geometry, palette, the flat bitmap, drawing and copying.
#include "image/gif_image.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/win/dib.h"
#include "classlib/win/picture.h"
#include "image/core/gif_error.h"
#include "image/gif_gdi.h"
#include "image/gif_painter.h"

namespace img {
namespace {

const char* const kCopying = "Copying...";

bool gPaletteDisplay = false;

// Sets a flag for the lifetime of the scope.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : FFlag(flag) { flag = true; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;
  ~FlagScope() { FFlag = false; }

 private:
  bool& FFlag;
};

// A palette the bitmap takes over: it counts the palettes it owns itself.
HPALETTE HandedOverCopy(HPALETTE palette) {
  return static_cast<HPALETTE>(cl::gdi::Untrack(cl::CopyPalette(palette)));
}

}  // namespace

TGIFImage::TGIFImage() {
  Clear();
}

TGIFImage::~TGIFImage() = default;

void TGIFImage::BeforeDestruction() {
  StopPainters();
  // Painters still there forget the image: an unthreaded one that is handling messages further up the stack, and
  // threaded ones a quit message stopped waiting for.
  cl::TList* painters = FPainters->LockList();
  for (int i = painters->Count() - 1; i >= 0; --i) static_cast<TGIFPainter*>(painters->Items(i))->Detach();
  painters->Clear();
  FPainters->UnlockList();
  Clear();
  inherited::BeforeDestruction();
}

void TGIFImage::ClearImage() {
  StopAllPainters();
  FreeBitmap();
  TGIFImageCore::ClearImage();
  SetPalette(nullptr);
}

TGIFSubImage* TGIFImage::CreateFrame() {
  return cl::New<TGIFSubImage>(this);
}

void TGIFImage::Progress(cl::TObject* sender, TGIFProgressStage stage, int percent, const std::string& message) {
  // Reading and writing end with a redraw: the picture is new.
  const auto classStage = static_cast<cl::TProgressStage>(stage);
  cl::TGraphic::Progress(sender ? sender : this, classStage, static_cast<std::uint8_t>(std::clamp(percent, 0, 100)),
                         classStage == cl::psEnding, cl::TRect{}, message);
}

void TGIFImage::LoadFromStream(cl::TStream& stream) {
  if (dynamic_cast<cl::TCustomMemoryStream*>(&stream)) {
    TGIFImageCore::LoadFromStream(stream);
    return;
  }
  // The reader takes the data in pieces of a few bytes, which cost a call to the system each from a file: it
  // reads the rest of the stream from memory instead.
  const std::int64_t start = stream.Position();
  Owned<cl::TMemoryStream> memory = MakeOwned<cl::TMemoryStream>();
  if (const std::int64_t rest = stream.Size() - start; rest > 0) {
    memory->SetSize(rest);  // at once: growing step by step would take fresh memory again and again
    memory->CopyFrom(&stream, rest);
  }
  memory->SetPosition(0);
  try {
    TGIFImageCore::LoadFromStream(*memory);
  } catch (...) {
    stream.SetPosition(start + memory->Position());
    throw;
  }
  stream.SetPosition(start + memory->Position());
}

int TGIFImage::Add(cl::TPersistent* source) {
  TGIFSubImage* frame = nullptr;
  if (auto* bitmap = dynamic_cast<cl::TBitmap*>(source)) {
    frame = CreateFrame();
    try {
      frame->Assign(bitmap);
    } catch (...) {
      cl::Free(frame);
      throw;
    }
  } else if (auto* given = dynamic_cast<TGIFSubImage*>(source)) {
    frame = given;
  } else {
    RaiseGIFError("Object type not supported for operation");
  }
  const int index = Images().Add(frame);
  bool grew = false;
  if (frame->Left() + frame->Width() > ScreenWidth()) {
    Header().SetWidth(frame->Left() + frame->Width());
    Warning(this, 1, "Image width too small for contained frames");
    grew = true;
  }
  if (frame->Top() + frame->Height() > ScreenHeight()) {
    Header().SetHeight(frame->Top() + frame->Height());
    Warning(this, 1, "Image height too small for contained frames");
    grew = true;
  }
  if (grew) {
    frame->Warning(1, "Image exceeds Logical Screen size");
    FreeBitmap();
    Changed(this);
  }
  return index;
}

void TGIFImage::SetWidth(int width) {
  for (int i = 0; i < FrameCount(); ++i) {
    if (width < Frames(i)->Left() + Frames(i)->Width()) RaiseGIFError("Image width too small for contained frames");
  }
  Header().SetWidth(width);
  FreeBitmap();
  Changed(this);
}

void TGIFImage::SetHeight(int height) {
  for (int i = 0; i < FrameCount(); ++i) {
    if (height < Frames(i)->Top() + Frames(i)->Height()) RaiseGIFError("Image height too small for contained frames");
  }
  Header().SetHeight(height);
  FreeBitmap();
  Changed(this);
}

bool TGIFImage::Uses216Palette() const {
  return (FDrawOptions & Draw216Palette) != 0 &&
         ((FDrawOptions & Draw216OnPaletteDisplayOnly) == 0 || GIFPaletteDisplay());
}

HPALETTE TGIFImage::Palette() const {
  // Frames without colours of their own ask the image, and the image asks frame 0: a second visit means no
  // table anywhere.
  if (FPaletteGuard) RaiseGIFError("No global or local color table defined");
  FlagScope guard(FPaletteGuard);
  if (FBitmap && FBitmap->Palette()) return FBitmap->Palette();
  if (FPalette) return FPalette.Get();
  auto& self = const_cast<TGIFImage&>(*this);
  if (Uses216Palette()) {
    FPalette.Reset(Create216ColorPalette());
  } else if (self.GlobalColorMap().Count() > 0) {
    FPalette.Reset(CreatePaletteHandle(self.GlobalColorMap()));
  } else {
    return FrameCount() > 0 ? Frames(0)->GetPalette() : nullptr;
  }
  return FPalette.Get();
}

void TGIFImage::SetPalette(HPALETTE palette) {
  if (palette == FPalette.Get()) return;
  FPalette.Reset(palette);
  if (FBitmap && FBitmap->Palette() != palette) {
    FreeBitmap();
    SetPaletteModified(true);
    Changed(this);
  }
}

cl::TBitmap* TGIFImage::CreateScreenBitmap() {
  Owned<cl::TBitmap> bitmap = MakeOwned<cl::TBitmap>();
  bitmap->SetOnChange([this](cl::TObject*) { Changed(this); });
  if (HPALETTE palette = Palette()) bitmap->SetPalette(HandedOverCopy(palette));
  bitmap->SetSize(ScreenWidth(), ScreenHeight());
  bitmap->SetTransparent(false);
  FBitmap = std::move(bitmap);
  return FBitmap.get();
}

cl::TBitmap* TGIFImage::GetBitmap() {
  if (Empty()) return nullptr;
  if (FBitmap) return FBitmap.get();
  TGIFSubImage* first = Frames(0);
  if (first->Width() == ScreenWidth() && first->Height() == ScreenHeight()) {
    Owned<cl::TBitmap> bitmap = MakeOwned<cl::TBitmap>();
    bitmap->SetOnChange([this](cl::TObject*) { Changed(this); });
    bitmap->Assign(first->GetBitmap());
    FBitmap = std::move(bitmap);
    return FBitmap.get();
  }
  cl::TBitmap* bitmap = CreateScreenBitmap();
  try {
    first->Draw(bitmap->Canvas(), bitmap->Canvas()->ClipRect(), false);
  } catch (...) {
    FreeBitmap();
    throw;
  }
  return bitmap;
}

cl::TBitmap* TGIFImage::GetPaintBuffer() {
  return FBitmap ? FBitmap.get() : CreateScreenBitmap();
}

void TGIFImage::FreeBitmap() {
  // Stopped before the bitmap goes, the painter draws no more into it.
  if (FPainter) FPainter->Stop();
  FBitmap.reset();
}

void TGIFImage::SetDrawOptions(TGIFDrawOptions options) {
  if (options == FDrawOptions) return;
  if (FPainter) FPainter->Stop();
  FDrawOptions = options;
  ResetBitmaps();
  Changed(this);
}

void TGIFImage::ResetBitmaps() {
  FreeBitmap();
  SetPalette(nullptr);
  for (int i = 0; i < FrameCount(); ++i) {
    Frames(i)->SetBitmap(nullptr);
    Frames(i)->SetPalette(nullptr);
  }
  // A still picture with only a local colour map keeps it as its global one.
  if (GlobalColorMap().Count() == 0 && FrameCount() == 1) {
    GlobalColorMap().Assign(&Frames(0)->ColorMap());
    Frames(0)->ColorMap().Clear();
  }
}

void TGIFImage::Draw(cl::TCanvas* canvas, const cl::TRect& rect) {
  if (FDrawing || Empty()) return;
  FlagScope drawing(FDrawing);
  if (FrameCount() == 1 || !(FDrawOptions & DrawAnimated)) {
    // Frame 0 alone: the one frame of a still picture, or the first of an animation that is not played.
    Frames(0)->Draw(canvas, rect, (FDrawOptions & DrawTransparent) != 0);
  } else if (FBitmap && !(FDrawOptions & DrawOnTarget)) {
    // The picture an animation has drawn so far.
    canvas->StretchDraw(rect, FBitmap.get());
  } else {
    DrawAnimation(canvas, rect);
  }
}

void TGIFImage::ReportCopying(cl::TProgressStage stage, int percent) {
  cl::TGraphic::Progress(this, stage, static_cast<std::uint8_t>(percent), false, cl::TRect{}, kCopying);
}

void TGIFImage::AssignGIF(const TGIFImage& source) {
  Clear();
  SetOnProgress(source.OnProgress());
  ReportCopying(cl::psStarting, 0);
  try {
    SetOnChange(source.OnChange());
    OnWarning = source.OnWarning;
    auto& from = const_cast<TGIFImage&>(source);
    Header().Assign(&from.Header());
    FThreadPriority = source.FThreadPriority;
    FBackgroundColor = source.FBackgroundColor;
    FDrawOptions = source.FDrawOptions;
    const int count = source.FrameCount();
    for (int i = 0; i < count; ++i) {
      TGIFSubImage* frame = CreateFrame();
      try {
        frame->Assign(source.Frames(i));
      } catch (...) {
        cl::Free(frame);
        throw;
      }
      Add(frame);
      ReportCopying(cl::psRunning, (i + 1) * 100 / count);
    }
  } catch (...) {
    ReportCopying(cl::psEnding, 0);
    throw;
  }
  ReportCopying(cl::psEnding, 100);
}

void TGIFImage::Assign(const cl::TPersistent* source) {
  if (source == this) return;
  if (const auto* gif = dynamic_cast<const TGIFImage*>(source)) {
    AssignGIF(*gif);
  } else if (const auto* bitmap = dynamic_cast<const cl::TBitmap*>(source)) {
    Clear();
    Add(const_cast<cl::TBitmap*>(bitmap));
  } else if (const auto* graphic = dynamic_cast<const cl::TGraphic*>(source)) {
    Owned<cl::TBitmap> bitmap = MakeOwned<cl::TBitmap>();
    bitmap->Assign(graphic);
    Clear();
    Add(bitmap.get());
  } else {
    inherited::Assign(source);
  }
}

void TGIFImage::AssignTo(cl::TPersistent* dest) const {
  if (auto* bitmap = dynamic_cast<cl::TBitmap*>(dest)) {
    bitmap->Assign(const_cast<TGIFImage*>(this)->GetBitmap());
    return;
  }
  inherited::AssignTo(dest);
}

UINT GIFClipboardFormat() {
  static const UINT format = RegisterClipboardFormatA("GIF Image");
  return format;
}

bool GIFPaletteDisplay() {
  return gPaletteDisplay;
}

void RegisterGIFImage() {
  cl::TPicture::RegisterFileFormat("GIF", "GIF Image", cl::GraphicClassOf<TGIFImage>());
  cl::TPicture::RegisterClipboardFormat(GIFClipboardFormat(), cl::GraphicClassOf<TGIFImage>());
  cl::gdi::WindowDC screen;
  gPaletteDisplay = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES) <= 8;
}

void UnregisterGIFImage() {
  cl::TPicture::UnregisterGraphicClass(cl::GraphicClassOf<TGIFImage>());
}

}  // namespace img
