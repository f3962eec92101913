// TLoadImage: construction, properties, the load and redisplay entry points and the display step.
#include "image/load_image.h"

#include <algorithm>

#include "classlib/core/string_utils.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "classlib/win/gdi.h"
#include "classlib/win/picture.h"
#include "classlib/win/screen.h"
#include "formatlib/formatlib.h"
#include "image/hour_glass.h"
#include "image/section_pixels.h"

namespace img {

namespace {

constexpr int kInitialSide = 160;
constexpr char kVersionPrefix[] = "Version ";
constexpr char kVersionNumber[] = "2.4";
constexpr char kVersionSuffix[] = "G";
// The name a picture gets when it is declared a new image rather than read from a file.
constexpr char kNewImageName[] = "xxx.tif";
// Size of the buffer the format library writes an error text into.
constexpr int kErrorTextBufferSize = 63;

int ScreenBitsPerPixel() {
  cl::gdi::WindowDC screen;
  return GetDeviceCaps(screen.Get(), BITSPIXEL);
}

std::string CutToShortString(const std::string& text) {
  return text.substr(0, cl::ShortStringLimit);
}

}  // namespace

TLoadImage::TLoadImage(cl::TComponent* owner) : inherited(owner), FWorkingPicture(cl::New<cl::TPicture>()) {
  FScreenDepth = ScreenBitsPerPixel();
  UnitImageLoaded = false;
  UnitThumbnailMade = false;
  UnitLastTransformResult = false;
  SetBounds(Left(), Top(), kInitialSide, kInitialSide);
  FVersion = CutToShortString(std::string(kVersionPrefix) + kVersionNumber + kVersionSuffix);
}

void TLoadImage::BeforeDestruction() {
  cl::FreeAndNil(FWorkingPicture);
  // The thumbnail belongs to this control whoever made it, so it is freed whenever there is one.
  cl::FreeAndNil(FThumbNail);
  cl::FreeAndNil(FCropTool.SavedShown);
  inherited::BeforeDestruction();
}

void TLoadImage::Loaded() {
  inherited::Loaded();
  FDesignedBox = DesignedBox{Top(), Left(), Width(), Height()};
  SetStretch(false);
  SetAutoSize(false);
  SetCenter(false);
}

std::string TLoadImage::ImageFileName() const {
  return FFileName.substr(0, FFileName.find('\0'));
}

void TLoadImage::SetCompression(uint16_t compression) {
  if (compression != 0) FCompression = compression;
}

void TLoadImage::ChangeFile(const std::string& name) {
  UnitImageLoaded = false;
  ResetFile(name, kZeroRect, FCrop, !FFitWindow);
}

void TLoadImage::ResetFile(const std::string& name, const cl::TRect& source, bool crop, bool actualSize) {
  HourGlass hourGlass;
  FImageError = false;
  Update();
  DiscardCropTool();
  FFileName = name;
  cl::FreeAndNil(FWorkingPicture);
  FWorkingPicture = cl::New<cl::TPicture>();

  if (name.empty()) {
    Hide();
    Picture()->Assign(nullptr);
    UnitImageLoaded = false;
    FImageLoaded = false;
    FDisplayScale = Real48();
    Invalidate();
    return;
  }

  if (FImageNumber == 0) FImageNumber = 1;
  UnitThumbnailMade = false;
  UnitImageLoaded = false;
  const int errorCode = ReadWorkingPicture(name);
  if (WorkingBitmapHandle()) {
    SetBounds(Left(), Top(), FWorkingPicture->Width(), FWorkingPicture->Height());
    UnitImageLoaded = true;
  } else {
    // A load that produced no bitmap is a failure even when the reader left no error code.
    FImageError = true;
    if (errorCode > 0) ReportError(errorCode);
  }
  StoreDisplaySettings(source, crop, actualSize);
  ShowWorkingPicture();
  FImageLoaded = true;  // also when nothing could be read: callers test ImageError
}

void TLoadImage::ReplaceWith(TLoadImage* other, const cl::TRect& source, bool crop, bool actualSize) {
  HourGlass hourGlass;
  DiscardCropTool();
  FFileName = other->FFileName;
  FWorkingPicture->Assign(other->FWorkingPicture);
  StoreDisplaySettings(source, crop, actualSize);
  ShowWorkingPicture();
}

void TLoadImage::ReDraw(const cl::TRect& source, bool crop, bool actualSize) {
  if (FFileName.empty()) return;
  HourGlass hourGlass;
  StoreDisplaySettings(source, crop, actualSize);
  if (actualSize) HideNow();
  CopyWorkingPictureAndSize();
}

void TLoadImage::SetFileLoaded(bool flag) {
  FImageLoaded = flag;
  UnitImageLoaded = flag;
  if (!flag) return;
  SetBounds(Left(), Top(), FWorkingPicture->Width(), FWorkingPicture->Height());
  FFileName = kNewImageName;
  Picture()->Assign(FWorkingPicture);
  ReDraw(kZeroRect, false, true);
  SizeAndShow();
}

void TLoadImage::HideNow() {
  Hide();
  if (Parent()) Parent()->Update();
}

void TLoadImage::SetDesignedSize(int top, int left, int width, int height) {
  FDesignedBox = DesignedBox{top, left, width, height};
}

void TLoadImage::GetDesignedSize(int& top, int& left, int& width, int& height) const {
  top = FDesignedBox.Top;
  left = FDesignedBox.Left;
  width = FDesignedBox.Width;
  height = FDesignedBox.Height;
}

void TLoadImage::SetAlternateExt(const std::string& extension) {
  if (extension.empty()) return;
  FAlternateExt = CutToShortString(extension.front() == '.' ? extension : "." + extension);
}

void TLoadImage::SetExt(const std::string& extension) {
  SetAlternateExt(extension);
}

void TLoadImage::CountImages(const std::string& name) {
  FCountImagesinFile = name;
  if (name.find("TIF") != std::string::npos) FImageCount = GetNumberOfImagesInTiffFile(name.c_str());
  if (name.find("DCX") != std::string::npos) FImageCount = GetNumberOfImagesInDCXFile(name.c_str());
}

void TLoadImage::ReportError(int code) {
  FImageError = true;
  char text[kErrorTextBufferSize] = {};
  ImgErrorString(text, code);
  FStatusText = text;
}

HBITMAP TLoadImage::WorkingBitmapHandle() const {
  auto* bitmap = dynamic_cast<cl::TBitmap*>(FWorkingPicture->Graphic());
  return bitmap ? bitmap->Handle() : nullptr;
}

void TLoadImage::StoreDisplaySettings(const cl::TRect& source, bool crop, bool actualSize) {
  const ClippedSource clipped = ClipSourceRect(source, FWorkingPicture->Width(), FWorkingPicture->Height());
  FSourceRect = clipped.Rect;
  FClipValid = clipped.Valid;
  FCropShown = crop;
  FActualSize = actualSize;
}

void TLoadImage::ShowWorkingPicture() {
  FSpareSections.Clear();  // a new picture: the sections kept have the old one's sizes
  HideNow();
  CopyWorkingPictureAndSize();
}

bool TLoadImage::CanDrawStraightFromWorking() const {
  auto* working = dynamic_cast<cl::TBitmap*>(FWorkingPicture->Graphic());
  if (!working || working->Empty() || working->Monochrome()) return false;
  const cl::TPixelFormat format = working->PixelFormat();
  return format == cl::pfDevice || format == cl::pf24bit || format == cl::pf32bit;
}

void TLoadImage::CopyWorkingPictureAndSize() {
  // Copying a large picture only to shrink it or cut it to the output size costs as much as reading it, so
  // pictures whose colours survive a blit are drawn from the working bitmap into a new shown bitmap. The result
  // is the one of the copy followed by SizeAndShow, pixel for pixel; pictures with colour tables take that road.
  if (!CanDrawStraightFromWorking()) {
    Picture()->Assign(FWorkingPicture);
    SizeAndShow();
    return;
  }
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  const int width = working->Width(), height = working->Height();
  const DisplayLayout layout = ComputeLayout(width, height);
  cl::TBitmap* shown = Picture()->Bitmap();
  // A shown bitmap of the right size and kind is drawn over: a new one costs as much again in fresh memory. One of
  // another size is kept, as a quarter turn's next shown picture has its size again.
  const bool reusable = !shown->Empty() && !shown->Monochrome() && shown->PixelFormat() == working->PixelFormat() &&
                        shown->Width() == layout.OutWidth && shown->Height() == layout.OutHeight;
  if (!reusable) {
    HBITMAP replacement = FSpareSections.TakeOrCreate(working, layout.OutWidth, layout.OutHeight);
    if (!shown->Empty()) FSpareSections.Keep(shown->ReleaseHandle());
    shown->SetHandle(replacement);
  }
  // SetPalette counts the palette it takes over, and CopyPalette counted it already.
  shown->SetPalette(static_cast<HPALETTE>(cl::gdi::Untrack(cl::CopyPalette(working->Palette()))));

  HDC source = working->Canvas()->Handle();
  cl::TCanvas* canvas = shown->Canvas();
  HDC target = canvas->Handle();
  canvas->Changing();
  // What the copy covers keeps its pixels; a larger output size adds white, as growing the copy would.
  const int coveredWidth =
      layout.Draw == DisplayDraw::EnlargeFromWorking ? layout.OutWidth : std::min(width, layout.OutWidth);
  const int coveredHeight =
      layout.Draw == DisplayDraw::EnlargeFromWorking ? layout.OutHeight : std::min(height, layout.OutHeight);
  PatBlt(target, coveredWidth, 0, layout.OutWidth - coveredWidth, layout.OutHeight, WHITENESS);
  PatBlt(target, 0, coveredHeight, coveredWidth, layout.OutHeight - coveredHeight, WHITENESS);
  if (layout.Draw == DisplayDraw::ResizeOnly) {
    BitBlt(target, 0, 0, coveredWidth, coveredHeight, source, 0, 0, SRCCOPY);
  } else {
    // Drawn onto the copy itself, the stretch would reach no further than the copy's own size.
    cl::gdi::SaveDCGuard saved(target);
    IntersectClipRect(target, 0, 0, coveredWidth, coveredHeight);
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, layout.OutWidth, layout.OutHeight, source, layout.SourceX, layout.SourceY,
               layout.SourceWidth, layout.SourceHeight, SRCCOPY);
  }
  canvas->Changed();
  ApplyLayout(layout);
  Show();
}

DisplayLayout TLoadImage::ComputeLayout(int pictureWidth, int pictureHeight) const {
  DisplayRequest request;
  request.PictureWidth = pictureWidth;
  request.PictureHeight = pictureHeight;
  request.Source = FSourceRect;
  request.ClipValid = FClipValid;
  request.Crop = FCropShown;
  request.ActualSize = FActualSize;
  request.Box = FDesignedBox;
  return ComputeDisplayLayout(request);
}

void TLoadImage::ApplyLayout(const DisplayLayout& layout) {
  FDisplayScale = layout.Scale;
  if (layout.FitComputed) {
    FFitX = layout.FitX;
    FFitY = layout.FitY;
  }
  SetBounds(layout.Bounds.Left, layout.Bounds.Top, layout.OutWidth, layout.OutHeight);
}

void TLoadImage::SizeAndShow() {
  const DisplayLayout layout = ComputeLayout(Picture()->Width(), Picture()->Height());
  if (layout.Draw != DisplayDraw::None) {
    DrawShownPicture(layout);
    ApplyLayout(layout);
  }
  Show();
}

void TLoadImage::StretchOntoShown(HDC source, const DisplayLayout& layout) {
  cl::TBitmap* shown = Picture()->Bitmap();
  const bool monochrome = shown->Monochrome();
  cl::TCanvas* canvas = shown->Canvas();
  HDC target = canvas->Handle();
  if (!source) source = target;  // the shown bitmap onto itself
  if (!monochrome) {
    SetStretchBltMode(target, COLORONCOLOR);
  } else {
    if (FMoreWhite) SetStretchBltMode(target, WHITEONBLACK);
    if (FMoreBlack) SetStretchBltMode(target, BLACKONWHITE);
  }
  canvas->Changing();
  StretchBlt(target, 0, 0, layout.OutWidth, layout.OutHeight, source, layout.SourceX, layout.SourceY,
             layout.SourceWidth, layout.SourceHeight, SRCCOPY);
  canvas->Changed();
}

void TLoadImage::DrawShownPicture(const DisplayLayout& layout) {
  cl::TBitmap* shown = Picture()->Bitmap();
  switch (layout.Draw) {
    case DisplayDraw::ShrinkOntoShown:
    case DisplayDraw::MoveOntoShown:
      StretchOntoShown(nullptr, layout);
      shown->SetSize(layout.OutWidth, layout.OutHeight);
      break;
    case DisplayDraw::EnlargeFromWorking:
      shown->SetSize(layout.OutWidth, layout.OutHeight);
      StretchOntoShown(FWorkingPicture->Bitmap()->Canvas()->Handle(), layout);
      break;
    case DisplayDraw::ResizeOnly:
      shown->SetSize(layout.OutWidth, layout.OutHeight);
      break;
    case DisplayDraw::None:
      break;
  }
}

}  // namespace img
