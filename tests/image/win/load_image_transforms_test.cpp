// TLoadImage transforms: every quarter turn, flip and inversion moves the pixels exactly, for pictures held in DIB
// sections (BMP files: changed directly) and in device bitmaps (PNG files: through the format library, on true-colour
// and on palette displays); the transform properties act only while an image is loaded and only for the values that
// trigger them; turns by an angle, brightness and contrast, resampling, height changes and fit to width.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "classlib/test/responder.h"
#include "classlib/win/gdi.h"
#include "classlib/win/picture.h"
#include "formatlib/core/errors.h"
#include "load_image_test_support.h"

namespace img {
namespace {

using namespace testing;

constexpr cl::TRect kZero{};
constexpr int kWidth = 5;
constexpr int kHeight = 3;

// The image control as a palette display (8 bits per pixel) would run it: the format library's bitmap routines.
class TPaletteDisplayImage : public TLoadImage {
  CL_CLASS(TPaletteDisplayImage, TLoadImage)
 public:
  explicit TPaletteDisplayImage(cl::TComponent* owner) : TLoadImage(owner) { FScreenDepth = 8; }
};

// A BMP file loads into a DIB section, a PNG file into a device bitmap.
Owned<TLoadImage> LoadedControl(int displayDepth, const std::string& name, int width, int height) {
  const std::string path = ScratchPath(name);
  if (name.ends_with(".png")) {
    WritePatternPng(path, width, height);
  } else {
    WritePatternBmp(path, width, height);
  }
  Owned<TLoadImage> control =
      displayDepth <= 8 ? Owned<TLoadImage>(Make<TPaletteDisplayImage>(nullptr).release()) : Make<TLoadImage>(nullptr);
  control->ChangeFile(path);
  EXPECT_FALSE(control->ImageError()) << control->StatusText();
  return control;
}

Pixels Shown(TLoadImage& control) {
  return PixelsOf(control.Picture()->Bitmap());
}

// True when the shown picture is width x height and pixel (x, y) is the pattern at source(x, y).
bool ShowsMapped(TLoadImage& control, int width, int height, const std::function<uint32_t(int, int)>& expected) {
  const Pixels pixels = Shown(control);
  if (pixels.Width != width || pixels.Height != height) return false;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (pixels.At(x, y) != expected(x, y)) return false;
  return true;
}

struct TransformCase {
  const char* name;
  void (*apply)(TLoadImage&);
  bool turns;                          // width and height swap
  uint32_t (*expected)(int x, int y);  // the pattern's colour at the new (x, y)
};

const TransformCase kTransforms[] = {
    {"RotateRight90", [](TLoadImage& c) { c.RotateRight90(true); }, true,
     [](int x, int y) { return PatternColor(y, kHeight - 1 - x); }},
    {"RotateIt270", [](TLoadImage& c) { c.RotateIt270(true); }, true,
     [](int x, int y) { return PatternColor(kWidth - 1 - y, x); }},
    {"RotateIt180", [](TLoadImage& c) { c.RotateIt180(true); }, false,
     [](int x, int y) { return PatternColor(kWidth - 1 - x, kHeight - 1 - y); }},
    {"FlipitH", [](TLoadImage& c) { c.FlipitH(true); }, false,
     [](int x, int y) { return PatternColor(kWidth - 1 - x, y); }},
    {"FlipitV", [](TLoadImage& c) { c.FlipitV(true); }, false,
     [](int x, int y) { return PatternColor(x, kHeight - 1 - y); }},
    {"InvertTheBitMap", [](TLoadImage& c) { c.InvertTheBitMap(true); }, false,
     [](int x, int y) { return ~PatternColor(x, y) & 0xFFFFFFu; }},
};

struct Road {
  int displayDepth;
  const char* fileName;
};

class TransformTest : public ::testing::TestWithParam<Road> {};

TEST_P(TransformTest, EveryTransformMovesThePixelsExactly) {
  for (const TransformCase& transform : kTransforms) {
    SCOPED_TRACE(transform.name);
    Owned<TLoadImage> control = LoadedControl(GetParam().displayDepth, GetParam().fileName, kWidth, kHeight);
    transform.apply(*control);
    const int width = transform.turns ? kHeight : kWidth, height = transform.turns ? kWidth : kHeight;
    EXPECT_TRUE(ShowsMapped(*control, width, height, transform.expected));
    EXPECT_EQ(control->Width(), width);
    EXPECT_EQ(control->Height(), height);
  }
}

INSTANTIATE_TEST_SUITE_P(Roads, TransformTest,
                         ::testing::Values(Road{32, "turn.bmp"}, Road{32, "turn.png"}, Road{8, "turn.png"},
                                           Road{8, "turn.bmp"}));

// Each turn after the first draws into the sections the one before replaced (the working bitmap and its shown
// copy): pixels stay exact through every size swap, also shown fitted, and nothing leaks.
TEST(RepeatedTurnTest, TurnsBackAndForthStayExactAndLeakNothing) {
  const auto original = [](int x, int y) { return PatternColor(x, y); };
  const auto half = [](int x, int y) { return PatternColor(kWidth - 1 - x, kHeight - 1 - y); };
  for (bool fitted : {false, true}) {
    SCOPED_TRACE(fitted ? "fitted" : "actual size");
    Owned<TLoadImage> control = LoadedControl(32, "again.bmp", kWidth, kHeight);
    control->SetFitWindow(fitted);
    const auto shows = [&](int width, int height, uint32_t (*expected)(int, int)) {
      if (!fitted) return ShowsMapped(*control, width, height, expected);
      control->SetFitWindow(false);  // compared at actual size, then shown fitted again
      const bool exact = ShowsMapped(*control, width, height, expected);
      control->SetFitWindow(true);
      return exact;
    };
    cl::debug::TGdiCounts before;
    for (int i = 0; i < 4; ++i) {
      if (i == 1) before = cl::debug::GdiCounts();  // after a first round has made what the control keeps
      control->RotateIt270(true);
      EXPECT_TRUE(shows(kHeight, kWidth, kTransforms[1].expected)) << i;
      control->RotateRight90(true);
      EXPECT_TRUE(shows(kWidth, kHeight, original)) << i;
    }
    EXPECT_EQ(cl::debug::GdiCounts(), before);
    control->RotateRight90(true);
    control->RotateRight90(true);
    EXPECT_TRUE(shows(kWidth, kHeight, half));
  }
}

TEST(TransformGatingTest, NothingHappensWhileNoImageIsLoaded) {
  Owned<TLoadImage> control = LoadedControl(32, "gated.bmp", kWidth, kHeight);
  // A second control clears the unit-wide loaded flag for the first, as does a paste.
  Owned<TLoadImage> second = Make<TLoadImage>(nullptr);
  for (const TransformCase& transform : kTransforms) transform.apply(*control);
  control->ScaleIt(200);
  EXPECT_TRUE(ShowsPattern(Shown(*control)));
  EXPECT_EQ(control->ReScale(), 100);
  // Loading again lets them act.
  control->ChangeFile(ScratchPath("gated.bmp"));
  control->InvertTheBitMap(false);
  EXPECT_EQ(Shown(*control).At(0, 0), ~PatternColor(0, 0) & 0xFFFFFFu);
}

TEST(TransformGatingTest, WhichWrittenValuesTriggerATransform) {
  Owned<TLoadImage> control = LoadedControl(32, "values.bmp", kWidth, kHeight);
  control->RotateRight90(false);
  control->RotateIt180(false);
  EXPECT_TRUE(ShowsPattern(Shown(*control)));

  control->FlipitH(false);  // False flips too
  control->FlipitH(true);
  EXPECT_TRUE(ShowsPattern(Shown(*control)));
  control->RotateIt270(false);
  control->RotateIt270(false);
  control->FlipitV(false);
  control->InvertTheBitMap(false);
  control->InvertTheBitMap(true);
  EXPECT_TRUE(ShowsMapped(*control, kWidth, kHeight,
                          [](int x, int y) { return PatternColor(kWidth - 1 - x, y); }));  // 180 then flip V

  control->RotateIt180(true);
  EXPECT_FALSE(control->Rotate180());  // set back once done
  EXPECT_FALSE(control->RotateCW90());
  EXPECT_TRUE(control->Invert());
}

TEST(TransformGatingTest, TheViewersNegativeIsTheInvertedPicture) {
  Owned<TLoadImage> control = LoadedControl(32, "negative.bmp", kWidth, kHeight);
  control->FlipitH(true);
  control->FlipitH(true);
  control->InvertTheBitMap(true);
  EXPECT_TRUE(ShowsMapped(*control, kWidth, kHeight, [](int x, int y) { return ~PatternColor(x, y) & 0xFFFFFFu; }));
}

TEST(TurnByAngleTest, QuarterTurnDeclaresANewImage) {
  Owned<TLoadImage> control = LoadedControl(32, "angle.bmp", kWidth, kHeight);
  ASSERT_TRUE(control->Rotate(-90, 0));  // negative: clockwise
  EXPECT_EQ(control->ImageFileName(), "xxx.tif");
  EXPECT_TRUE(ShowsMapped(*control, kHeight, kWidth, kTransforms[0].expected));
  ASSERT_TRUE(control->SkewImage(0, 0));
  EXPECT_TRUE(ShowsMapped(*control, kHeight, kWidth, kTransforms[0].expected));
}

TEST(TurnByAngleTest, AFailedTurnKeepsThePicture) {
  // Turned by 45 degrees, a 60000 x 2 picture would need a square of 42000 pixels a side: beyond the budget.
  Owned<TLoadImage> control = LoadedControl(32, "long.bmp", 60000, 2);
  const std::string name = control->ImageFileName();
  EXPECT_FALSE(control->Rotate(45, 0));
  control->ReDraw(kZero, false, true);
  EXPECT_EQ(control->Picture()->Width(), 60000);
  EXPECT_EQ(control->ImageFileName(), name);
  EXPECT_TRUE(ShowsPattern(Shown(*control)));
}

TEST(BrightnessTest, ZeroKeepsThePictureAndPositiveBrightens) {
  Owned<TLoadImage> control = LoadedControl(32, "bright.bmp", 16, 8);
  ASSERT_TRUE(control->ChangeBrightnessandContrast(0, 0));
  EXPECT_TRUE(ShowsPattern(Shown(*control)));
  ASSERT_TRUE(control->ChangeBrightnessandContrast(50, 0));
  const Pixels pixels = Shown(*control);
  for (int x = 0; x < 16; ++x) EXPECT_GT(pixels.At(x, 4) & 0xFF, PatternColor(x, 4) & 0xFF);
}

TEST(BrightnessTest, RepeatedChangesLeakNoGdiObjects) {
  Owned<TLoadImage> control = LoadedControl(32, "repeat.bmp", 40, 30);
  ASSERT_TRUE(control->ChangeBrightnessandContrast(1, 1));  // warm: palette and canvas exist
  const cl::debug::TGdiCounts before = cl::debug::GdiCounts();
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(control->ChangeBrightnessandContrast(i % 2 ? 5 : -5, 0));
  EXPECT_EQ(cl::debug::GdiCounts(), before);
}

TEST(ScaleItTest, SizesStepUpToMultiplesOfEightAndTheShownPictureWaits) {
  Owned<TLoadImage> control = LoadedControl(32, "scale.bmp", 100, 50);
  control->ScaleIt(100);
  EXPECT_EQ(control->ReScale(), 100);
  EXPECT_EQ(control->Picture()->Width(), 100);  // not shown again
  control->ReDraw(kZero, false, true);
  EXPECT_EQ(control->Picture()->Width(), 104);
  EXPECT_EQ(control->Picture()->Height(), 56);

  control->ScaleIt(0);
  control->ScaleIt(-5);
  EXPECT_EQ(control->ReScale(), 100);
  control->ReDraw(kZero, false, true);
  EXPECT_EQ(control->Picture()->Width(), 104);
}

TEST(ScaleItTest, AHugeZoomIsRefusedAndKeepsThePicture) {
  Owned<TLoadImage> control = LoadedControl(32, "zoom.bmp", 1000, 1000);
  control->ScaleIt(1000);  // 10008 x 10008 pixels: above the budget
  EXPECT_TRUE(control->ImageError());
  EXPECT_EQ(control->StatusText(), fl::ErrorText(fl::kImageTooLarge));
  control->ReDraw(kZero, false, true);
  EXPECT_EQ(control->Picture()->Width(), 1000);
  EXPECT_TRUE(ShowsPattern(Shown(*control)));
}

TEST(HeightChangeTest, ExpandDoublesAndSqueezeHalves) {
  Owned<TLoadImage> control = LoadedControl(32, "height.bmp", 8, 6);
  control->SetExpand(true);
  EXPECT_EQ(control->Picture()->Height(), 12);
  control->Squeeze();
  control->Squeeze();
  EXPECT_EQ(control->Picture()->Height(), 3);
  control->SetExpand(false);
  EXPECT_EQ(control->Picture()->Height(), 3);

  Owned<TLoadImage> row = LoadedControl(32, "row.bmp", 8, 1);
  row->Squeeze();  // one row has no half to keep
  EXPECT_EQ(row->Picture()->Height(), 1);
}

TEST(DisplayOptionTest, FitWidthMakesABoxOfTheScrollBoxWidth) {
  Owned<TLoadImage> control = LoadedControl(32, "tall.bmp", 200, 400);
  control->SetFitWidth(true);  // no scroll box width yet: only stored
  int top = 0, left = 0, width = 0, height = 0;
  control->GetDesignedSize(top, left, width, height);
  EXPECT_EQ(width, 160);

  control->SetScrollBoxW(304);
  control->SetFitWidth(true);
  control->GetDesignedSize(top, left, width, height);
  EXPECT_EQ(width, 300);
  EXPECT_EQ(height, 558);
  EXPECT_FALSE(control->FitWindow());
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(10, 0, 280, 560));  // scale 558/400, sides stepped up to eights

  Owned<TLoadImage> low = LoadedControl(32, "low.bmp", 400, 20);
  low->SetScrollBoxW(304);
  low->SetFitWidth(true);
  low->GetDesignedSize(top, left, width, height);
  EXPECT_EQ(height, 1);
}

TEST(DisplayOptionTest, FitWindowCropAndTheMonochromeStretchModes) {
  Owned<TLoadImage> control = LoadedControl(32, "fit.bmp", 100, 50);
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(30, 55, 100, 50));
  control->SetFitWindow(true);
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(0, 36, 168, 88));
  EXPECT_FALSE(control->FitWidth());
  control->SetCropped(true);
  EXPECT_TRUE(control->Crop());
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(0, 36, 168, 88));  // the zero rectangle crops nothing
}

TEST(DisplayOptionTest, MoreWhiteAndMoreBlackChooseWhatAShrunkMonochromePictureKeeps) {
  const std::string path = ScratchPath("stripes.bmp");
  Owned<cl::TBitmap> stripes = Make<cl::TBitmap>();
  stripes->SetPixelFormat(cl::pf1bit);
  stripes->SetSize(480, 96);
  stripes->Canvas()->Brush()->SetColor(0);
  for (int x = 0; x < 480; x += 2) stripes->Canvas()->FillRect(cl::Rect(x, 0, x + 1, 96));
  stripes->SaveToFile(path);
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  control->ChangeFile(path);
  control->SetFitWindow(true);  // a third of the width: each shown pixel stands for black and white ones
  const auto whiteShare = [&] {
    const Pixels pixels = Shown(*control);
    return static_cast<double>(std::count(pixels.Colors.begin(), pixels.Colors.end(), 0xFFFFFFu)) /
           static_cast<double>(pixels.Colors.size());
  };
  control->SetMoreWhite(true);
  EXPECT_GT(whiteShare(), 0.9);
  control->SetMoreBlack(true);
  EXPECT_LT(whiteShare(), 0.1);
  control->SetMoreWhite(true);  // and MoreBlack goes off, else its mode would still win
  EXPECT_GT(whiteShare(), 0.9);
}

}  // namespace
}  // namespace img
