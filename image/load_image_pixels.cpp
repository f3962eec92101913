// TLoadImage's own road for the quarter turns, flips and inversion of true-colour pictures held in DIB sections:
// the pixels change where they lie (or go once into the turned bitmap) instead of travelling through packed DIBs
// and back; the sections a turn replaces are kept for the next one. Other pictures take the format library's road.
#include "classlib/win/bitmap.h"
#include "classlib/win/picture.h"
#include "image/load_image.h"
#include "image/section_pixels.h"

namespace img {

bool TLoadImage::ChangeWorkingPixels(PixelChange change) {
  const std::optional<PixelRows> rows = SectionRows(WorkingBitmapHandle());
  if (!rows) return false;
  ChangePixels(change, *rows);
  return true;
}

bool TLoadImage::TurnWorkingPixels(bool clockwise) {
  const std::optional<PixelRows> source = SectionRows(WorkingBitmapHandle());
  if (!source) return false;
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  HBITMAP turned = FSpareSections.TakeOrCreate(working, source->Height, source->Width);
  const std::optional<PixelRows> target = SectionRows(turned);
  if (!target) {
    DeleteObject(turned);
    return false;
  }
  TurnPixels(*source, *target, clockwise);
  // The upright section serves the turn after this one, which needs its size again.
  FSpareSections.Keep(working->ReleaseHandle());
  working->SetHandle(turned);
  return true;
}

}  // namespace img
