// TLoadImage's drawing aids on the working picture (a grid, a text at a display point), TIFF tags, and the copy of
// another program's window as a new picture.
#include <windows.h>

#include <vector>

#include "classlib/core/conversions.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/gdi.h"
#include "classlib/win/picture.h"
#include "formatlib/formatlib.h"
#include "image/load_image.h"

namespace img {

namespace {

constexpr int kTitleBufferSize = 50;  // titles are cut to 49 characters
constexpr int kSystemPaletteSize = 256;
constexpr DWORD kForegroundPollMs = 20;

// The system palette's entries as a palette, or null when the display has none (true-colour displays report no
// entries, and a palette of unset entries would be garbage).
HPALETTE GetWinPalette() {
  std::vector<uint8_t> storage(sizeof(LOGPALETTE) + kSystemPaletteSize * sizeof(PALETTEENTRY), 0);
  auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = kSystemPaletteSize;
  cl::gdi::WindowDC screen;
  if (GetSystemPaletteEntries(screen.Get(), 0, kSystemPaletteSize, logical->palPalEntry) == 0) return nullptr;
  return CreatePalette(logical);
}

}  // namespace

void TLoadImage::AddGrid() {
  if (!WorkingBitmapHandle()) return;
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  const int width = working->Width(), height = working->Height();
  cl::TCanvas* canvas = working->Canvas();
  canvas->Pen()->SetStyle(cl::psDash);
  for (int x : GridLines(width)) {
    canvas->MoveTo(x, 0);
    canvas->LineTo(x, height);
    canvas->TextOut(x, 0, cl::IntToStr(x));
  }
  for (int y : GridLines(height)) {
    canvas->MoveTo(0, y);
    canvas->LineTo(width, y);
    canvas->TextOut(0, y, cl::IntToStr(y));
  }
  ShowTransformed();
}

void TLoadImage::PlaceAnnotation(int x, int y, const std::string& text) {
  if (x + y <= 0 || !WorkingBitmapHandle()) return;
  if (FDisplayScale.IsZero() || FDisplayScale.IsNegative()) FDisplayScale = Real48::One();
  FWorkingPicture->Bitmap()->Canvas()->TextOut(static_cast<int>(FDisplayScale.DivideTruncated(x)),
                                               static_cast<int>(FDisplayScale.DivideTruncated(y)), text);
  ShowTransformed();
}

bool TLoadImage::AddTag(const std::string& fileName, int page, uint16_t tag, uint16_t type, const std::string& value,
                        int number) {
  return AddTiffTagToImage(fileName.c_str(), page - 1, tag, type, value.c_str(), number) != 0;
}

void TLoadImage::GetOtherWindow(std::string& title) {
  const HWND front = GetForegroundWindow();
  HWND other = nullptr;
  while (!(other = GetForegroundWindow()) || other == front) {
    cl::Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kForegroundPollMs, QS_ALLINPUT);
  }
  char text[kTitleBufferSize] = {};
  GetWindowTextA(other, text, kTitleBufferSize);
  title = text;
  RECT bounds{};
  GetWindowRect(other, &bounds);
  cl::TBitmap* working = FWorkingPicture->Bitmap();
  working->SetSize(bounds.right - bounds.left, bounds.bottom - bounds.top);
  {
    cl::gdi::WindowDC window(other, /*wholeWindow=*/true);  // frame and caption too, as the size says
    working->Canvas()->Changing();
    BitBlt(working->Canvas()->Handle(), 0, 0, working->Width(), working->Height(), window.Get(), 0, 0, SRCCOPY);
    working->Canvas()->Changed();
  }
  if (HPALETTE palette = GetWinPalette()) {
    working->SetPalette(palette);
    HDC canvas = working->Canvas()->Handle();
    SelectPalette(canvas, palette, TRUE);
    RealizePalette(canvas);
  }
  SetFileLoaded(true);
}

}  // namespace img
