// TLoadImage's display options: fit into the designed box or actual size, fit to the host's width, crop, and the
// stretch modes of monochrome pictures. Each shows the working picture again with the new setting.
#include "classlib/win/picture.h"
#include "image/load_image.h"

namespace img {

void TLoadImage::SetFitWindow(bool value) {
  FFitWindow = value;
  FFitWidth = false;
  ShowTransformed();
}

void TLoadImage::SetFitWidth(bool value) {
  FFitWidth = value;
  if (!UnitImageLoaded || FScrollBoxW <= 0 || FWorkingPicture->Width() <= 0) return;
  FFitWindow = false;
  if (value) FDesignedBox = FitWidthBox(FWorkingPicture->Width(), FWorkingPicture->Height(), FScrollBoxW);
  ReDraw(kZeroRect, false, false);
}

void TLoadImage::SetCropped(bool value) {
  FCrop = value;
  ShowTransformed();
}

void TLoadImage::SetMoreBlack(bool value) {
  FMoreBlack = value;
  if (!value) return;
  FMoreWhite = false;
  ShowTransformed();
}

void TLoadImage::SetMoreWhite(bool value) {
  FMoreWhite = value;
  if (!value) return;
  FMoreBlack = false;
  ShowTransformed();
}

}  // namespace img
