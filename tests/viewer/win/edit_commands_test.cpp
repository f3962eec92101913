// The editing commands of an image window through their handlers, with the real image control and dialogs: the
// pixels and size each leaves in the working copy, the selection with crop, copy and paste, zoom and fit.
#include <gtest/gtest.h>

#include <functional>

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/gdi.h"
#include "classlib/win/menus.h"
#include "classlib/win/stdctrls.h"
#include "frame_fixture.h"
#include "image/load_image.h"
#include "viewer/adjust_form.h"
#include "viewer/core/gray_palette.h"
#include "viewer/core/zoom_steps.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/glyph_spin.h"
#include "viewer/pref_form.h"
#include "viewer/rk_buttons.h"
#include "viewer/rotate_form.h"
#include "viewer/settings.h"
#include "support/real_input.h"
#include "support/screenshot.h"

namespace viewer {
namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 32;

// Every pixel differs from every other.
cl::TColor SourceColor(int x, int y) {
  return RGB(x * 6, y * 7, 250 - x * 3 - y);
}

struct Pixels {
  int Width = 0;
  int Height = 0;
  std::vector<cl::TColor> Values;
  cl::TColor At(int x, int y) const { return Values[y * Width + x]; }
  bool operator==(const Pixels&) const = default;
};

Pixels ReadBitmap(cl::TBitmap* bitmap) {
  Pixels pixels{bitmap->Width(), bitmap->Height(), {}};
  for (int y = 0; y < pixels.Height; ++y)
    for (int x = 0; x < pixels.Width; ++x) pixels.Values.push_back(bitmap->Canvas()->Pixels(x, y));
  return pixels;
}

Pixels ReadBmp(const std::string& name) {
  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  bitmap->LoadFromFile(name);
  return ReadBitmap(bitmap.get());
}

// The source transformed: each pixel of a width x height result comes from source(from(x, y)).
Pixels Mapped(const Pixels& source, int width, int height, const std::function<POINT(int, int)>& from) {
  Pixels result{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const POINT p = from(x, y);
      result.Values.push_back(source.At(p.x, p.y));
    }
  return result;
}

Pixels Recoloured(Pixels pixels, const std::function<cl::TColor(cl::TColor)>& colour) {
  for (cl::TColor& value : pixels.Values) value = colour(value);
  return pixels;
}

std::vector<uint8_t> DisplayGreys() {
  HDC screen = GetDC(nullptr);
  const int bits =
      GrayPaletteBits((GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0, GetDeviceCaps(screen, COLORRES),
                      GetDeviceCaps(screen, BITSPIXEL), GetDeviceCaps(screen, PLANES));
  ReleaseDC(nullptr, screen);
  return GrayPaletteLevels(GrayPaletteSize(bits));
}

class EditCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NewFrame();
    FrameForm->HandleNeeded();
    RotateFrm = cl::New<TRotateFrm>(nullptr);
    AdjustFrm = cl::New<TAdjustFrm>(nullptr);
    PrefFrm = cl::New<TPrefFrm>(nullptr);
    PrefFrm->CheckBox1->SetChecked(false);
    PrefFrm->CheckBox2->SetChecked(false);
    FSource = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\distinct.bmp";
    cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
    bitmap->SetPixelFormat(cl::pf24bit);
    bitmap->SetSize(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) bitmap->Canvas()->SetPixels(x, y, SourceColor(x, y));
    bitmap->SaveToFile(FSource);
    FOriginal = ReadBmp(FSource);
  }
  void TearDown() override {
    for (TEditForm* window : ImageWindows()) window->Free();
    for (cl::TForm* dialog :
         {static_cast<cl::TForm*>(RotateFrm), static_cast<cl::TForm*>(AdjustFrm), static_cast<cl::TForm*>(PrefFrm)})
      if (dialog) dialog->Free();
    cl::FreeAndNil(FrameForm);
  }

  TEditForm* Opened() {
    TEditForm* window = cl::New<TEditForm>(FrameForm);
    window->Open(FSource);
    window->Show();
    return window;
  }
  static Pixels WorkingCopy(TEditForm* window) { return ReadBmp(window->Document().WorkFile()); }
  // The modal dialogs answer as if the given button was pressed on what the test set in them.
  void AnswerDialogs(int result) {
    FResponder.OnModal = [result](cl::TForm& form) {
      if (&form == AdjustFrm) {
        // The adjust dialog's buttons set its own flag, as a press would.
        return cl::seam::ModalAnswer::RunScript([result] {
          if (result == cl::mrOk)
            AdjustFrm->RkOkButton1->Click();
          else
            AdjustFrm->RkCancelButton1->Click();
        });
      }
      return cl::seam::ModalAnswer::Return(result);
    };
  }
  void ChooseRotation(int direction, cl::TRadioButton* degrees, const std::string& free = "") {
    RotateFrm->RadioGroup1->SetItemIndex(direction);
    degrees->SetChecked(true);
    RotateFrm->Edit1->SetText(free);
  }
  static void PutOnClipboard(int width, int height, cl::TColor colour) {
    cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
    bitmap->SetPixelFormat(cl::pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(colour);
    bitmap->Canvas()->FillRect(cl::Rect(0, 0, width, height));
    cl::Clipboard()->Assign(bitmap.get());
  }

  std::string FSource;
  Pixels FOriginal;
  cl::test::Responder FResponder;
};

TEST_F(EditCommandsTest, EachTransformLeavesTheExactPixelsInTheWorkingCopyAndMarksTheWindowChanged) {
  const Pixels& s = FOriginal;
  const int w = kWidth, h = kHeight;
  const auto invert = [](cl::TColor c) { return static_cast<cl::TColor>(~c & 0xFFFFFF); };
  struct Case {
    const char* Name;
    std::function<void(TEditForm*)> Run;
    Pixels Expected;
  };
  const auto rotation = [this](int direction, int degrees) {
    return [this, direction, degrees](TEditForm* window) {
      cl::TRadioButton* buttons[] = {RotateFrm->RadioButton1, RotateFrm->RadioButton2, RotateFrm->RadioButton3};
      ChooseRotation(direction, buttons[degrees / 90 - 1]);
      window->Rotate1Click(nullptr);
    };
  };
  const Case cases[] = {
      {"flip", [](TEditForm* window) { window->Flip1Click(nullptr); },
       Mapped(s, w, h,
              [w](int x, int y) {
                return POINT{w - 1 - x, y};
              })},
      {"mirror", [](TEditForm* window) { window->Mirror1Click(nullptr); },
       Mapped(s, w, h,
              [h](int x, int y) {
                return POINT{x, h - 1 - y};
              })},
      {"negative", [](TEditForm* window) { window->NegativeImage1Click(nullptr); }, Recoloured(s, invert)},
      {"right 90", rotation(0, 90),
       Mapped(s, h, w,
              [h](int x, int y) {
                return POINT{y, h - 1 - x};
              })},
      {"right 180", rotation(0, 180),
       Mapped(s, w, h,
              [w, h](int x, int y) {
                return POINT{w - 1 - x, h - 1 - y};
              })},
      {"right 270", rotation(0, 270),
       Mapped(s, h, w,
              [w](int x, int y) {
                return POINT{w - 1 - y, x};
              })},
      {"left 90", rotation(1, 90),
       Mapped(s, h, w,
              [w](int x, int y) {
                return POINT{w - 1 - y, x};
              })},
  };
  AnswerDialogs(cl::mrOk);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.Name);
    TEditForm* window = Opened();
    test.Run(window);
    EXPECT_TRUE(window->Document().Modified());
    EXPECT_EQ(WorkingCopy(window), test.Expected);
    EXPECT_EQ(window->Image1->Picture()->Width(), test.Expected.Width);
    window->Free();
  }
}

TEST_F(EditCommandsTest, BrightnessAndContrastPassTheRoundedBoxValuesInTheirOrder) {
  // What the image control makes of brightness 20 and contrast -30 on the same picture.
  img::TLoadImage* reference = cl::New<img::TLoadImage>(FrameForm);
  reference->ChangeFile(FSource);
  ASSERT_TRUE(reference->ChangeBrightnessandContrast(20, -30));
  const Pixels expected = ReadBitmap(reference->Picture()->Bitmap());
  reference->Free();

  TEditForm* window = Opened();
  AdjustFrm->SpinEdit1->SetText("20");
  AdjustFrm->SpinEdit2->SetText("-30");
  AnswerDialogs(cl::mrOk);
  window->AdjustBrightnessContratsSaturation1Click(nullptr);
  EXPECT_EQ(WorkingCopy(window), expected);
  EXPECT_EQ(AdjustFrm->SpinEdit1->Text(), "20");  // kept for the next use
}

TEST_F(EditCommandsTest, CancelInTheRotateAndAdjustDialogsKeepsThePictureButMarksTheWindowChanged) {
  AnswerDialogs(cl::mrCancel);
  ChooseRotation(0, RotateFrm->RadioButton2);
  AdjustFrm->SpinEdit1->SetText("50");
  for (auto command : {&TEditForm::Rotate1Click, &TEditForm::AdjustBrightnessContratsSaturation1Click}) {
    TEditForm* window = Opened();
    (window->*command)(nullptr);
    EXPECT_TRUE(window->Document().Modified());
    EXPECT_EQ(WorkingCopy(window), FOriginal);
    window->Free();
  }
  EXPECT_FALSE(AdjustFrm->AdjustAccepted());
}

TEST_F(EditCommandsTest, AFreeAngleThatIsNoNumberRaisesAndAFailedTurnIsReportedWithoutWriting) {
  AnswerDialogs(cl::mrOk);
  TEditForm* window = Opened();
  ChooseRotation(1, RotateFrm->RadioButton4, "ten");
  EXPECT_THROW(window->Rotate1Click(nullptr), cl::EConvertError);
  EXPECT_FALSE(window->Document().Modified());

  // A window without a picture cannot be turned.
  TEditForm* empty = cl::New<TEditForm>(FrameForm);
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  ChooseRotation(1, RotateFrm->RadioButton4, "45");
  empty->Rotate1Click(nullptr);
  ASSERT_EQ(FResponder.MessageDlgs.size(), 1u);
  EXPECT_EQ(FResponder.MessageDlgs[0].Text, "unable to rotate");
  EXPECT_FALSE(empty->Document().Modified());
  EXPECT_FALSE(cl::FileExists(empty->Document().WorkFile()));
}

TEST_F(EditCommandsTest, GrayscaleGivesEachPixelTheDisplayPalettesGreyNearestItsGreyValue) {
  const std::vector<uint8_t> greys = DisplayGreys();
  const std::vector<uint16_t> nearest = NearestGrayIndexes(greys);
  const Pixels expected = Recoloured(FOriginal, [&](cl::TColor c) {
    const uint8_t grey = greys[nearest[GrayOfColor(GetRValue(c), GetGValue(c), GetBValue(c))]];
    return static_cast<cl::TColor>(RGB(grey, grey, grey));
  });
  TEditForm* window = Opened();
  window->Grayscale1Click(nullptr);
  EXPECT_TRUE(window->Document().Modified());
  EXPECT_EQ(WorkingCopy(window), expected);
}

TEST_F(EditCommandsTest, ABackgroundGrayscaleDefersACloseAskedMeanwhileUntilItEnds) {
  PrefFrm->CheckBox2->SetChecked(true);
  TEditForm* window = Opened();
  // The close question comes only once the grey picture is in the working copy.
  bool greyWhenAsked = false;
  FResponder.OnMessageBox = [&](const cl::test::MessageBoxCall&) {
    const cl::TColor first = WorkingCopy(window).At(0, 0);
    greyWhenAsked = GetRValue(first) == GetGValue(first) && GetGValue(first) == GetBValue(first);
    return IDNO;
  };
  // Handled by the conversion's first look at the messages.
  PostMessage(window->Handle(), WM_CLOSE, 0, 0);
  window->Grayscale1Click(nullptr);
  ASSERT_EQ(FResponder.MessageBoxes.size(), 1u);
  EXPECT_TRUE(greyWhenAsked);
  cl::test::PumpUntil([] { return ImageWindows().empty(); }, 2000);
  EXPECT_TRUE(ImageWindows().empty());
}

TEST_F(EditCommandsTest, ACloseAskedDuringAFailedBackgroundGrayscaleStillCloses) {
  PrefFrm->CheckBox2->SetChecked(true);
  TEditForm* window = Opened();
  // A folder in the working copy's place fails the grayscale after its first look at the messages.
  const std::string workFile = window->Document().WorkFile();
  ASSERT_TRUE(DeleteFileA(workFile.c_str()) && CreateDirectoryA(workFile.c_str(), nullptr));
  FResponder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDNO; };
  PostMessage(window->Handle(), WM_CLOSE, 0, 0);
  EXPECT_THROW(window->Grayscale1Click(nullptr), cl::Exception);
  RemoveDirectoryA(workFile.c_str());
  cl::test::PumpUntil([] { return ImageWindows().empty(); }, 2000);
  EXPECT_TRUE(ImageWindows().empty());
}

TEST_F(EditCommandsTest, CropKeepsTheSelectionWithItsLastRowAndColumnWhileCopyTakesItsWidthAndHeight) {
  TEditForm* window = Opened();
  window->SelectArea1Click(nullptr);
  ASSERT_TRUE(window->Selecting());
  // The image control is smaller than the window: the band is its middle half.
  const cl::TRect band = window->Image1->CropBand();
  EXPECT_EQ(band, cl::Rect(kWidth / 4, kHeight / 4, kWidth * 3 / 4, kHeight * 3 / 4));

  window->Copy1Click(nullptr);
  EXPECT_TRUE(window->Selecting());
  cl::Owned<cl::TBitmap> copied = cl::MakeOwned<cl::TBitmap>();
  copied->Assign(cl::Clipboard());
  const Pixels part = Mapped(FOriginal, band.Width(), band.Height(), [&](int x, int y) {
    return POINT{band.Left + x, band.Top + y};
  });
  EXPECT_EQ(ReadBitmap(copied.get()), part);

  window->SelectArea1Click(nullptr);
  window->Crop1Click(nullptr);
  EXPECT_FALSE(window->Selecting());
  EXPECT_TRUE(window->Document().Modified());
  EXPECT_EQ(WorkingCopy(window), Mapped(FOriginal, band.Width() + 1, band.Height() + 1, [&](int x, int y) {
              return POINT{band.Left + x, band.Top + y};
            }));
}

// The frame picked up just inside its top-left handle and moved with the system's mouse until it hangs over the
// picture's edge: Crop takes the part of the picture inside the frame.
TEST_F(EditCommandsTest, CropTakesThePartOfThePictureInsideAFrameMovedOverTheEdgeWithTheMouse) {
  FrameForm->SetBounds(0, 0, 640, 480);
  // Showing the frame opens the test program's own command line: a name that does not exist, which is reported.
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  FrameForm->Show();
  for (TEditForm* window : ImageWindows()) window->Free();
  struct Case {
    int Dx, Dy;
  };
  for (const Case move : {Case{15, 12}, Case{-15, -12}}) {
    SCOPED_TRACE(std::to_string(move.Dx) + "," + std::to_string(move.Dy));
    TEditForm* window = Opened();
    cl::test::PumpFor(100);
    window->SelectArea1Click(nullptr);
    const cl::TRect band = window->Image1->CropBand();
    const cl::TPoint grip = window->Image1->ClientToScreen(cl::Point(band.Left + 2, band.Top + 2));
    using B = testsupport::LeftButton;
    const int x = grip.X, y = grip.Y, dx = move.Dx, dy = move.Dy;
    testsupport::PlayMouse({{x, y},
                            {x, y, B::Press},
                            {x + dx / 3, y + dy / 3},
                            {x + dx * 2 / 3, y + dy * 2 / 3},
                            {x + dx, y + dy},
                            {x + dx, y + dy, B::Release}},
                           [] { cl::Application->ProcessMessages(); });
    const cl::TRect moved = window->Image1->CropBand();
    ASSERT_EQ(moved, cl::Rect(band.Left + move.Dx, band.Top + move.Dy, band.Right + move.Dx, band.Bottom + move.Dy));
    window->Crop1Click(nullptr);
    // The frame is drawn around the band's last column and row.
    const int left = std::max(moved.Left, 0), top = std::max(moved.Top, 0);
    const int right = std::min(moved.Right, kWidth - 1), bottom = std::min(moved.Bottom, kHeight - 1);
    EXPECT_EQ(WorkingCopy(window), Mapped(FOriginal, right - left + 1, bottom - top + 1, [&](int x, int y) {
                return POINT{left + x, top + y};
              }));
    window->Free();
  }
}

TEST_F(EditCommandsTest, CopyWithoutASelectionTakesTheWholePictureAndPasteMakesAChangedUntitledWindowOfIt) {
  TEditForm* window = Opened();
  window->Copy1Click(nullptr);
  TEditForm* pasted = PasteAsNewImage(FrameForm);
  ASSERT_NE(pasted, nullptr);
  EXPECT_TRUE(pasted->Caption().starts_with("Untitled"));
  EXPECT_TRUE(pasted->Document().Modified());
  EXPECT_EQ(WorkingCopy(pasted), FOriginal);
}

TEST_F(EditCommandsTest, PasteWithoutABitmapOnTheClipboardMakesNoWindow) {
  cl::Clipboard()->SetAsText("words");
  EXPECT_EQ(PasteAsNewImage(FrameForm), nullptr);
  EXPECT_TRUE(ImageWindows().empty());
}

TEST_F(EditCommandsTest, PasteIntoTheSelectionStretchesTheClipboardOverItAndLeavesTheRest) {
  TEditForm* window = Opened();
  PutOnClipboard(2, 2, RGB(1, 2, 3));
  window->SelectArea1Click(nullptr);
  const cl::TRect band = window->Image1->CropBand();
  window->IntoSelection1Click(nullptr);
  EXPECT_TRUE(window->Document().Modified());
  const Pixels result = WorkingCopy(window);
  ASSERT_EQ(result.Width, kWidth);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= band.Left && x < band.Right && y >= band.Top && y < band.Bottom;
      ASSERT_EQ(result.At(x, y), inside ? RGB(1, 2, 3) : FOriginal.At(x, y)) << x << "," << y;
    }
}

TEST_F(EditCommandsTest, ZoomAndFitSizeTheImageControlAndAllowSelectingOnlyAtActualSize) {
  TEditForm* window = Opened();
  window->SelectArea1Click(nullptr);
  for (const ZoomStep& step : kZoomOutSteps) {
    SCOPED_TRACE(step.Caption);
    window->ZoomPercent(step.Percent);
    EXPECT_FALSE(window->Selecting());
    EXPECT_EQ(window->Image1->Width(), ZoomSize(step.Percent, kWidth));
    EXPECT_EQ(window->Image1->Height(), ZoomSize(step.Percent, kHeight));
    EXPECT_FALSE(window->SelectArea1->Enabled());
    EXPECT_TRUE(ViewScaled);
  }
  window->ZoomPercent(1000);
  EXPECT_EQ(window->Image1->Width(), kWidth * 10);
  window->ActualView1Click(nullptr);
  EXPECT_EQ(window->Image1->Width(), kWidth);
  EXPECT_TRUE(window->SelectArea1->Enabled());
  EXPECT_FALSE(ViewScaled);

  window->FittoWindow1Click(nullptr);
  EXPECT_TRUE(window->FittoWindow1->Checked());
  EXPECT_EQ(window->Image1->Width(), FitSize(window->ClientWidth()));
  EXPECT_EQ(window->Image1->Height(), FitSize(window->ClientHeight()));
  EXPECT_FALSE(window->SelectArea1->Enabled());
  // A zoom leaves the check mark; the next click returns to the picture's size.
  window->ZoomPercent(200);
  EXPECT_TRUE(window->FittoWindow1->Checked());
  window->FittoWindow1Click(nullptr);
  EXPECT_FALSE(window->FittoWindow1->Checked());
  EXPECT_EQ(window->Image1->Width(), kWidth);
  EXPECT_TRUE(window->SelectArea1->Enabled());
}

TEST_F(EditCommandsTest, ScreenshotOfAPhotoRotatedCroppedAndZoomed) {
  // A photo-like picture: smooth colours with a bright disc.
  const std::string photo = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\photo.bmp";
  {
    cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
    bitmap->SetPixelFormat(cl::pf24bit);
    bitmap->SetSize(320, 200);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 320; ++x) {
        const bool disc = (x - 220) * (x - 220) + (y - 70) * (y - 70) < 900;
        bitmap->Canvas()->SetPixels(x, y, disc ? RGB(255, 240, 120) : RGB(40 + y / 2, 90 + x / 4, 200 - y / 2));
      }
    bitmap->SaveToFile(photo);
  }
  FrameForm->SetBounds(0, 0, 800, 600);
  // Showing the frame opens the test program's own command line: a name that does not exist, which is reported.
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  FrameForm->Show();
  for (TEditForm* window : ImageWindows()) window->Free();
  FResponder.OnMessageDlg = nullptr;
  TEditForm* window = FrameForm->OpenInNewWindow(photo);
  AnswerDialogs(cl::mrOk);
  ChooseRotation(0, RotateFrm->RadioButton1);
  window->Rotate1Click(nullptr);
  window->SelectArea1Click(nullptr);
  window->Crop1Click(nullptr);
  window->ZoomPercent(200);
  EXPECT_EQ(window->Image1->Width(), 2 * window->Image1->Picture()->Width());
  cl::test::PumpFor(300);
  std::printf("%s\n", testsupport::SaveScreenshot("orvane_rotated_cropped_zoomed").c_str());
}

}  // namespace
}  // namespace viewer
