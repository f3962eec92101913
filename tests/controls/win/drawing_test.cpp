// The drawing procedures on real device contexts: blit flags, clips, border frames, gradients, BMP images, effects.
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/core/bmp_codec.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/forms.h"
#include "classlib/win/gdi.h"
#include "classlib/win/icon.h"
#include "classlib/win/screen.h"
#include "controls/bitmap_drawing.h"
#include "controls/bmp_image.h"
#include "controls/border_frames.h"
#include "controls/ctl_application.h"
#include "controls/gradients.h"
#include "controls/window_effects.h"

namespace {

using namespace ctl;
using cl::Rect;
using cl::TColor;

cl::Owned<cl::TBitmap> Filled(int width, int height, TColor color) {
  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf24bit);
  FillBitmap(bitmap.get(), Rect(0, 0, width, height), color);
  return bitmap;
}

TColor At(cl::TBitmap* bitmap, int x, int y) {
  return bitmap->Canvas()->Pixels(x, y);
}

// A 4 x 4 red source with its left half green.
cl::Owned<cl::TBitmap> HalfGreen() {
  cl::Owned<cl::TBitmap> source = Filled(4, 4, cl::clRed);
  source->Canvas()->Brush()->SetColor(cl::clLime);
  source->Canvas()->FillRect(Rect(0, 0, 2, 4));
  return source;
}

class DrawingTest : public testing::Test {
 protected:
  void SetUp() override {
    InitControlLibrary();
    gdiBefore = cl::debug::GdiCounts();
  }
  void TearDown() override { EXPECT_EQ(cl::debug::GdiCounts(), gdiBefore) << "GDI objects left behind"; }
  cl::debug::TGdiCounts gdiBefore;
};

TEST_F(DrawingTest, TransparentColourLeavesTheDestination) {
  cl::Owned<cl::TBitmap> dest = Filled(10, 10, cl::clBlue);
  cl::Owned<cl::TBitmap> source = HalfGreen();
  DrawBitmap(dest->Canvas(), Rect(2, 2, 6, 6), source.get(), cl::clLime, dfTransparent);
  EXPECT_EQ(At(dest.get(), 2, 3), cl::clBlue);
  EXPECT_EQ(At(dest.get(), 3, 3), cl::clBlue);
  EXPECT_EQ(At(dest.get(), 4, 3), cl::clRed);
  EXPECT_EQ(At(dest.get(), 5, 5), cl::clRed);
  EXPECT_EQ(At(dest.get(), 6, 6), cl::clBlue);
}

TEST_F(DrawingTest, ReadyMaskKeepsTheDestinationWhereItIsWhite) {
  cl::Owned<cl::TBitmap> dest = Filled(10, 10, cl::clBlue);
  // The source is black where the mask is white, as a masked image must be.
  cl::Owned<cl::TBitmap> source = Filled(4, 4, cl::clYellow);
  source->Canvas()->Brush()->SetColor(cl::clBlack);
  source->Canvas()->FillRect(Rect(0, 0, 4, 2));
  cl::Owned<cl::TBitmap> mask = Filled(4, 4, cl::clBlack);
  mask->Canvas()->Brush()->SetColor(cl::clWhite);
  mask->Canvas()->FillRect(Rect(0, 0, 4, 2));
  mask->SetMonochrome(true);
  DrawBitmapRect(dest->Canvas(), Rect(0, 0, 4, 4), source->Canvas(), mask.get(), 0, dfMasked, Rect(0, 0, 4, 4));
  EXPECT_EQ(At(dest.get(), 1, 0), cl::clBlue);
  EXPECT_EQ(At(dest.get(), 1, 3), cl::clYellow);
}

TEST_F(DrawingTest, BrushCopyPaintsTheBitmapsOwnTransparentColourWithTheBrush) {
  cl::Owned<cl::TBitmap> dest = Filled(10, 10, cl::clBlue);
  cl::Owned<cl::TBitmap> source = HalfGreen();  // bottom-left pixel green: its transparent colour
  DrawBitmap(dest->Canvas(), Rect(0, 0, 4, 4), source.get(), cl::clWhite, dfBrushCopy);
  EXPECT_EQ(At(dest.get(), 0, 0), cl::clWhite);
  EXPECT_EQ(At(dest.get(), 3, 0), cl::clRed);
}

TEST_F(DrawingTest, TilesPassTheRectangleUnlessClipped) {
  cl::Owned<cl::TBitmap> tile = Filled(10, 10, cl::clRed);
  for (bool clipped : {false, true}) {
    cl::Owned<cl::TBitmap> dest = Filled(60, 60, cl::clWhite);
    DrawBitmap(dest->Canvas(), Rect(5, 5, 30, 30), tile.get(), 0, dfTile | (clipped ? dfClip : 0));
    EXPECT_EQ(At(dest.get(), 29, 29), cl::clRed);
    EXPECT_EQ(At(dest.get(), 40, 40), clipped ? cl::clWhite : cl::clRed) << clipped;
    EXPECT_EQ(At(dest.get(), 4, 4), cl::clWhite);
  }
}

TEST_F(DrawingTest, ClipKeepsTheCallersClipAndHonoursAMovedOrigin) {
  cl::Owned<cl::TBitmap> tile = Filled(10, 10, cl::clRed);
  cl::Owned<cl::TBitmap> dest = Filled(60, 60, cl::clWhite);
  HDC dc = dest->Canvas()->Handle();
  IntersectClipRect(dc, 0, 0, 20, 60);
  SetViewportOrgEx(dc, 10, 10, nullptr);
  // Logical (0, 0, 25, 25) is device (10, 10, 35, 35); the caller's clip ends at device x 20.
  DrawBitmap(dest->Canvas(), Rect(0, 0, 25, 25), tile.get(), 0, dfTile | dfClip);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(At(dest.get(), 19, 19), cl::clRed);
  EXPECT_EQ(At(dest.get(), 12, 30), cl::clRed);    // inside the destination only once the origin is honoured
  EXPECT_EQ(At(dest.get(), 25, 19), cl::clWhite);  // outside the caller's clip
  EXPECT_EQ(At(dest.get(), 15, 36), cl::clWhite);  // outside the moved destination
  // The caller's clip is still there afterwards.
  dest->Canvas()->Brush()->SetColor(cl::clBlue);
  dest->Canvas()->FillRect(Rect(0, 0, 60, 60));
  EXPECT_EQ(At(dest.get(), 10, 50), cl::clBlue);
  SelectClipRgn(dest->Canvas()->Handle(), nullptr);
  EXPECT_EQ(At(dest.get(), 30, 50), cl::clWhite);
}

TEST_F(DrawingTest, ClippedDrawingMovesTheClipByThePackedOffset) {
  cl::Owned<cl::TBitmap> tile = Filled(10, 10, cl::clRed);
  cl::Owned<cl::TBitmap> dest = Filled(60, 60, cl::clWhite);
  DrawBitmapClipped(dest->Canvas(), Rect(0, 0, 30, 30), tile.get(), 0, (20u << 16) | 10u, dfTile | dfClip);
  EXPECT_EQ(At(dest.get(), 5, 25), cl::clWhite);   // left of the moved clip
  EXPECT_EQ(At(dest.get(), 15, 25), cl::clRed);    // inside both
  EXPECT_EQ(At(dest.get(), 15, 10), cl::clWhite);  // above the moved clip
}

TEST_F(DrawingTest, StretchAndProportionalFit) {
  cl::Owned<cl::TBitmap> source = Filled(20, 10, cl::clRed);
  cl::Owned<cl::TBitmap> dest = Filled(40, 40, cl::clWhite);
  DrawBitmap(dest->Canvas(), Rect(0, 0, 40, 40), source.get(), 0, dfStretch | dfProportional);
  EXPECT_EQ(At(dest.get(), 39, 19), cl::clRed);
  EXPECT_EQ(At(dest.get(), 39, 20), cl::clWhite);
}

// Each style against its DrawEdge calls made by hand.
TEST_F(DrawingTest, BorderFramesAreTheirDrawEdgeSequences) {
  // A DrawEdge call, or a move of the rectangle's edges by Flags pixels.
  constexpr UINT kMoveTopLeft = 0x10000, kMoveBottomRight = 0x10001;
  struct Call {
    UINT Edge, Flags;
  };
  struct Case {
    TCtlBorderStyle Style;
    std::vector<Call> Calls;
    cl::TRect Final;
  };
  const UINT x = BF_MIDDLE;
  const Case cases[] = {
      {lsNone, {}, Rect(4, 4, 36, 36)},
      {lsSingle, {{BDR_SUNKENOUTER, x | 0x3003}, {BDR_RAISEDOUTER, 0x000C}}, Rect(5, 5, 36, 36)},
      {lsLowered, {{EDGE_SUNKEN, x | 0x300F}}, Rect(6, 6, 34, 34)},
      {lsRaised, {{EDGE_RAISED, x | 0x300F}}, Rect(6, 6, 34, 34)},
      {lsRaisedspb, {{BDR_RAISEDOUTER, x | 0x300F}, {BDR_RAISEDINNER, 0x200C}}, Rect(5, 5, 34, 34)},
      {lsLoweredspb, {{BDR_SUNKENOUTER, x | 0x200F}, {BDR_SUNKENINNER, x | 0x2003}}, Rect(6, 6, 35, 35)},
      {lsRaisedExt, {{BDR_RAISEDOUTER, x | 0x300F}, {BDR_RAISEDINNER, 0x200C}, {kMoveTopLeft, 1}}, Rect(6, 6, 34, 34)},
      {lsLoweredExt,
       {{BDR_SUNKENOUTER, x | 0x200F}, {BDR_SUNKENINNER, 0x2003}, {kMoveBottomRight, 1}},
       Rect(6, 6, 34, 34)},
      {lsFrameInset, {{EDGE_ETCHED, x | 0x200F}}, Rect(6, 6, 34, 34)},
      {lsFrameOffset, {{BDR_RAISEDINNER, x | 0x200F}, {BDR_SUNKENOUTER, x | 0x200F}}, Rect(6, 6, 34, 34)},
      {lsWindowBorder,
       {{BDR_RAISEDOUTER, x | 0x200C}, {kMoveTopLeft, 1}, {BDR_RAISEDINNER, x | 0x200F}},
       Rect(6, 6, 34, 34)},
      {lsSingleRaised, {{BDR_RAISEDINNER, x | 0x200F}}, Rect(5, 5, 35, 35)},
      {lsSingleLowered, {{BDR_SUNKENOUTER, x | 0x200F}}, Rect(5, 5, 35, 35)},
      {lsDoubleRaised, {{BDR_RAISEDINNER, x | 0x200F}, {BDR_RAISEDINNER, x | 0x200F}}, Rect(6, 6, 34, 34)},
      {lsDoubleLowered, {{BDR_SUNKENOUTER, x | 0x200F}, {BDR_SUNKENOUTER, x | 0x200F}}, Rect(6, 6, 34, 34)},
  };
  for (const Case& c : cases) {
    cl::Owned<cl::TBitmap> drawn = Filled(40, 40, cl::clFuchsia);
    cl::Owned<cl::TBitmap> expected = Filled(40, 40, cl::clFuchsia);
    cl::TRect rect = Rect(4, 4, 36, 36);
    DrawBorderFrame(drawn->Canvas(), rect, c.Style, x);
    EXPECT_EQ(rect, c.Final) << "style " << c.Style;
    RECT r{4, 4, 36, 36};
    HDC dc = expected->Canvas()->Handle();
    for (const Call& call : c.Calls) {
      if (call.Edge == kMoveTopLeft) {
        r.left += call.Flags;
        r.top += call.Flags;
      } else if (call.Edge == kMoveBottomRight) {
        r.right -= call.Flags;
        r.bottom -= call.Flags;
      } else {
        DrawEdge(dc, &r, call.Edge, call.Flags);
      }
    }
    int differing = 0;
    for (int py = 0; py < 40; ++py)
      for (int px = 0; px < 40; ++px) differing += At(drawn.get(), px, py) != At(expected.get(), px, py);
    EXPECT_EQ(differing, 0) << "style " << c.Style;
  }
}

TEST_F(DrawingTest, GradientBandsCarryTheirColours) {
  const std::vector<TColor> colors = {cl::clBlack, 0x000055, 0x0000AA, cl::clRed};
  for (TDrawFlags flags : {TDrawFlags{0}, dfOffScreen, dfClip}) {
    cl::Owned<cl::TBitmap> dest = Filled(100, 40, cl::clWhite);
    DrawGradient(dest->Canvas(), Rect(10, 0, 90, 40), 0, 0, flags, nullptr, colors);
    for (int band = 0; band < 4; ++band) EXPECT_EQ(At(dest.get(), 20 + band * 20, 20), colors[band]) << flags;
    EXPECT_EQ(At(dest.get(), 5, 20), cl::clWhite);
    EXPECT_EQ(At(dest.get(), 95, 20), cl::clWhite);
  }
  cl::Owned<cl::TBitmap> rows = Filled(20, 40, cl::clWhite);
  FillGradient(rows->Canvas(), Rect(0, 0, 20, 40), cl::clBlack, 0, 0, 1, 2, cl::clBlue);
  EXPECT_EQ(At(rows.get(), 10, 10), cl::clBlack);
  EXPECT_EQ(At(rows.get(), 10, 30), cl::clBlue);
}

TEST_F(DrawingTest, GradientOfSystemColoursAndOfOneColour) {
  cl::Owned<cl::TBitmap> dest = Filled(30, 10, cl::clWhite);
  FillGradient(dest->Canvas(), Rect(0, 0, 30, 10), cl::clBtnFace, 0, dfPalette, 0, 3, cl::clRed);
  EXPECT_EQ(At(dest.get(), 2, 5), cl::ColorToRGB(cl::clBtnFace));
  EXPECT_EQ(At(dest.get(), 28, 5), cl::clRed);
  FillGradient(dest->Canvas(), Rect(0, 0, 30, 10), 0x123456, 0, 0, 0, 1, cl::clWhite);
  EXPECT_EQ(At(dest.get(), 15, 5), 0x123456);
  std::vector<TColor> list;
  MakeGradientColors(cl::clWindow, cl::clWindow, 2, list);
  EXPECT_EQ(list, (std::vector<TColor>{cl::ColorToRGB(cl::clWindow), cl::ColorToRGB(cl::clWindow)}));
  EXPECT_FALSE(CreatePaletteFromList({}));
  cl::gdi::Object<HPALETTE> palette = CreatePaletteFromList(list);
  EXPECT_TRUE(palette);
}

TEST_F(DrawingTest, BmpImagesPutTheirBitsAfterTheColourTable) {
  cl::Owned<cl::TBitmap> bitmap = HalfGreen();
  struct Case {
    int Colors, Bits;
    size_t Offset;
  };
  for (const Case& c : {Case{0, 24, 54}, Case{256, 8, 54 + 1024}, Case{16, 4, 54 + 64}, Case{2, 1, 54 + 8}}) {
    const std::vector<uint8_t> image = BitmapToBMPImage(bitmap->Handle(), bitmap->Palette(), c.Colors);
    ASSERT_GT(image.size(), 54u);
    EXPECT_EQ(image[0], 'B');
    EXPECT_EQ(image[28], c.Bits);
    EXPECT_EQ(image[10] | image[11] << 8, static_cast<int>(c.Offset)) << c.Colors;
    EXPECT_EQ(image[2] | image[3] << 8, static_cast<int>(image.size()));
    const cl::bmp::TDibImage read = cl::bmp::ReadBmp(image.data(), image.size());
    EXPECT_EQ(read.Width, 4);
    EXPECT_EQ(read.BitCount, c.Bits);
  }
  EXPECT_THROW(BitmapToBMPImage(nullptr, nullptr, 0), cl::EInvalidGraphic);
}

TEST_F(DrawingTest, StreamsCarryTheImageWithOrWithoutItsSize) {
  cl::Owned<cl::TBitmap> bitmap = HalfGreen();
  cl::Owned<cl::TMemoryStream> sized = cl::MakeOwned<cl::TMemoryStream>();
  WriteBitmapImage(*sized, bitmap->Handle(), nullptr, 0, true);
  const auto* bytes = static_cast<const uint8_t*>(sized->Memory());
  EXPECT_EQ(bytes[0] | bytes[1] << 8, sized->Size() - 4);
  EXPECT_EQ(bytes[4], 'B');
  bitmap->SetMonochrome(true);
  cl::Owned<cl::TMemoryStream> plain = cl::MakeOwned<cl::TMemoryStream>();
  WriteBitmapAtColors(*plain, bitmap.get(), 256);
  EXPECT_EQ(plain->Position(), 0);
  EXPECT_EQ(static_cast<const uint8_t*>(plain->Memory())[28], 1);  // monochrome stays at 2 colours
}

TEST_F(DrawingTest, IconOnAColour) {
  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  cl::Owned<cl::TIcon> icon = cl::MakeOwned<cl::TIcon>();
  icon->SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
  IconToBitmap(bitmap.get(), icon.get(), cl::clFuchsia);
  EXPECT_EQ(bitmap->Width(), icon->Width());
  EXPECT_EQ(bitmap->Height(), icon->Height());
}

TEST_F(DrawingTest, ZoomEffectsLeaveTheScreenAsItWas) {
  cl::Owned<cl::TBitmap> before = Filled(200, 200, cl::clWhite);
  cl::Owned<cl::TBitmap> after = Filled(200, 200, cl::clWhite);
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 150, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  SetCursorPos(10, 10);
  {
    cl::gdi::WindowDC screen(nullptr);
    BitBlt(before->Canvas()->Handle(), 0, 0, 200, 200, screen.Get(), 0, 0, SRCCOPY);
  }
  CtlApplication->SetEffectSpeed(1);
  ExplodeWindow(window);
  ExplodeWindowExt(window);
  {
    cl::gdi::WindowDC screen(nullptr);
    BitBlt(after->Canvas()->Handle(), 0, 0, 200, 200, screen.Get(), 0, 0, SRCCOPY);
  }
  CtlApplication->SetEffectSpeed(3);
  DestroyWindow(window);
  int differing = 0;
  for (int y = 0; y < 200; y += 3)
    for (int x = 0; x < 200; x += 3) differing += At(before.get(), x, y) != At(after.get(), x, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(DrawingTest, FormsCentreOverTheirOwnerOrOnTheScreen) {
  cl::Owned<cl::TForm> owner = cl::Owned<cl::TForm>(cl::New<cl::TForm>(nullptr));
  cl::Owned<cl::TForm> form = cl::Owned<cl::TForm>(cl::New<cl::TForm>(nullptr));
  owner->SetBounds(100, 100, 400, 300);
  form->SetBounds(0, 0, 200, 100);
  EXPECT_EQ(CenterFormOver(owner.get(), form.get(), false), 0);
  EXPECT_EQ(form->Left(), 200);
  EXPECT_EQ(form->Top(), 200);
  CenterOnScreen(form.get());
  EXPECT_EQ(form->Left(), (cl::Screen->Width() - 200) / 2);
  EXPECT_EQ(form->Top(), (cl::Screen->Height() - 100) / 2);
}

}  // namespace
