// Canvas, drawing tools, colours and the GDI object counts.
#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "classlib/win/colors.h"
#include "graphics_test_support.h"

namespace cl {
namespace {

using testing::BlankBitmap;
using testing::Make;
using testing::PatternBitmap;
using testing::PixelAt;
using testing::StreamOf;

// One cycle of everything a drawing routine does with a bitmap and its canvas.
void DrawCycle(TBitmap& target) {
  Owned<TBitmap> bitmap = PatternBitmap(16, 16, pf8bit);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Font()->SetStyle({fsBold});
  canvas->Font()->SetColor(clRed);
  canvas->Pen()->SetStyle(psDash);
  canvas->Pen()->SetColor(clBlue);
  canvas->Brush()->SetStyle(bsCross);
  canvas->Rectangle(1, 1, 15, 15);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(Rect(2, 2, 6, 6));
  canvas->TextOut(0, 0, "x");
  canvas->MoveTo(0, 0);
  canvas->LineTo(15, 15);
  bitmap->Handle();  // hand-off and back
  target.Canvas()->Draw(0, 0, bitmap.get());
  target.Canvas()->StretchDraw(Rect(0, 0, 8, 8), bitmap.get());
  target.Canvas()->CopyRect(Rect(8, 8, 12, 12), canvas, Rect(0, 0, 4, 4));
  target.Canvas()->BrushCopy(Rect(0, 8, 4, 12), bitmap.get(), Rect(0, 0, 4, 4), clWhite);
}

TEST(GdiCounts, ThousandCreateDrawFreeCyclesLeaveNothing) {
  Owned<TBitmap> target = BlankBitmap(32, 32);
  DrawCycle(*target);  // warm up: the target's canvas and tools now exist
  const debug::TGdiCounts baseline = debug::GdiCounts();
  for (int i = 0; i < 1000; ++i) DrawCycle(*target);
  EXPECT_EQ(debug::GdiCounts(), baseline);
  target.reset();
  EXPECT_LT(debug::GdiCounts().Total(), baseline.Total());
}

TEST(GdiCounts, FailedLoadsAndToolChangesLeaveNothing) {
  Owned<TBitmap> bitmap = BlankBitmap(4, 4);
  bitmap->Canvas()->FillRect(Rect(0, 0, 4, 4));
  bitmap->Canvas()->LineTo(3, 3);
  const debug::TGdiCounts baseline = debug::GdiCounts();
  for (int i = 0; i < 50; ++i) {
    Owned<TMemoryStream> junk = StreamOf({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 9});
    EXPECT_THROW(bitmap->LoadFromStream(*junk), EInvalidGraphic);
    bitmap->Canvas()->Pen()->SetWidth(1 + i % 3);  // replaces the selected pen
    bitmap->Canvas()->LineTo(3, 3);
  }
  EXPECT_EQ(debug::GdiCounts(), baseline);
}

TEST(Canvas, PrimitivesPaintWithTheirTools) {
  Owned<TBitmap> bitmap = BlankBitmap(20, 20);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clRed);
  canvas->FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(PixelAt(*bitmap, 9, 9), 0xFF0000u);
  EXPECT_EQ(PixelAt(*bitmap, 10, 10), 0xFFFFFFu);
  canvas->Brush()->SetColor(clBlue);
  canvas->FrameRect(Rect(10, 10, 20, 20));
  EXPECT_EQ(PixelAt(*bitmap, 10, 15), 0x0000FFu);
  EXPECT_EQ(PixelAt(*bitmap, 15, 15), 0xFFFFFFu);
  // An inside-frame pen of width 3 stays inside the rectangle.
  canvas->Pen()->SetStyle(psInsideFrame);
  canvas->Pen()->SetWidth(3);
  canvas->Pen()->SetColor(clLime);
  canvas->Brush()->SetStyle(bsClear);
  canvas->Rectangle(0, 11, 9, 20);
  EXPECT_EQ(PixelAt(*bitmap, 0, 15), 0x00FF00u);
  EXPECT_EQ(PixelAt(*bitmap, 8, 15), 0x00FF00u);
  EXPECT_EQ(PixelAt(*bitmap, 9, 15), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(*bitmap, 4, 15), 0xFFFFFFu);  // clear brush: the inside stays
  // pmNot inverts what is under the line.
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetMode(pmNot);
  canvas->MoveTo(0, 5);
  canvas->LineTo(20, 5);
  EXPECT_EQ(PixelAt(*bitmap, 3, 5), 0x00FFFFu);
  EXPECT_EQ(PixelAt(*bitmap, 15, 5), 0u);
  EXPECT_GT(canvas->TextWidth("Hello"), canvas->TextWidth("H"));
  // TextRect paints its opaque background only inside the rectangle.
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clYellow);
  canvas->TextRect(Rect(12, 0, 16, 4), 12, 0, "WWWW");
  EXPECT_EQ(PixelAt(*bitmap, 16, 1), 0xFFFFFFu);
  EXPECT_GT(canvas->TextHeight("H"), 0);
  // Formatted text measures its extent.
  TRect measured = Rect(0, 0, 100, 0);
  EXPECT_EQ(canvas->TextRect(measured, "Hello", DT_CALCRECT | DT_SINGLELINE), canvas->TextHeight("Hello"));
  EXPECT_EQ(measured.Width(), canvas->TextWidth("Hello"));
}

TEST(Canvas, DrawStretchDrawAndCopyRect) {
  Owned<TBitmap> source = BlankBitmap(2, 2);
  source->Canvas()->SetPixels(0, 0, clRed);
  Owned<TBitmap> target = BlankBitmap(10, 10);
  target->Canvas()->Draw(1, 1, nullptr);  // nothing, no error
  target->Canvas()->StretchDraw(Rect(0, 0, 4, 4), nullptr);
  target->Canvas()->StretchDraw(Rect(0, 0, 4, 4), source.get());
  EXPECT_EQ(PixelAt(*target, 1, 1), 0xFF0000u);
  EXPECT_EQ(PixelAt(*target, 2, 2), 0xFFFFFFu);
  target->Canvas()->Draw(6, 6, source.get());
  EXPECT_EQ(PixelAt(*target, 6, 6), 0xFF0000u);
  EXPECT_EQ(PixelAt(*target, 7, 6), 0xFFFFFFu);
  target->Canvas()->CopyRect(Rect(8, 0, 10, 2), source->Canvas(), Rect(0, 0, 2, 2));
  EXPECT_EQ(PixelAt(*target, 8, 0), 0xFF0000u);
}

TEST(Canvas, DrawingFiresTheBitmapsOnChange) {
  Owned<TBitmap> bitmap = BlankBitmap(4, 4);
  int changes = 0;
  bitmap->SetOnChange([&](TObject*) { ++changes; });
  bitmap->Canvas()->FillRect(Rect(0, 0, 2, 2));
  bitmap->Canvas()->TextOut(0, 0, "a");
  EXPECT_EQ(changes, 2);
  // A handler that raises reaches the caller; the drawing's objects are released all the same.
  bitmap->Canvas()->Rectangle(0, 0, 1, 1);  // the canvas's pen now exists
  const debug::TGdiCounts before = debug::GdiCounts();
  bitmap->SetOnChange([](TObject*) { throw EAbort(); });
  EXPECT_THROW(bitmap->Canvas()->Rectangle(0, 0, 3, 3), EAbort);
  EXPECT_EQ(debug::GdiCounts(), before);
  Owned<TCanvas> bare = Make<TCanvas>();
  EXPECT_THROW(bare->Handle(), EInvalidOperation);
}

TEST(Tools, FontDefaultsHandleAndOneNotificationPerChange) {
  Owned<TFont> font = Make<TFont>();
  EXPECT_EQ(font->Name(), "MS Sans Serif");
  EXPECT_EQ(font->Size(), 8);
  EXPECT_EQ(font->Height(), -MulDiv(8, font->PixelsPerInch(), 72));
  int changes = 0;
  font->SetOnChange([&](TObject*) { ++changes; });
  font->SetSize(12);
  font->SetSize(12);
  font->SetStyle({fsItalic});
  EXPECT_EQ(changes, 2);
  font->SetHandle(static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)));
  LOGFONTA stock{};
  GetObjectA(GetStockObject(ANSI_VAR_FONT), sizeof stock, &stock);
  EXPECT_EQ(font->Name(), stock.lfFaceName);
  EXPECT_EQ(font->Height(), stock.lfHeight);
  Owned<TFont> copy = Make<TFont>();
  copy->Assign(font.get());
  EXPECT_EQ(copy->Name(), font->Name());
  EXPECT_NE(copy->Handle(), font->Handle());
}

TEST(Tools, PenAndBrushCopyAndNotifyOnlyOnChange) {
  Owned<TPen> pen = Make<TPen>();
  int changes = 0;
  pen->SetOnChange([&](TObject*) { ++changes; });
  pen->SetColor(clBlack);  // the default: no change
  pen->SetStyle(psDot);
  pen->SetMode(pmXor);
  EXPECT_EQ(changes, 2);
  Owned<TPen> copy = Make<TPen>();
  copy->Assign(pen.get());
  EXPECT_EQ(copy->Style(), psDot);
  EXPECT_EQ(copy->Mode(), pmXor);
  Owned<TBrush> brush = Make<TBrush>();
  brush->SetStyle(bsClear);
  EXPECT_EQ(brush->Handle(), GetStockObject(NULL_BRUSH));
  brush->SetColor(clRed);  // a colour makes a clear brush paint again
  EXPECT_EQ(brush->Style(), bsSolid);
  EXPECT_THROW(copy->Assign(brush.get()), EConvertError);
}

TEST(Colors, SystemColoursNamesAndText) {
  EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToString(clRed), "clRed");
  EXPECT_EQ(ColorToString(clSilver), "clSilver");
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(StringToColor("CLWINDOW"), clWindow);
  EXPECT_EQ(StringToColor("$00123456"), 0x123456);
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}

}  // namespace
}  // namespace cl
