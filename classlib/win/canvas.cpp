// TCanvas.
#include "classlib/win/canvas.h"

#include <exception>

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/graphics.h"

namespace cl {
namespace {

RECT ToRECT(const TRect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

// Dest := Source ? Pattern : Dest, the raster operation that paints the brush through a mask.
constexpr DWORD kPaintBrushThroughMask = 0x00E20746;

// Makes the canvas tell its owner about a primitive: Changing before, Changed after. A primitive that raises reports
// no change, and a handler that raises on Changed propagates instead of ending the program.
class ChangeScope {
 public:
  explicit ChangeScope(TCanvas* canvas) : FCanvas(canvas), FUncaught(std::uncaught_exceptions()) { canvas->Changing(); }
  ChangeScope(const ChangeScope&) = delete;
  ChangeScope& operator=(const ChangeScope&) = delete;
  ~ChangeScope() noexcept(false) {
    if (std::uncaught_exceptions() == FUncaught) FCanvas->Changed();
  }

 private:
  TCanvas* FCanvas;
  int FUncaught;
};

}  // namespace

TCanvas::TCanvas() : FFont(New<TFont>()), FPen(New<TPen>()), FBrush(New<TBrush>()) {
  InitializeCriticalSection(&FLock);
  FFont->SetOnChange([this](TObject*) { ToolChanged(kFont); });
  FPen->SetOnChange([this](TObject*) { ToolChanged(kPen); });
  FBrush->SetOnChange([this](TObject*) { ToolChanged(kBrush); });
}

TCanvas::~TCanvas() {
  DeselectHandles();
  DeleteCriticalSection(&FLock);
}

void TCanvas::BeforeDestruction() {
  SetHandle(nullptr);
  inherited::BeforeDestruction();
}

HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
  return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
  if (FHandle == dc) return;
  DeselectHandles();
  FHandle = dc;
}

void TCanvas::DeselectHandles() {
  if (!FHandle || !FSelected) return;
  if (FSelected & kFont) SelectObject(FHandle, FOriginalFont);
  if (FSelected & kPen) SelectObject(FHandle, FOriginalPen);
  if (FSelected & kBrush) SelectObject(FHandle, FOriginalBrush);
  FSelected = 0;
}

void TCanvas::ToolChanged(Tool tool) {
  if (!FHandle || !(FSelected & tool)) return;
  SelectObject(FHandle, tool == kFont ? FOriginalFont : tool == kPen ? FOriginalPen : FOriginalBrush);
  FSelected &= ~tool;
}

HDC TCanvas::RequireTools(int tools) {
  HDC dc = Handle();
  const int missing = tools & ~FSelected;
  if (missing & kFont) {
    FOriginalFont = SelectObject(dc, FFont->Handle());
    SetTextColor(dc, ColorToRGB(FFont->Color()) & 0xFFFFFF);
  }
  if (missing & kPen) {
    FOriginalPen = SelectObject(dc, FPen->Handle());
    SetROP2(dc, FPen->Mode() + R2_BLACK);
  }
  if (missing & kBrush) {
    FOriginalBrush = SelectObject(dc, FBrush->Handle());
    SetBkColor(dc, ColorToRGB(FBrush->Color()) & 0xFFFFFF);
    SetBkMode(dc, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
  }
  FSelected |= missing;
  return dc;
}

TPoint TCanvas::PenPos() {
  POINT p{};
  GetCurrentPositionEx(Handle(), &p);
  return TPoint{p.x, p.y};
}

TRect TCanvas::ClipRect() {
  RECT r{};
  GetClipBox(Handle(), &r);
  return TRect{r.left, r.top, r.right, r.bottom};
}

TColor TCanvas::Pixels(int x, int y) {
  return static_cast<TColor>(GetPixel(Handle(), x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  ChangeScope change(this);
  SetPixel(Handle(), x, y, ColorToRGB(color) & 0xFFFFFF);
}

void TCanvas::MoveTo(int x, int y) {
  MoveToEx(Handle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  ChangeScope change(this);
  ::LineTo(RequireTools(kPen | kBrush), x, y);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  ChangeScope change(this);
  ::Rectangle(RequireTools(kPen | kBrush), x1, y1, x2, y2);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  ChangeScope change(this);
  ::Ellipse(RequireTools(kPen | kBrush), x1, y1, x2, y2);
}

// TPoint has the layout of POINT (static-asserted below), so point arrays go to GDI as they are.
static_assert(sizeof(TPoint) == sizeof(POINT) && offsetof(TPoint, Y) == offsetof(POINT, y));

void TCanvas::Polygon(const TPoint* points, int count) {
  ChangeScope change(this);
  ::Polygon(RequireTools(kPen | kBrush), reinterpret_cast<const POINT*>(points), count);
}

void TCanvas::Polyline(const TPoint* points, int count) {
  ChangeScope change(this);
  ::Polyline(RequireTools(kPen | kBrush), reinterpret_cast<const POINT*>(points), count);
}

void TCanvas::FillRect(const TRect& rect) {
  ChangeScope change(this);
  const RECT r = ToRECT(rect);
  ::FillRect(RequireTools(kBrush), &r, FBrush->Handle());
}

void TCanvas::FrameRect(const TRect& rect) {
  ChangeScope change(this);
  const RECT r = ToRECT(rect);
  ::FrameRect(RequireTools(kBrush), &r, FBrush->Handle());
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  ChangeScope change(this);
  ::TextOutA(RequireTools(kFont | kBrush), x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
  ChangeScope change(this);
  const RECT r = ToRECT(rect);
  const UINT options = ETO_CLIPPED | (FBrush->Style() == bsSolid ? ETO_OPAQUE : 0);
  ExtTextOutA(RequireTools(kFont | kBrush), x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::TextRect(TRect& rect, const std::string& text, UINT format) {
  ChangeScope change(this);
  RECT r = ToRECT(rect);
  const int height = ::DrawTextA(RequireTools(kFont | kBrush), text.data(), static_cast<int>(text.size()), &r, format);
  rect = TRect{r.left, r.top, r.right, r.bottom};
  return height;
}

SIZE TCanvas::TextExtent(const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(RequireTools(kFont), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  ChangeScope change(this);
  RequireTools(kBrush);
  graphic->Draw(this, rect);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
  ChangeScope change(this);
  HDC target = RequireTools(kBrush);
  HDC from = canvas->Handle();
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, dest.Left, dest.Top, dest.Width(), dest.Height(), from, source.Left, source.Top, source.Width(),
             source.Height(), FCopyMode);
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
  if (!bitmap || bitmap->Empty()) return;
  ChangeScope change(this);
  HDC target = RequireTools(kBrush);
  HDC from = bitmap->Canvas()->Handle();
  // Mask: 1 where the bitmap has color (a blit to monochrome compares with the background colour).
  gdi::Object<HBITMAP> mask(
      static_cast<HBITMAP>(gdi::Track(gdi::Check(CreateBitmap(source.Width(), source.Height(), 1, 1, nullptr)))));
  gdi::MemoryDC maskDC;
  gdi::SelectGuard maskSelected(maskDC.Get(), mask.Get());
  const COLORREF oldBack = SetBkColor(from, ColorToRGB(color) & 0xFFFFFF);
  BitBlt(maskDC.Get(), 0, 0, source.Width(), source.Height(), from, source.Left, source.Top, SRCCOPY);
  SetBkColor(from, oldBack);
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, dest.Left, dest.Top, dest.Width(), dest.Height(), from, source.Left, source.Top, source.Width(),
             source.Height(), SRCCOPY);
  // Mask bits become all-ones and all-zeros in colour: text colour black for 0, background white for 1.
  const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
  const COLORREF oldBk = SetBkColor(target, RGB(255, 255, 255));
  StretchBlt(target, dest.Left, dest.Top, dest.Width(), dest.Height(), maskDC.Get(), 0, 0, source.Width(),
             source.Height(), kPaintBrushThroughMask);
  SetTextColor(target, oldText);
  SetBkColor(target, oldBk);
}

void TCanvas::Lock() {
  EnterCriticalSection(&FLock);
}

void TCanvas::Unlock() {
  LeaveCriticalSection(&FLock);
}

void TCanvas::Changing() {
  if (FOnChanging) FOnChanging(this);
}

void TCanvas::Changed() {
  if (FOnChange) FOnChange(this);
}

}  // namespace cl
