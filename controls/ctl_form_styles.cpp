#include "controls/ctl_form_styles.h"

#include <algorithm>
#include <cstring>

#include "classlib/win/colors.h"
#include "classlib/win/forms.h"
#include "classlib/win/graphics_tools.h"
#include "controls/ctl_application.h"
#include "controls/ctl_image_lists.h"
#include "controls/dc_canvas.h"
#include "controls/gradients.h"
#include "controls/system_info.h"
#include "controls/text_3d.h"

namespace ctl {
namespace {

constexpr int kMinColors = 2;
constexpr int kMaxColors = 236;
// The gradient runs in vertical bands from left to right.
constexpr int kBandsLeftToRight = 0;
// GetCaptionRects: end the bar at the text, and leave a thin frame's caption as it is measured.
constexpr int kCaptionEndAtText = 2;
constexpr int kCaptionSingleBorder = 0x20;

const char kBlank[] = " ";

void ClipTo(HDC dc, const cl::TRect& rect) {
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

UINT AlignmentFlag(cl::TAlignment alignment) {
  switch (alignment) {
    case cl::taRightJustify:
      return DT_RIGHT;
    case cl::taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace

TCtlFormStyler::TCtlFormStyler(cl::TComponent* owner)
    : TCtlWndProcComponent(owner), FFont(cl::New<cl::TFont>()), FFont3D(cl::New<TCtl3DCaption>()) {
  SetHookFrameItself(true);
  const cl::TNotifyEvent fontChanged([this](cl::TObject*) {
    if (!FOptions.Contains(fsUseDefaultFont)) PaintCaption();
  });
  FFont->SetOnChange(fontChanged);
  FFont3D->SetOnChange(fontChanged);
}

void TCtlFormStyler::BeforeDestruction() {
  inherited::BeforeDestruction();
  cl::FreeAndNil(FFont3D);
  cl::FreeAndNil(FFont);
}

void TCtlFormStyler::SetAlignment(cl::TAlignment alignment) {
  FAlignment = alignment;
  PaintCaption();
}

void TCtlFormStyler::SetColors(int colors) {
  FColors = std::clamp(colors, kMinColors, kMaxColors);
  PaintCaption();
}

void TCtlFormStyler::SetPaintMode(TCtlPaintMode mode) {
  FPaintMode = mode;
  if (HookedWindow()) SendMessageA(HookedWindow(), WM_NCACTIVATE, FActive, 0);
}

void TCtlFormStyler::SetOptions(TCtlFormStylerOptions options) {
  const bool hooked = HookedWindow() != nullptr;
  if (hooked) HookOff();
  FOptions = options;
  if (hooked) HookOn();
}

bool TCtlFormStyler::Styling() const {
  return Enabled() && FPaintMode != pcNone && !FPainting && HookedWindow();
}

std::string TCtlFormStyler::CaptionText() const {
  if (FKeptCaption) return FCaption;
  const cl::TForm* form = GetOwnerForm();
  return form ? form->Caption() : std::string();
}

void TCtlFormStyler::HookOn() {
  cl::TForm* form = GetOwnerForm();
  // Read before the hook, which answers a blank for it.
  const std::string caption = form && !HookedWindow() ? form->Caption() : FCaption;
  inherited::HookOn();
  if (!HookedWindow() || !form) return;
  FActive = GetActiveWindow() == HookedWindow();
  if (!FOptions.Contains(fsUseFormCaption) && !FKeptCaption) {
    // The system draws what the window holds: a blank, while the styler draws the kept caption.
    FCaption = caption;
    FKeptCaption = true;
    SetWindowTextA(HookedWindow(), kBlank);
  }
  if (!ComponentState().Contains(cl::csLoading)) PaintCaption();
}

void TCtlFormStyler::HookOff() {
  HWND window = HookedWindow();
  if (FKeptCaption) {
    FKeptCaption = false;
    if (window) SetWindowTextA(window, FCaption.c_str());
  }
  if (window && !WindowDestroyed() && !ComponentState().Contains(cl::csDestroying)) {
    SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
  }
  inherited::HookOff();
}

void TCtlFormStyler::MessageHandler(cl::TMessage& message) {
  if (!Styling()) {
    inherited::MessageHandler(message);
    return;
  }
  switch (message.Msg) {
    case WM_GETTEXT:
      if (FOptions.Contains(fsUseFormCaption)) break;
      // A blank, within the caller's buffer: nothing but the terminator when only that fits.
      if (message.WParam == 0 || message.LParam == 0) {
        message.Result = 0;
      } else {
        const size_t copied = std::min<size_t>(message.WParam - 1, std::strlen(kBlank));
        char* buffer = reinterpret_cast<char*>(message.LParam);
        std::memcpy(buffer, kBlank, copied);
        buffer[copied] = '\0';
        message.Result = static_cast<LRESULT>(copied);
      }
      return;
    case WM_GETTEXTLENGTH:
      if (FOptions.Contains(fsUseFormCaption)) break;
      message.Result = static_cast<LRESULT>(std::strlen(kBlank));
      return;
    case WM_NCPAINT:
      CallPrevious(message);
      if (FActive || FOptions.Contains(fsInactiveGradient)) PaintCaption();
      message.Result = 0;
      return;
    case WM_NCACTIVATE:
      FActive = message.WParam != 0;
      CallPrevious(message);
      PaintCaption();
      message.Result = 1;
      return;
    default:
      break;
  }
  inherited::MessageHandler(message);
}

void TCtlFormStyler::SelectCaptionFont(cl::TCanvas& canvas, bool small) {
  if (!FOptions.Contains(fsUseDefaultFont)) {
    canvas.SetFont(FFont);
    return;
  }
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    const cl::gdi::Object<HFONT> font(static_cast<HFONT>(
        cl::gdi::Track(CreateFontIndirectA(small ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont))));
    canvas.Font()->SetHandle(font.Get());
  } else {
    canvas.Font()->SetHandle(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  }
  canvas.Font()->SetStyle({cl::fsBold});
}

void TCtlFormStyler::DrawIcon(HDC dc, const cl::TRect& caption, bool small) {
  HWND window = HookedWindow();
  auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, small ? ICON_SMALL : ICON_SMALL2, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
  if (!icon) return;
  const int size = GetSystemMetrics(SM_CXSMICON);
  const int top = caption.Top + (caption.Height() - size) / 2;
  DrawIconEx(dc, caption.Left + 1, top, icon, size, size, 0, nullptr, DI_NORMAL);
}

void TCtlFormStyler::PaintCaption() {
  if (!Styling() || ComponentState().Contains(cl::csDesigning)) return;
  HWND window = HookedWindow();
  cl::TForm* form = GetOwnerForm();
  if (!form || !IsWindowVisible(window) || IsIconic(window)) return;
  FPainting = true;
  HDC dc = GetWindowDC(window);
  try {
    TDCCanvas canvas(dc);
    int flags = 1;
    if (FPaintMode == pcOwnerDraw && FOptions.Contains(fsAdjustRect)) flags += kCaptionEndAtText;
    if (form->BorderStyle() == cl::bsSingle) flags += kCaptionSingleBorder;
    cl::TRect caption, text;
    GetCaptionRects(window, caption, text, flags);
    const bool icon = (flags & cfIconPlace) != 0;
    const bool small = (flags & cfSmallCaption) != 0;
    const int saved = SaveDC(dc);
    if (FPaintMode == pcControl) {
      if (FActive || FOptions.Contains(fsInactiveGradient)) {
        const cl::TColor base = FActive ? cl::clActiveCaption : cl::clInactiveCaption;
        FillGradient(canvas.get(), caption, cl::clBlack, 0, 0, kBandsLeftToRight, FColors, base);
        if (icon) DrawIcon(dc, caption, small);
      }
    } else if (FPaintMode == pcOwnerDraw && FOnPaint) {
      ClipTo(dc, caption);
      FOnPaint(this, canvas.get(), caption);
      RestoreDC(dc, saved);
      SaveDC(dc);
    }
    SelectCaptionFont(*canvas.get(), small);
    canvas->Brush()->SetStyle(cl::bsClear);
    cl::TColor color = canvas->Font()->Color();
    if (!FActive) {
      color = cl::clInactiveCaptionText;
    } else if (FOptions.Contains(fsUseDefaultFont) || !FOptions.Contains(fsUseFontColor)) {
      color = cl::ColorToRGB(cl::clCaptionText) == 0 ? cl::clWhite : cl::clCaptionText;
    }
    canvas->Font()->SetColor(color);
    if (FOptions.Contains(fsDrawCaptionEvent) || FPaintMode == pcOwnerDraw) {
      ClipTo(dc, text);
      if (FOnCaptionPaint) FOnCaptionPaint(this, canvas.get(), text);
    } else if (FActive || !FOptions.Contains(fsUseFormCaption) || FOptions.Contains(fsInactiveGradient)) {
      const UINT format = AlignmentFlag(FAlignment) | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
      if (FOptions.Contains(fsUseDefaultFont)) {
        cl::TRect area = text;
        canvas->TextRect(area, CaptionText(), format);
      } else {
        DrawText3D(canvas.get(), CaptionText(), FFont3D, nullptr, dtsEnabled | dtsClip, format, text);
      }
    }
    RestoreDC(dc, -1);
  } catch (...) {
    ReleaseDC(window, dc);
    FPainting = false;
    throw;
  }
  ReleaseDC(window, dc);
  FPainting = false;
}

TCtlCustomFormFill::TCtlCustomFormFill(cl::TComponent* owner)
    : TCtlWndProcComponent(owner), FLink(this, [this] { ImageListChanged(); }) {}

void TCtlCustomFormFill::SetPaintMode(TCtlPaintMode mode) {
  FPaintMode = mode;
  InvalidateWindow(true);
}

void TCtlCustomFormFill::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  FLink.Notification(component, operation);
}

void TCtlCustomFormFill::ImageListChanged() {
  InvalidateWindow(true);
}

void TCtlCustomFormFill::InvalidateWindow(bool erase) {
  if (HookedWindow()) InvalidateRect(HookedWindow(), nullptr, erase);
}

void TCtlCustomFormFill::MessageHandler(cl::TMessage& message) {
  if (Enabled() && HookedWindow()) {
    switch (message.Msg) {
      case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(HookedWindow(), &r);
        TDCCanvas canvas(reinterpret_cast<HDC>(message.WParam));
        if (PaintBackground(canvas.get(), cl::Rect(r.left, r.top, r.right, r.bottom))) {
          message.Result = 1;
          return;
        }
        break;
      }
      case WM_SIZE:
        InvalidateWindow(true);
        break;
      case WM_HSCROLL:
      case WM_VSCROLL:
        InvalidateWindow(false);
        break;
      case WM_PALETTECHANGED:
        InvalidateWindow(true);
        break;
      default:
        break;
    }
  }
  inherited::MessageHandler(message);
}

bool TCtlCustomFormFill::PaintBackground(cl::TCanvas* canvas, const cl::TRect& client) {
  if (FPaintMode != pcOwnerDraw || !FOnPaint) return false;
  if (FDefaultFill) {
    const cl::TForm* form = GetOwnerForm();
    canvas->Brush()->SetColor(form ? form->Color() : cl::clBtnFace);
    canvas->FillRect(client);
  }
  FOnPaint(this, canvas, client);
  return true;
}

bool TCtlBack::PaintBackground(cl::TCanvas* canvas, const cl::TRect& client) {
  TCtlCustomImageList* list = ImageLink().ImageList();
  if (PaintMode() != pcControl || !list || !list->ImageExists(ImageLink().ListIndex(), ImageLink().ImageIndex())) {
    return inherited::PaintBackground(canvas, client);
  }
  TDrawFlags flags = dfTile | dfPalette;
  if (GetDisplayColorDepth() <= 8 && CtlApplication && (CtlApplication->DisplayOptions() & 1)) flags = dfTile;
  list->DrawImageRect(canvas, client, ImageLink().ListIndex(), ImageLink().ImageIndex(), flags);
  return true;
}

}  // namespace ctl
