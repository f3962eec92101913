// TLoadImage's operations that no program calls but the control offers: gray levels, a grid, a text at a display
// point, a tab below the picture, TIFF tags, and the copy of another window that comes to the front.
#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/picture.h"
#include "classlib/win/timer.h"
#include "image_host_form.h"
#include "load_image_test_support.h"

namespace img {
namespace {

using namespace testing;

constexpr cl::TRect kZero{};

Owned<TLoadImage> Loaded(const std::string& name, int width, int height) {
  const std::string path = ScratchPath(name);
  WritePatternBmp(path, width, height);
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  control->ChangeFile(path);
  return control;
}

Pixels Shown(TLoadImage& control) {
  return PixelsOf(control.Picture()->Bitmap());
}

int CountColor(const Pixels& pixels, uint32_t color, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) count += pixels.At(x, y) == color ? 1 : 0;
  return count;
}

// Pixels of the area that no longer show the pattern.
int CountChanged(const Pixels& pixels, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) count += pixels.At(x, y) != PatternColor(x, y) ? 1 : 0;
  return count;
}

TEST(DrawingAidsTest, GrayscaleGivesGrayPixelsAndWaitsForALoadedImage) {
  Owned<TLoadImage> control = Loaded("gray.bmp", 32, 24);
  ASSERT_TRUE(control->MakeIntoGrayscale());
  const Pixels pixels = Shown(*control);
  ASSERT_EQ(pixels.Width, 32);
  for (uint32_t color : pixels.Colors) {
    EXPECT_EQ(color & 0xFF, (color >> 8) & 0xFF);
    EXPECT_EQ(color & 0xFF, (color >> 16) & 0xFF);
  }
  Owned<TLoadImage> second = Make<TLoadImage>(nullptr);  // clears the unit-wide loaded flag
  EXPECT_TRUE(control->MakeIntoGrayscale());             // nothing to do: true at once
}

TEST(DrawingAidsTest, GridLinesCarryTheirPositions) {
  Owned<TLoadImage> control = Loaded("grid.bmp", 250, 150);
  control->AddGrid();
  const Pixels pixels = Shown(*control);
  // Dashed lines in the pen's black down x = 100 and 200 and across y = 100; none down x = 150.
  EXPECT_GT(CountColor(pixels, 0, 100, 30, 101, 150), 30);
  EXPECT_GT(CountColor(pixels, 0, 200, 30, 201, 150), 30);
  EXPECT_GT(CountColor(pixels, 0, 30, 100, 250, 101), 60);
  EXPECT_EQ(CountColor(pixels, 0, 150, 30, 151, 99), 0);
}

TEST(DrawingAidsTest, AnnotationGoesToTheImagePointUnderTheDisplayPoint) {
  Owned<TLoadImage> control = Loaded("note.bmp", 200, 100);
  control->ResetFile(ScratchPath("note.bmp"), kZero, false, false);  // fitted: scale 0.8
  control->PlaceAnnotation(80, 40, "W");
  control->ReDraw(kZero, false, true);
  const Pixels pixels = Shown(*control);
  // The text starts at (99, 49) of the picture (the stored 0.8 lies a little above 0.8): it covers the pattern
  // right of and below that point, and nothing above or to the left.
  EXPECT_GT(CountChanged(pixels, 99, 49, 130, 75), 20);
  EXPECT_EQ(CountChanged(pixels, 60, 20, 99, 49), 0);
  EXPECT_EQ(CountChanged(pixels, 60, 49, 99, 75), 0);
  control->PlaceAnnotation(0, 0, "none");  // x + y of 0: nothing
  control->ReDraw(kZero, false, true);
  EXPECT_EQ(Shown(*control).Colors, pixels.Colors);
}

TEST(DrawingAidsTest, TabSqueezesThePictureAboveARectangle) {
  Owned<TLoadImage> control = Loaded("tab.bmp", 40, 40);
  control->MakeTab(10);
  const Pixels pixels = Shown(*control);
  ASSERT_EQ(pixels.Height, 40);
  EXPECT_EQ(pixels.At(20, 30), 0x000000u);  // the rectangle's top edge in the pen's black
  EXPECT_EQ(pixels.At(20, 35), 0xFFFFFFu);  // filled with the brush's white
  EXPECT_EQ(pixels.At(20, 39), 0x000000u);
}

TEST(DrawingAidsTest, TagsGoIntoTiffPagesCountedFromOne) {
  const std::string tiff = ScratchPath("tagged.tif");
  WritePatternTiffPages(tiff, 8, 8, 2);
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  constexpr uint16_t kImageDescription = 270, kAscii = 2;
  EXPECT_TRUE(control->AddTag(tiff, 2, kImageDescription, kAscii, "second page", 0));
  EXPECT_FALSE(control->AddTag(tiff, 3, kImageDescription, kAscii, "no such page", 0));
  EXPECT_FALSE(control->AddTag(ScratchPath("missing.tif"), 1, kImageDescription, kAscii, "x", 0));
}

TEST(DrawingAidsTest, TheWindowThatComesToTheFrontBecomesThePicture) {
  TImageHostForm* own = nullptr;
  cl::Application->CreateForm(own);
  own->Show();
  SetForegroundWindow(own->Handle());
  cl::test::PumpFor(50);
  TImageHostForm* other = nullptr;
  cl::Application->CreateForm(other);
  other->SetCaption("The other window");
  other->SetBounds(300, 200, 250, 180);
  constexpr cl::TColor kClientColor = RGB(0, 200, 0);
  constexpr uint32_t kClientRgb = 0x00C800;
  other->SetColor(kClientColor);
  cl::TTimer* timer = cl::Make<cl::TTimer>(own, "Timer");
  timer->SetInterval(50);
  timer->SetOnTimer(cl::TNotifyEvent([&](cl::TObject*) {
    timer->SetEnabled(false);
    other->Show();
    UpdateWindow(other->Handle());
    SetForegroundWindow(other->Handle());
  }));
  std::string title;
  own->Image1->GetOtherWindow(title);
  EXPECT_EQ(title, "The other window");
  EXPECT_EQ(own->Image1->ImageFileName(), "xxx.tif");
  own->Image1->ReDraw(kZero, false, true);
  EXPECT_EQ(own->Image1->Picture()->Width(), 250);
  EXPECT_EQ(own->Image1->Picture()->Height(), 180);
  // The whole window, frame included: its client area lies where it lies in the window, not at the top left.
  RECT window{};
  GetWindowRect(other->Handle(), &window);
  POINT client{0, 0};
  ClientToScreen(other->Handle(), &client);
  const Pixels pixels = Shown(*own->Image1);
  EXPECT_NE(pixels.At(0, 0), kClientRgb);
  EXPECT_EQ(pixels.At(client.x - window.left + 3, client.y - window.top + 3), kClientRgb);
  cl::Free(other);
  cl::Free(own);
}

}  // namespace
}  // namespace img
