// TLoadImage's magnifier: the part of the working picture under the mouse, enlarged, in a window that follows the
// mouse over the scroll box holding the control.
#include <cstdlib>

#include "classlib/win/bitmap.h"
#include "classlib/win/forms.h"
#include "classlib/win/gdi.h"
#include "classlib/win/picture.h"
#include "classlib/win/scroll_box.h"
#include "image/load_image.h"

namespace img {

namespace {

constexpr double kPercent = 100.0;

}  // namespace

void TLoadImage::Magnify(cl::TForm* window, cl::TScrollBox* host, int x, int y) {
  // A ratio of 0 would divide by zero; a negative one would mirror the picture.
  if (!UnitImageLoaded || FMagRatio <= 0 || !WorkingBitmapHandle()) return;
  if (std::abs(x - FMagnifierPoint.X) <= FMagStep && std::abs(y - FMagnifierPoint.Y) <= FMagStep) return;
  const int targetWidth = window->Width(), targetHeight = window->Height();
  const int left = x + host->Left() - host->HorzScrollBar()->Position();
  if (left < host->Left() + host->Width()) window->SetLeft(left);
  const int top = y + host->Top() - host->VertScrollBar()->Position();
  if (top < host->Top() + host->Height()) window->SetTop(top);
  if (FDisplayScale > Real48()) {
    x = static_cast<int>(FDisplayScale.DivideTruncated(x));
    y = static_cast<int>(FDisplayScale.DivideTruncated(y));
    // What the window shows is only looked at, so plain floating point serves for the source size.
    const double sourcePerTarget = kPercent / FMagRatio / FDisplayScale.ToDouble();
    const int sourceWidth = static_cast<int>(sourcePerTarget * targetWidth);
    const int sourceHeight = static_cast<int>(sourcePerTarget * targetHeight);
    cl::gdi::WindowDC target(window->Handle());
    StretchBlt(target.Get(), 0, 0, targetWidth, targetHeight, FWorkingPicture->Bitmap()->Canvas()->Handle(), x, y,
               sourceWidth, sourceHeight, SRCCOPY);
  }
  FMagnifierPoint = cl::Point(x, y);
}

}  // namespace img
