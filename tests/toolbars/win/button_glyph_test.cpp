// Button glyphs over real image lists: shared lists per size, the embossed disabled image pixel by pixel, the
// state columns of a multi-image glyph, image-list sources, and the rebuild after a system colour change.
#include "toolbars/button_glyph.h"

#include <gtest/gtest.h>

#include <functional>

#include "classlib/test/pump.h"
#include "classlib/win/forms.h"
#include "classlib/win/gdi.h"
#include "classlib/win/image_list.h"
#include "classlib/win/graphics_test_support.h"
#include "toolbars/glyph_list.h"

namespace tbr {
namespace {

using cl::Owned;
using cl::testing::Make;
using cl::testing::PixelAt;

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBackground = RGB(0, 0, 255);

// 0x00RRGGBB, as PixelAt reads.
uint32_t Rgb(COLORREF c) {
  return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}
uint32_t SystemRgb(cl::TColor color) {
  return Rgb(static_cast<COLORREF>(cl::ColorToRGB(color) & 0xFFFFFF));
}

// A 24-bit glyph of width x height on magenta (its bottom-left pixel), painted by paint(x, y) where it answers a
// colour other than CLR_INVALID.
Owned<cl::TBitmap> MakeGlyph(int width, int height, const std::function<COLORREF(int, int)>& paint) {
  Owned<cl::TBitmap> glyph = cl::testing::BlankBitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = paint(x, y);
      glyph->Canvas()->SetPixels(x, y, static_cast<cl::TColor>(c == CLR_INVALID ? kMagenta : c));
    }
  }
  return glyph;
}

// The test glyph of the disabled image: a black square, a dark red pixel, and white and silver ones.
bool InSquare(int x, int y) {
  return x >= 4 && x < 10 && y >= 4 && y < 10;
}
COLORREF ShapeGlyph(int x, int y) {
  if (InSquare(x, y)) return RGB(0, 0, 0);
  if (x == 12 && y == 3) return RGB(255, 255, 255);
  if (x == 12 && y == 5) return RGB(192, 192, 192);
  if (x == 12 && y == 7) return RGB(128, 0, 0);
  return CLR_INVALID;
}

// The state's image drawn at (0, 0) on a blue 24-bit bitmap.
Owned<cl::TBitmap> Draw(TButtonGlyph* glyph, TButtonDrawState state, int size = 17) {
  Owned<cl::TBitmap> target = cl::testing::BlankBitmap(size, size);
  target->Canvas()->Brush()->SetColor(static_cast<cl::TColor>(kBackground));
  target->Canvas()->FillRect(cl::Rect(0, 0, size, size));
  glyph->DrawGlyphImage(target->Canvas(), cl::Point(0, 0), state);
  return target;
}

class ButtonGlyphTest : public testing::Test {
 protected:
  void SetUp() override { imageListsBefore = cl::debug::ImageListCount(); }
  void TearDown() override {
    EXPECT_EQ(ExistingGlyphCache(), nullptr);
    EXPECT_EQ(cl::debug::ImageListCount(), imageListsBefore);
  }
  int imageListsBefore = 0;
};

// Where the embossed image is shadow (the raised pixels), highlight (one pixel down and right of them) or clear.
void ExpectEmbossed(cl::TBitmap& image, const std::function<bool(int, int)>& raised) {
  const uint32_t shadow = SystemRgb(cl::clBtnShadow);
  const uint32_t highlight = SystemRgb(cl::clBtnHighlight);
  ASSERT_NE(shadow, SystemRgb(cl::clBtnFace));
  ASSERT_NE(highlight, SystemRgb(cl::clBtnFace));
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 17; ++x) {
      const uint32_t expected = raised(x, y) ? shadow : raised(x - 1, y - 1) ? highlight : Rgb(kBackground);
      ASSERT_EQ(PixelAt(image, x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(ButtonGlyphTest, TheGeneratedDisabledImageSinksAllButLightAndTransparentPixels) {
  Owned<TButtonGlyph> glyph = Make<TButtonGlyph>();
  glyph->SetGlyph(MakeGlyph(16, 16, ShapeGlyph).get());
  EXPECT_EQ(glyph->NumGlyphs(), 1);
  const TButtonGlyph::StateImage image = glyph->BuildStateImage(bsDisabled);
  ASSERT_NE(image.List, nullptr);
  EXPECT_EQ(image.List->Width(), 17);
  EXPECT_EQ(image.List->Height(), 17);
  Owned<cl::TBitmap> drawn = Draw(glyph.get(), bsDisabled);
  ExpectEmbossed(*drawn, [](int x, int y) { return InSquare(x, y) || (x == 12 && y == 7); });
}

TEST_F(ButtonGlyphTest, TheOldStyleRaisesOnlyTheBlackPixels) {
  Owned<TButtonGlyph> glyph = Make<TButtonGlyph>();
  glyph->SetGlyph(MakeGlyph(16, 16, ShapeGlyph).get());
  glyph->SetOldDisabledStyle(true);
  Owned<cl::TBitmap> drawn = Draw(glyph.get(), bsDisabled);
  ExpectEmbossed(*drawn, InSquare);
}

TEST_F(ButtonGlyphTest, AGlyphMaskDecidesTransparencyInsteadOfTheCornerColour) {
  Owned<TButtonGlyph> glyph = Make<TButtonGlyph>();
  // A dark red glyph whose mask makes everything but the square transparent.
  glyph->SetGlyph(MakeGlyph(16, 16, [](int x, int y) -> COLORREF {
                    return x == 0 && y == 15 ? CLR_INVALID : RGB(128, 0, 0);
                  }).get());
  Owned<cl::TBitmap> mask =
      MakeGlyph(16, 16, [](int x, int y) -> COLORREF { return InSquare(x, y) ? RGB(0, 0, 0) : RGB(255, 255, 255); });
  glyph->SetGlyphMask(mask.get());
  Owned<cl::TBitmap> up = Draw(glyph.get(), bsUp, 16);
  EXPECT_EQ(PixelAt(*up, 5, 5), Rgb(RGB(128, 0, 0)));
  EXPECT_EQ(PixelAt(*up, 1, 1), Rgb(kBackground));
  Owned<cl::TBitmap> disabled = Draw(glyph.get(), bsDisabled);
  ExpectEmbossed(*disabled, InSquare);
}

TEST_F(ButtonGlyphTest, EachStateTakesItsColumnAndAGlyphsOwnDisabledCellIsRecoloured) {
  const COLORREF cellColors[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 160), RGB(255, 255, 0)};
  Owned<TButtonGlyph> glyph = Make<TButtonGlyph>();
  glyph->SetGlyph(MakeGlyph(64, 16, [&](int x, int y) -> COLORREF {
                    const int cx = x % 16;
                    if (cx == 0 && y == 15) return CLR_INVALID;
                    if (x / 16 == 1 && cx == 5 && y == 5) return RGB(255, 255, 255);
                    if (x / 16 == 1 && cx == 6 && y == 6) return RGB(128, 128, 128);
                    return cellColors[x / 16];
                  }).get());
  ASSERT_EQ(glyph->NumGlyphs(), 4);
  struct Case {
    TButtonDrawState State;
    COLORREF Centre;
  };
  for (const Case& c : {Case{bsUp, cellColors[0]}, Case{bsDisabled, cellColors[1]}, Case{bsPressed, cellColors[2]},
                        Case{bsExclusive, cellColors[3]}, Case{bsHot, cellColors[0]}}) {
    Owned<cl::TBitmap> drawn = Draw(glyph.get(), c.State);
    EXPECT_EQ(PixelAt(*drawn, 8, 8), Rgb(c.Centre)) << c.State;
    EXPECT_EQ(PixelAt(*drawn, 0, 15), Rgb(kBackground)) << c.State;
  }
  Owned<cl::TBitmap> disabled = Draw(glyph.get(), bsDisabled);
  EXPECT_EQ(PixelAt(*disabled, 5, 5), SystemRgb(cl::clBtnHighlight));
  EXPECT_EQ(PixelAt(*disabled, 6, 6), SystemRgb(cl::clBtnShadow));
  EXPECT_EQ(PixelAt(*disabled, 16, 8), Rgb(kBackground));  // the extra column is clear
  EXPECT_EQ(PixelAt(*disabled, 8, 16), Rgb(kBackground));
}

TEST_F(ButtonGlyphTest, GlyphsOfOneSizeShareAListWhoseSlotsAreReused) {
  Owned<TButtonGlyph> first = Make<TButtonGlyph>();
  Owned<TButtonGlyph> second = Make<TButtonGlyph>();
  Owned<TButtonGlyph> other = Make<TButtonGlyph>();
  first->SetGlyph(MakeGlyph(16, 16, ShapeGlyph).get());
  second->SetGlyph(MakeGlyph(32, 16, ShapeGlyph).get());  // two 16 x 16 images
  other->SetGlyph(MakeGlyph(20, 20, ShapeGlyph).get());
  TGlyphList* list = first->BuildStateImage(bsUp).List;
  EXPECT_EQ(second->BuildStateImage(bsPressed).List, list);
  EXPECT_NE(other->BuildStateImage(bsUp).List, list);
  EXPECT_EQ(ExistingGlyphCache()->ListCount(), 2);
  EXPECT_EQ(list->UseCount(), 2);
  const int count = list->Count();
  for (int round = 0; round < 3; ++round) {
    first->DropImages();
    first->BuildStateImage(bsUp);
  }
  EXPECT_EQ(list->Count(), count);
  // An image of another size has no place in the list: the slot it would take stays free.
  for (const cl::TPoint size : {cl::Point(15, 16), cl::Point(16, 17)}) {
    try {
      list->StoreMasked(cl::testing::BlankBitmap(size.X, size.Y).get(), cl::clDefault);
      ADD_FAILURE() << "no error";
    } catch (const cl::EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), "Invalid image size");
    }
  }
  EXPECT_EQ(list->UseCount(), 2);
  EXPECT_EQ(list->Count(), count);
  other.reset();
  EXPECT_EQ(ExistingGlyphCache()->ListCount(), 1);
}

TEST_F(ButtonGlyphTest, AnImageListPictureIsUsedWithItsMaskAndOneImageOnly) {
  Owned<cl::TImageList> images(cl::TImageList::CreateSize(16, 16));
  images->AddMasked(
      MakeGlyph(16, 16, [](int x, int y) -> COLORREF { return InSquare(x, y) ? RGB(255, 0, 0) : CLR_INVALID; }).get(),
      static_cast<cl::TColor>(kMagenta));
  Owned<TButtonGlyph> glyph = Make<TButtonGlyph>();
  glyph->SetGlyph(MakeGlyph(64, 16, ShapeGlyph).get());
  glyph->SetImages(images.get());
  EXPECT_EQ(glyph->NumGlyphs(), 1);
  EXPECT_EQ(glyph->BuildStateImage(bsUp).List, nullptr);  // no image chosen yet
  glyph->SetImageIndex(0);
  Owned<cl::TBitmap> up = Draw(glyph.get(), bsUp, 16);
  EXPECT_EQ(PixelAt(*up, 5, 5), Rgb(RGB(255, 0, 0)));
  EXPECT_EQ(PixelAt(*up, 1, 1), Rgb(kBackground));
  glyph->SetImageIndex(3);
  EXPECT_EQ(glyph->BuildStateImage(bsUp).List, nullptr);
  glyph->SetImages(nullptr);
}

TEST_F(ButtonGlyphTest, MoreImagesThanPixelsAcrossMeansNoGlyphAndNoFailure) {
  Owned<TButtonGlyph> glyph = Make<TButtonGlyph>();
  glyph->SetGlyph(MakeGlyph(3, 16, ShapeGlyph).get());
  glyph->SetNumGlyphs(5);
  EXPECT_EQ(glyph->NumGlyphs(), 5);
  EXPECT_EQ(glyph->BuildStateImage(bsDisabled).List, nullptr);
  Owned<cl::TBitmap> target = cl::testing::BlankBitmap(30, 20);
  glyph->DrawButton(target->Canvas(), cl::Rect(0, 0, 30, 20), TButtonGlyph::ButtonContent{});
  glyph->SetNumGlyphs(9);
  EXPECT_EQ(glyph->NumGlyphs(), 1);
}

TEST_F(ButtonGlyphTest, TheDropArrowIsATriangleRaisedWhenDisabled) {
  Owned<TButtonGlyph> glyph = Make<TButtonGlyph>();
  Owned<cl::TBitmap> target = cl::testing::BlankBitmap(12, 6);
  target->Canvas()->Font()->SetColor(cl::clBlack);
  glyph->DrawDropArrow(target->Canvas(), 0, 0, bsUp);
  for (cl::TPoint p : {cl::Point(4, 0), cl::Point(8, 0), cl::Point(6, 2)}) EXPECT_EQ(PixelAt(*target, p.X, p.Y), 0u);
  EXPECT_EQ(PixelAt(*target, 3, 0), 0xFFFFFFu);
  glyph->DrawDropArrow(target->Canvas(), 0, 0, bsDisabled);
  EXPECT_EQ(PixelAt(*target, 6, 2), SystemRgb(cl::clBtnShadow));
  EXPECT_EQ(PixelAt(*target, 7, 3), SystemRgb(cl::clBtnHighlight));
}

TEST_F(ButtonGlyphTest, BuildingAndDroppingImagesGivesBackEveryGdiObject) {
  Owned<TButtonGlyph> glyph = Make<TButtonGlyph>();
  glyph->SetGlyph(MakeGlyph(32, 16, ShapeGlyph).get());  // two images: a disabled one of its own
  Draw(glyph.get(), bsDisabled);                         // warm-up
  glyph->DropImages();
  const cl::debug::TGdiCounts before = cl::debug::GdiCounts();
  for (TButtonDrawState state : {bsUp, bsDisabled, bsPressed, bsExclusive, bsHot}) glyph->BuildStateImage(state);
  glyph->SetNumGlyphs(1);  // the generated disabled image, in both styles
  glyph->BuildStateImage(bsDisabled);
  glyph->SetOldDisabledStyle(true);
  glyph->BuildStateImage(bsDisabled);
  glyph->DropImages();
  EXPECT_EQ(cl::debug::GdiCounts(), before);
}

// A control showing a glyph, which drops its images when the system colours change, as a button does.
class TGlyphHost : public cl::TGraphicControl {
  CL_CLASS(TGlyphHost, cl::TGraphicControl)
 public:
  explicit TGlyphHost(cl::TComponent* owner) : cl::TGraphicControl(owner) {}
  void BeforeDestruction() override {
    cl::FreeAndNil(Glyph);
    inherited::BeforeDestruction();
  }
  TButtonGlyph* Glyph = cl::New<TButtonGlyph>();
  int ColourChanges = 0;

 protected:
  void Dispatch(cl::TMessage& message) override {
    if (message.Msg == cl::CM_SYSCOLORCHANGE) {
      ++ColourChanges;
      Glyph->DropImages();
    }
    inherited::Dispatch(message);
  }
};

TEST_F(ButtonGlyphTest, ASystemColourChangeRebuildsTheDisabledImageInTheNewColours) {
  const COLORREF oldHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  cl::TForm* form = cl::New<cl::TForm>(nullptr);
  TGlyphHost* host = cl::New<TGlyphHost>(form);
  host->SetParent(form);
  form->HandleNeeded();
  host->Glyph->SetGlyph(MakeGlyph(16, 16, ShapeGlyph).get());
  EXPECT_EQ(PixelAt(*Draw(host->Glyph, bsDisabled), 10, 10), Rgb(oldHighlight));

  const INT element = COLOR_BTNHIGHLIGHT;
  const COLORREF green = RGB(0, 200, 0);
  SetSysColors(1, &element, &green);
  cl::test::PumpUntil([&] { return host->ColourChanges > 0; }, 2000);
  EXPECT_EQ(host->ColourChanges, 1);
  EXPECT_EQ(PixelAt(*Draw(host->Glyph, bsDisabled), 10, 10), Rgb(green));

  SetSysColors(1, &element, &oldHighlight);
  cl::test::PumpUntil([&] { return host->ColourChanges > 1; }, 2000);
  form->Free();
}

}  // namespace
}  // namespace tbr
