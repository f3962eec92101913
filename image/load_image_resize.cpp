// TLoadImage's changes of the working picture's size: resampling by a percentage, doubling and halving its height,
// and squeezing it above a tab. Each builds the new bitmap from a copy of the old picture; a size beyond the
// format library's pixel budget is refused before anything is allocated, so a huge zoom cannot ask for gigabytes.
#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/picture.h"
#include "formatlib/core/dib_image.h"
#include "formatlib/core/errors.h"
#include "image/hour_glass.h"
#include "image/load_image.h"
#include "image/owned_handles.h"

namespace img {

namespace {

bool WithinPixelBudget(const PictureSize& size) {
  return size.Width > 0 && size.Height > 0 && size.Width <= fl::kMaxDimension && size.Height <= fl::kMaxDimension &&
         size.Width * size.Height <= fl::kMaxPixels;
}

}  // namespace

bool TLoadImage::ResampleWorkingBitmap(const PictureSize& size) {
  if (!WithinPixelBudget(size)) {
    ReportError(fl::kImageTooLarge);
    return false;
  }
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  Owned<cl::TBitmap> old = MakeOwned<cl::TBitmap>();
  try {
    old->Assign(working);
    working->SetSize(static_cast<int>(size.Width), static_cast<int>(size.Height));
  } catch (const cl::EOutOfMemory&) {  // EOutOfResources too: the system had no room for the new bitmap
    ReportError(fl::kOutOfMemory);
    return false;
  }
  working->Canvas()->StretchDraw(cl::Rect(0, 0, working->Width(), working->Height()), old.get());
  return true;
}

void TLoadImage::ScaleIt(int percent) {
  if (!UnitImageLoaded || percent <= 0 || !WorkingBitmapHandle()) return;
  FReScale = percent;
  HourGlass hourGlass;
  ResampleWorkingBitmap(ScaledPictureSize(FWorkingPicture->Width(), FWorkingPicture->Height(), percent));
}

void TLoadImage::SetExpand(bool value) {
  FExpand = value;
  if (!value || !WorkingBitmapHandle()) return;
  if (ResampleWorkingBitmap({FWorkingPicture->Width(), int64_t{FWorkingPicture->Height()} * 2})) {
    ShowTransformed();
  }
}

void TLoadImage::Squeeze() {
  // A picture of one row has no half to keep: it stays as it is rather than becoming empty.
  if (!WorkingBitmapHandle() || FWorkingPicture->Height() < 2) return;
  if (ResampleWorkingBitmap({FWorkingPicture->Width(), FWorkingPicture->Height() / 2})) {
    ShowTransformed();
  }
}

void TLoadImage::MakeTab(int tabHeight) {
  if (!WorkingBitmapHandle()) return;
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  const int width = working->Width(), height = working->Height();
  Owned<cl::TBitmap> old = MakeOwned<cl::TBitmap>();
  old->Assign(working);
  cl::TCanvas* canvas = working->Canvas();
  canvas->StretchDraw(cl::Rect(0, 0, width, height - tabHeight), old.get());
  canvas->Rectangle(0, height - tabHeight, width, height);
  ShowTransformed();
}

}  // namespace img
