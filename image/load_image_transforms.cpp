// TLoadImage's transforms of the working picture: quarter turns, flips and inversion (the transform properties),
// turning and slanting by an angle, brightness and contrast, and gray levels. True-colour pictures in DIB sections
// change their pixels directly (load_image_pixels.cpp); for others, on palette displays the format library changes
// the bitmap itself, and on deeper ones the picture goes through a packed DIB. A transform that fails
// keeps the picture it had: a new bitmap replaces the working one only when it was made.
#include <windows.h>

#include "classlib/win/bitmap.h"
#include "classlib/win/dialogs.h"
#include "classlib/win/picture.h"
#include "formatlib/formatlib.h"
#include "image/hour_glass.h"
#include "image/load_image.h"
#include "image/owned_handles.h"

namespace img {

namespace {

constexpr int kPaletteDisplayDepth = 8;  // the bitmap routines serve displays of this many bits or fewer
constexpr char kUnableToFlip[] = "unable to Flip";
constexpr char kUnableToRotate[] = "unable to rotate";
constexpr char kUnableToRotate180[] = "unable to rotate180";

}  // namespace

void TLoadImage::ShowTransformed() {
  ReDraw(kZeroRect, FCrop, !FFitWindow);
}

void TLoadImage::ShowInformation(const std::string& text) {
  cl::MessageDlg(text, cl::mtInformation, {cl::mbOK}, 0);
}

bool TLoadImage::ReplaceWorkingBitmap(HBITMAP bitmap) {
  if (!bitmap) return false;
  FWorkingPicture->Bitmap()->SetHandle(bitmap);
  return true;
}

bool TLoadImage::TransformThroughDib(HGLOBAL (*transform)(HGLOBAL)) {
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  OwnedDib dib(ConvertBitmapToDIB(working->Handle(), working->Palette()));
  if (!dib) return false;
  OwnedDib transformed(transform(dib.get()));
  return transformed && ReplaceWorkingBitmap(ConvertDIBToBitmap(transformed.get()));
}

void TLoadImage::InvertTheBitMap(bool value) {
  FInvert = value;
  if (!UnitImageLoaded) return;
  if (!ChangeWorkingPixels(PixelChange::Invert)) InvertBitmap(WorkingBitmapHandle());
  ShowTransformed();
}

void TLoadImage::FlipitV(bool value) {
  FFlipV = value;
  if (!UnitImageLoaded) return;
  if (!ChangeWorkingPixels(PixelChange::FlipVertical)) FlipBitmapVertical(WorkingBitmapHandle());
  ShowTransformed();
}

void TLoadImage::FlipitH(bool value) {
  FFlipH = value;
  if (!UnitImageLoaded) return;
  UnitLastTransformResult =
      ChangeWorkingPixels(PixelChange::Mirror) ||
      (FScreenDepth <= kPaletteDisplayDepth ? FlipBitmapHorizontal(WorkingBitmapHandle()) != 0
                                            : TransformThroughDib(FlipDIBHorizontal));
  if (UnitLastTransformResult) {
    ShowTransformed();
  } else {
    ShowInformation(kUnableToFlip);
  }
}

void TLoadImage::TurnQuarter(bool clockwise, HBITMAP (*turnBitmap)(HBITMAP), HGLOBAL (*turnDib)(HGLOBAL)) {
  UnitLastTransformResult =
      TurnWorkingPixels(clockwise) ||
      (FScreenDepth <= kPaletteDisplayDepth ? ReplaceWorkingBitmap(turnBitmap(WorkingBitmapHandle()))
                                            : TransformThroughDib(turnDib));
  if (UnitLastTransformResult) {
    SetBounds(Left(), Top(), FWorkingPicture->Width(), FWorkingPicture->Height());
    ShowTransformed();
  } else {
    ShowInformation(kUnableToRotate);
  }
}

void TLoadImage::RotateRight90(bool value) {
  FRotateCW90 = value;
  if (UnitImageLoaded && value) TurnQuarter(true, RotateBitmap90, RotateDIB90);
}

void TLoadImage::RotateIt180(bool value) {
  FRotate180 = value;
  if (!UnitImageLoaded || !value) return;
  UnitLastTransformResult =
      ChangeWorkingPixels(PixelChange::Rotate180) ||
      (FScreenDepth <= kPaletteDisplayDepth ? RotateBitmap180(WorkingBitmapHandle()) != 0
                                            : TransformThroughDib(RotateDIB180));
  if (UnitLastTransformResult) {
    FRotate180 = false;
    ShowTransformed();
  } else {
    ShowInformation(kUnableToRotate180);
  }
}

void TLoadImage::RotateIt270(bool value) {
  FRotateCCW90 = value;
  if (UnitImageLoaded) TurnQuarter(false, RotateBitmap270, RotateDIB270);
}

bool TLoadImage::TransformByAngle(AngleTransform transform, int angle, int background) {
  if (!WorkingBitmapHandle()) return false;
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  OwnedDib dib(ConvertBitmapToDIB(working->Handle(), working->Palette()));
  if (!dib) return false;
  POINT origin{}, size{};
  OwnedDib transformed(transform(dib.get(), angle, background, &origin, &size));
  if (!transformed || !ReplaceWorkingBitmap(ConvertDIBToBitmap(transformed.get()))) return false;
  SetFileLoaded(true);
  return true;
}

bool TLoadImage::Rotate(int angle, int background) {
  return TransformByAngle(RotateDIB, angle, background);
}

bool TLoadImage::SkewImage(int angle, int background) {
  return TransformByAngle(SkewDIB, angle, background);
}

bool TLoadImage::ChangeBrightnessandContrast(int brightness, int contrast) {
  HourGlass hourGlass;
  if (!WorkingBitmapHandle()) return false;
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  OwnedDib dib(ConvertBitmapToDIB(working->Handle(), working->Palette()));
  if (!dib) return false;
  bool changed = false;
  OwnedDib adjusted(ColorBrightnessContrast(dib.get(), brightness, contrast));
  if (adjusted && ReplaceWorkingBitmap(ConvertDIBToBitmap(adjusted.get()))) {
    working->SetPalette(CreateDIBPalette(adjusted.get()));
    HDC canvas = working->Canvas()->Handle();
    SelectPalette(canvas, working->Palette(), TRUE);
    RealizePalette(canvas);
    changed = true;
  }
  ShowTransformed();
  return changed;
}

bool TLoadImage::MakeIntoGrayscale() {
  if (!UnitImageLoaded) return true;
  HourGlass hourGlass;
  if (!ReplaceWorkingBitmap(ConvertToMonochromeBitmap(WorkingBitmapHandle()))) return false;
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  OwnedDib dib(ConvertBitmapToDIB(working->Handle(), working->Palette()));
  if (!dib) return false;
  bool grayed = false;
  OwnedDib gray(ConvMonoDIBtoGrayscale(dib.get(), 0));
  if (gray && ReplaceWorkingBitmap(ConvertDIBToBitmap(gray.get()))) {
    working->SetPalette(CreateDIBPalette(gray.get()));
    grayed = true;
  }
  ShowTransformed();
  return grayed;
}

}  // namespace img
