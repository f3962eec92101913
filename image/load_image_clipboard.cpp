// TLoadImage and the clipboard (a copy of the shown picture out, any picture the class library reads in), and the
// thumbnail bitmap.
#include <windows.h>

#include "classlib/win/bitmap.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/picture.h"
#include "image/load_image.h"
#include "image/owned_handles.h"

namespace img {

namespace {

constexpr char kClipboardFileName[] = "CLIPBRD.BMP";
constexpr char kNoBitmapOnClipboard[] = "no bitmap on clipboard";
constexpr char kNoBitmap[] = "no bitmap";
constexpr int kThumbnailWidth = 120;
constexpr int kThumbnailHeight = 150;

}  // namespace

void TLoadImage::SetCopyToClipBoard(bool value) {
  FClipboardTransfer = value;
  if (!UnitImageLoaded || !Picture()->Graphic()) return;
  // A copy of the graphic, whatever kind the shown picture holds (the browser shows GIF images as they are).
  Owned<cl::TBitmap> copy = MakeOwned<cl::TBitmap>();
  copy->Assign(Picture()->Graphic());
  cl::Clipboard()->Assign(copy.get());
}

void TLoadImage::SetCopyFromClipBoard(bool value) {
  FClipboardTransfer = value;
  if (!value) return;
  UnitImageLoaded = false;
  cl::TClipboard* clipboard = cl::Clipboard();
  if (!clipboard->HasFormat(CF_BITMAP) && !clipboard->HasFormat(cl::CF_PICTURE())) {
    ShowInformation(kNoBitmapOnClipboard);
    return;
  }
  Picture()->Assign(nullptr);
  FWorkingPicture->Assign(nullptr);
  FWorkingPicture->Assign(clipboard);
  FFileName = kClipboardFileName;
  ShowTransformed();
}

void TLoadImage::MakeThumb(cl::TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) {
    ShowInformation(kNoBitmap);
    return;
  }
  // The thumbnail before this one is this control's too: it goes.
  cl::FreeAndNil(FThumbNail);
  FThumbNail = cl::New<cl::TBitmap>();
  FThumbNail->SetMonochrome(true);
  FThumbNail->SetSize(kThumbnailWidth, kThumbnailHeight);
  HDC source = bitmap->Canvas()->Handle();
  cl::TCanvas* canvas = FThumbNail->Canvas();
  HDC target = canvas->Handle();
  canvas->Changing();
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, 0, 0, kThumbnailWidth, kThumbnailHeight, source, 0, 0, bitmap->Width(), bitmap->Height(), SRCCOPY);
  canvas->Changed();
  FScrollerX = 0;
  FScrollerY = 0;
  UnitThumbnailMade = true;
}

}  // namespace img
