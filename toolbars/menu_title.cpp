#include "toolbars/menu_title.h"

#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "toolbars/core/menu_title_layout.h"
#include "toolbars/menu_options.h"

namespace tbr::menus {
namespace {

// Escapements of text reading upwards and downwards, in tenths of a degree.
constexpr int kUpwards = 900;
constexpr int kDownwards = 2700;

static_assert(static_cast<int>(ttLeftJustify) == cl::taLeftJustify && static_cast<int>(ttCenter) == cl::taCenter &&
              static_cast<int>(ttRightJustify) == cl::taRightJustify);

RgbColor ToRgb(cl::TColor color) {
  // System colours are turned into what they show now before their channels are taken.
  const cl::TColor rgb = cl::ColorToRGB(color);
  return RgbColor{static_cast<uint8_t>(rgb & 0xFF), static_cast<uint8_t>((rgb >> 8) & 0xFF),
                  static_cast<uint8_t>((rgb >> 16) & 0xFF)};
}

void FillBand(cl::TCanvas* canvas, const TTitle* title, int width, int height) {
  cl::TBrush* brush = canvas->Brush();
  brush->SetStyle(cl::bsSolid);
  if (title->ColorBegin() == title->ColorEnd()) {
    brush->SetColor(title->ColorBegin());
    canvas->FillRect(cl::Rect(0, 0, width, height));
    return;
  }
  const RgbColor begin = ToRgb(title->ColorBegin());
  const RgbColor end = ToRgb(title->ColorEnd());
  for (int i = 0; i < kTitleStripes; ++i) {
    const TitleStripe stripe = TitleGradientStripe(i, height, begin, end);
    if (stripe.Bottom <= stripe.Top) continue;
    brush->SetColor(RGB(stripe.Color.R, stripe.Color.G, stripe.Color.B));
    canvas->FillRect(cl::Rect(0, stripe.Top, width, stripe.Bottom));
  }
}

void DrawBandText(cl::TCanvas* canvas, const TTitle* title, cl::TPoint band) {
  const cl::TFont* font = title->Font();
  LOGFONTA lf{};
  lf.lfHeight = font->Height();
  lf.lfEscapement = lf.lfOrientation = title->Direction() ? kUpwards : kDownwards;
  lf.lfWeight = font->Style().Contains(cl::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font->Style().Contains(cl::fsItalic);
  lf.lfUnderline = font->Style().Contains(cl::fsUnderline);
  lf.lfStrikeOut = font->Style().Contains(cl::fsStrikeOut);
  lf.lfCharSet = font->Charset();
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;  // only outline fonts turn
  lstrcpynA(lf.lfFaceName, font->Name().c_str(), LF_FACESIZE);
  cl::gdi::Object<HFONT> rotated(static_cast<HFONT>(cl::gdi::Track(CreateFontIndirectA(&lf))));
  if (!rotated) return;
  canvas->Changing();
  HDC dc = canvas->Handle();
  cl::gdi::SelectGuard select(dc, rotated.Get());
  SIZE extent{};
  GetTextExtentPoint32A(dc, title->Text().data(), static_cast<int>(title->Text().size()), &extent);
  const cl::TPoint at = TitleTextPosition(static_cast<TTitleTextAlignment>(title->Alignment()), title->Direction(),
                                          band, extent.cx, extent.cy);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, cl::ColorToRGB(font->Color()));
  TextOutA(dc, at.X, at.Y, title->Text().data(), static_cast<int>(title->Text().size()));
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  canvas->Changed();
}

}  // namespace

void DrawMenuTitle(cl::TCanvas* canvas, const TTitle* title, int windowWidth, int windowHeight) {
  const cl::TRect rect = TitleBandRect(title->Align(), title->Width(), windowWidth, windowHeight);
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  const cl::TPoint band = cl::Point(rect.Width(), rect.Height());
  cl::Owned<cl::TBitmap> image = cl::MakeOwned<cl::TBitmap>();
  image->SetSize(band.X, band.Y);
  cl::TCanvas* imageCanvas = image->Canvas();
  FillBand(imageCanvas, title, band.X, band.Y);
  if (cl::TBitmap* bitmap = title->Bitmap(); !bitmap->Empty()) {
    const cl::TPoint at = TitleBitmapPosition(static_cast<TTitleTextAlignment>(title->Alignment()), band,
                                              cl::Point(bitmap->Width(), bitmap->Height()));
    imageCanvas->Draw(at.X, at.Y, bitmap);
  }
  if (!title->Text().empty()) DrawBandText(imageCanvas, title, band);
  canvas->CopyRect(rect, imageCanvas, cl::Rect(0, 0, band.X, band.Y));
}

}  // namespace tbr::menus
