// The frame's toolbar: its buttons and hints, whether it shows and which dock it sits on as the registry says
// (and what it writes back), the Edit menu's "Toolbar" item, closing it, and the button states the frame keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/colors.h"
#include "classlib/win/hint_window.h"
#include "classlib/win/menus.h"
#include "classlib/win/timer.h"
#include "support/real_input.h"
#include "support/screenshot.h"
#include "toolbars/dock.h"
#include "toolbars/toolbar.h"
#include "image/load_image.h"
#include "toolbars/toolbar_button.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

class FrameToolbarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenSettings(FSettings);
    FSettings.WriteString(kToOpenValue, "");
    for (const char* value : {kToolbarValue, kDockToValue}) FSettings.DeleteValue(value);
  }
  void TearDown() override {
    if (!FFrame) return;
    for (TEditForm* window : ImageWindows()) window->Free();
    FFrame->Free();
    FrameForm = nullptr;
    ViewScaled = false;
  }
  void MakeFrame() {
    FrameForm = FFrame = cl::New<TFrameForm>(nullptr);
    // Showing opened the test program's command line as a file, in an empty window, and reported it.
    FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
    FFrame->Show();
    for (TEditForm* window : ImageWindows()) window->Free();
    FResponder.OnMessageDlg = nullptr;
  }
  // Clicks the close button of the floating toolbar: the button's loop reads the release from the queue.
  void ClickCloseButton() {
    tbr::TToolbar* bar = FFrame->ButtonBar1;
    const tbr::FrameMargins margins = bar->NonClientMargins();
    const cl::TPoint on = cl::Point(bar->Width() - GetSystemMetrics(SM_CXFRAME) - 3, GetSystemMetrics(SM_CYFRAME) + 3);
    PostMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(on.X - margins.Left, on.Y - margins.Top));
    RECT window;
    GetWindowRect(bar->Handle(), &window);
    SendMessageA(bar->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(window.left + on.X, window.top + on.Y));
  }
  // What the frame does on activation and on each tick of its button-state timer.
  void Activate() { FFrame->OnActivate()(FFrame); }
  void Tick() { FFrame->Timer1->OnTimer()(FFrame->Timer1); }
  std::vector<tbr::TToolbarButton*> ImageButtons() const {
    return {FFrame->CMBtn2, FFrame->CMBtn3, FFrame->CMBtn5, FFrame->CMBtn4, FFrame->Cmbtn7, FFrame->CMBtn8};
  }

  // What the screen shows once the frame has painted.
  static void Screenshot(const std::string& name) {
    cl::test::PumpFor(300);
    testsupport::SaveScreenshot(name);
  }

  cl::test::Responder FResponder;
  cl::TRegistry FSettings;
  TFrameForm* FFrame = nullptr;
};

TEST_F(FrameToolbarTest, NineButtonsInFourGroupsWithTheirHints) {
  MakeFrame();
  std::vector<std::string> children;
  for (cl::TControl* child : FFrame->ButtonBar1->ChildOrder())
    children.push_back(dynamic_cast<tbr::TToolbarSep*>(child) ? "|" : child->Name() + " " + child->Hint());
  EXPECT_EQ(children, (std::vector<std::string>{
                          "CMBtn1 Open Image File...", "Cmbtn7 Save Image File...", "|", "CMBtn2 Print Image File...",
                          "|", "CMBtn3 Delete Image File...", "|", "CMBtn4 Copy to Clipboard...",
                          "CMBtn6 Paste from Clipboard", "|", "CMBtn5 Fit to Window...", "CMBtn8 Select Area...",
                          "CMBtn9 Acquire Image from TWAIN Device...|Acquire an Image from a TWAIN Compatible "
                          "Device..."}));
  EXPECT_EQ(FFrame->ButtonBar1->Caption(), "Toolbar");
  for (tbr::TToolbarButton* button : ImageButtons()) EXPECT_FALSE(button->Enabled()) << button->Name();
  EXPECT_FALSE(FFrame->CMBtn1->Glyph()->Empty());
}

TEST_F(FrameToolbarTest, MissingSettingsAreWrittenAndTheToolbarShowsAtTheTop) {
  MakeFrame();
  EXPECT_TRUE(FSettings.ReadBool(kToolbarValue));
  EXPECT_EQ(FSettings.ReadInteger(kDockToValue), 1);
  EXPECT_TRUE(FFrame->ButtonBar1->Visible());
  EXPECT_TRUE(FFrame->Toolbar1->Checked());
  EXPECT_EQ(FFrame->ButtonBar1->DockedTo(), FFrame->Docks[0]);
}

TEST_F(FrameToolbarTest, TheMenuItemShowsAndHidesTheToolbarAndClosingTheFrameKeepsTheChoice) {
  FSettings.WriteBool(kToolbarValue, false);
  MakeFrame();
  EXPECT_FALSE(FFrame->ButtonBar1->Visible());
  EXPECT_FALSE(FFrame->Toolbar1->Checked());
  FFrame->Toolbar1->Click();
  EXPECT_TRUE(FFrame->ButtonBar1->Visible());
  EXPECT_TRUE(FFrame->Toolbar1->Checked());
  FFrame->Close();
  EXPECT_TRUE(FSettings.ReadBool(kToolbarValue));
}

TEST_F(FrameToolbarTest, TheDockIsKeptInTheRegistryAndTakenOnActivation) {
  FSettings.WriteInteger(kDockToValue, 2);
  MakeFrame();
  Activate();
  EXPECT_EQ(FFrame->ButtonBar1->DockedTo(), FFrame->Docks[1]);
  FFrame->ButtonBar1->SetDockedTo(FFrame->Docks[3]);
  EXPECT_EQ(FSettings.ReadInteger(kDockToValue), 4);
  FFrame->ButtonBar1->SetDockedTo(nullptr);
  EXPECT_EQ(FSettings.ReadInteger(kDockToValue), 0);
  Activate();  // 0 leaves a floating toolbar floating
  EXPECT_EQ(FFrame->ButtonBar1->DockedTo(), nullptr);
}

TEST_F(FrameToolbarTest, ARestartedFrameFindsItsToolbarOnTheDockItWasLeftOn) {
  MakeFrame();
  Screenshot("orvane_toolbar_top");
  FFrame->ButtonBar1->SetDockedTo(FFrame->Docks[1]);
  Screenshot("orvane_toolbar_left");
  FFrame->Close();
  FFrame->Free();
  MakeFrame();
  EXPECT_EQ(FFrame->ButtonBar1->DockedTo(), FFrame->Docks[1]);
  // Floated, then closed: the menu's check mark goes, and a restart leaves the toolbar hidden.
  FFrame->ButtonBar1->SetFloatPos(cl::Point(300, 200));
  FFrame->ButtonBar1->SetDockedTo(nullptr);
  ClickCloseButton();
  EXPECT_FALSE(FFrame->ButtonBar1->Visible());
  EXPECT_FALSE(FFrame->Toolbar1->Checked());
  Screenshot("orvane_toolbar_closed");
  FFrame->Close();
  FFrame->Free();
  MakeFrame();
  EXPECT_FALSE(FFrame->ButtonBar1->Visible());
}

// As a person does it, with the system's mouse: the toolbar dragged off its dock and closed with its close button
// while an image window is open, the window closed, then Edit > Toolbar.
TEST_F(FrameToolbarTest, TheMenuItemShowsTheClosedFloatingToolbarAgainAtOnce) {
  MakeFrame();
  FFrame->SetBounds(0, 0, 760, 560);
  cl::Owned<cl::TBitmap> picture = cl::MakeOwned<cl::TBitmap>();
  picture->SetSize(60, 40);
  TEditForm* window = cl::New<TEditForm>(FFrame);
  window->OpenPicture(picture.get());
  window->Show();
  cl::test::PumpFor(200);
  tbr::TToolbar* bar = FFrame->ButtonBar1;
  const auto play = [](const std::vector<testsupport::MouseStep>& steps) {
    testsupport::PlayMouse(steps, [] { cl::Application->ProcessMessages(); });
    cl::test::PumpFor(200);
  };
  using B = testsupport::LeftButton;
  RECT r;
  GetWindowRect(bar->Handle(), &r);
  const int gripX = r.left + 4, gripY = (r.top + r.bottom) / 2;
  play({{gripX, gripY},
        {gripX, gripY, B::Press},
        {gripX + 100, gripY + 150},
        {gripX + 200, gripY + 250},
        {gripX + 200, gripY + 250, B::Release}});
  ASSERT_EQ(bar->DockedTo(), nullptr);
  GetWindowRect(bar->Handle(), &r);
  // The bar's face beside its first button.
  const auto shown = [face = cl::Point(r.left + 8, r.bottom - 6)] {
    return testsupport::ScreenColor(face.X, face.Y) == (cl::ColorToRGB(cl::clBtnFace) & 0xFFFFFF);
  };
  EXPECT_TRUE(shown());
  play(testsupport::ClickAt(r.right - 10, r.top + 8));  // the close button
  ASSERT_FALSE(FFrame->Toolbar1->Checked());
  FResponder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDNO; };
  window->Close();
  cl::test::PumpFor(300);
  ASSERT_TRUE(ImageWindows().empty());
  RECT frame;
  GetWindowRect(FFrame->Handle(), &frame);
  const int menuY = frame.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME) + 8;
  std::vector<testsupport::MouseStep> steps = testsupport::ClickAt(frame.left + 50, menuY);  // Edit
  for (const testsupport::MouseStep& step : testsupport::ClickAt(frame.left + 70, menuY + 40)) steps.push_back(step);
  play(steps);  // Toolbar
  EXPECT_TRUE(FFrame->Toolbar1->Checked());
  EXPECT_TRUE(shown());
  Screenshot("orvane_toolbar_shown_again");
}

// The system's mouse rests on a button until its hint shows: the hint holds its whole text on one line, painted in
// the font it was measured with, and stays within the work area, also on the right dock of a maximised frame.
TEST_F(FrameToolbarTest, HintsShowTheirWholeTextOnTheScreen) {
  MakeFrame();
  FFrame->SetWindowState(cl::wsMaximized);
  cl::Owned<cl::TBitmap> picture = cl::MakeOwned<cl::TBitmap>();
  picture->SetSize(60, 40);
  TEditForm* window = cl::New<TEditForm>(FFrame);
  window->OpenPicture(picture.get());
  window->Show();
  Tick();  // Fit to Window is enabled for the window
  // Onto the point from just beside it, as a hand brings the mouse to rest.
  const auto mouseTo = [](cl::TPoint at) {
    testsupport::PlayMouse({{at.X - 3, at.Y}, {at.X, at.Y}}, [] { cl::Application->ProcessMessages(); });
  };
  for (tbr::TDock* dock : {FFrame->Docks[0], FFrame->Docks[2]}) {
    FFrame->ButtonBar1->SetDockedTo(dock);
    for (tbr::TToolbarButton* button : {FFrame->CMBtn5, FFrame->CMBtn9}) {
      SCOPED_TRACE(dock->Name() + " " + button->Name());
      mouseTo(FFrame->ClientToScreen(cl::Point(FFrame->ClientWidth() / 2, FFrame->ClientHeight() / 2)));
      mouseTo(button->ClientToScreen(cl::Point(button->Width() / 2, button->Height() / 2)));
      ASSERT_TRUE(cl::test::PumpUntil([] { return cl::Application->HintWindow() != nullptr; }, 3000));
      cl::THintWindow* hint = cl::Application->HintWindow();
      const std::string text = cl::GetShortHint(button->Hint());
      EXPECT_EQ(hint->Caption(), text);
      RECT shown, area;
      GetWindowRect(hint->Handle(), &shown);
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
      EXPECT_GE(shown.left, area.left);
      EXPECT_LE(shown.right, area.right);
      EXPECT_LE(shown.bottom, area.bottom);
      // The text as the hint's font measures it, against the pixels the hint paints.
      RECT measured{0, 0, 0, 0};
      HDC screen = GetDC(nullptr);
      HGDIOBJ old = SelectObject(screen, hint->Font()->Handle());
      DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_NOPREFIX);
      SelectObject(screen, old);
      ReleaseDC(nullptr, screen);
      cl::Owned<cl::TBitmap> painted(cl::test::PaintTo(hint));
      const cl::TColor background = cl::ColorToRGB(hint->Color()) & 0xFFFFFF;
      int left = painted->Width(), right = -1, bottom = -1;
      for (int y = 0; y < painted->Height(); ++y)
        for (int x = 0; x < painted->Width(); ++x)
          if ((painted->Canvas()->Pixels(x, y) & 0xFFFFFF) != background) {
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
          }
      EXPECT_GE(right - left + 1, measured.right - 2) << "the text's last letters are painted";
      EXPECT_LE(right, painted->Width() - 1);
      EXPECT_LT(bottom, painted->Height()) << "within the box";
      EXPECT_LE(painted->Height(), measured.bottom + 6) << "one line";
      if (dock == FFrame->Docks[2] && button == FFrame->CMBtn5) Screenshot("orvane_toolbar_hint_right_dock");
    }
  }
}

TEST_F(FrameToolbarTest, ImageButtonsFollowTheActiveWindowAndPasteTheClipboard) {
  MakeFrame();
  cl::Clipboard()->Clear();
  TEditForm* window = cl::New<TEditForm>(FFrame);
  window->Show();
  Tick();
  for (tbr::TToolbarButton* button : ImageButtons()) EXPECT_TRUE(button->Enabled()) << button->Name();
  EXPECT_FALSE(FFrame->CMBtn6->Enabled());
  // A scaled view leaves Select Area as it was.
  FFrame->CMBtn8->SetEnabled(false);
  ViewScaled = true;
  Tick();
  EXPECT_FALSE(FFrame->CMBtn8->Enabled());
  cl::Owned<cl::TBitmap> picture = cl::MakeOwned<cl::TBitmap>();
  picture->SetSize(4, 4);
  cl::Clipboard()->Assign(picture.get());
  window->Free();
  Tick();
  for (tbr::TToolbarButton* button : ImageButtons()) EXPECT_FALSE(button->Enabled()) << button->Name();
  EXPECT_TRUE(FFrame->CMBtn6->Enabled());
}

TEST_F(FrameToolbarTest, ZoomAndFitDisableSelectAreaAndAScaledViewIsNeverSelected) {
  MakeFrame();
  cl::Owned<cl::TBitmap> picture = cl::MakeOwned<cl::TBitmap>();
  picture->SetSize(60, 40);
  TEditForm* window = cl::New<TEditForm>(FFrame);
  window->OpenPicture(picture.get());
  window->Show();
  Tick();
  struct Case {
    const char* Name;
    std::function<void()> Scale;
    std::function<void()> Unscale;
  };
  const Case cases[] = {
      {"zoom", [window] { window->ZoomPercent(200); }, [window] { window->ZoomPercent(100); }},
      {"fit", [this] { FFrame->CMBtn5->Click(); }, [this] { FFrame->CMBtn5->Click(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    // A selection shown ends when the view is scaled.
    window->SelectArea1Click(nullptr);
    ASSERT_TRUE(window->Selecting());
    c.Scale();
    EXPECT_FALSE(window->Selecting());
    EXPECT_FALSE(window->Image1->CropToolOn());
    EXPECT_TRUE(ViewScaled);
    EXPECT_FALSE(FFrame->CMBtn8->Enabled());
    Tick();
    EXPECT_FALSE(FFrame->CMBtn8->Enabled());
    // What the button forwards does nothing on the scaled view.
    window->SelectArea1Click(nullptr);
    EXPECT_FALSE(window->Selecting());
    c.Unscale();
    EXPECT_FALSE(ViewScaled);
    EXPECT_TRUE(FFrame->CMBtn8->Enabled());
  }
}

TEST_F(FrameToolbarTest, SelectAreaStaysDownAndFitToWindowComesUp) {
  MakeFrame();
  TEditForm* window = cl::New<TEditForm>(FFrame);
  window->Show();
  Tick();
  for (int i = 0; i < 2; ++i) {
    FFrame->CMBtn8->Click();
    EXPECT_TRUE(FFrame->CMBtn8->Down());
  }
  FFrame->CMBtn5->SetDown(true);
  EXPECT_FALSE(FFrame->CMBtn5->Down());
}

}  // namespace
}  // namespace viewer
