// The frame's menu bar with image windows in it: the active window's File menu in place of the frame's, the
// Window menu listing the windows, hints in the status bar; and screenshots of the frame with two pictures and
// its menus open below their titles.
#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/test/menu_items.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/status_bar.h"
#include "support/real_input.h"
#include "support/screenshot.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

// The texts of a menu's entries as the system shows them; a separator is "-".
std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = {};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    texts.push_back(info.fType & MFT_SEPARATOR ? "-" : text);
  }
  return texts;
}

// A picture of two coloured halves in the test folder; its full name.
std::string MakePicture(const std::string& name, cl::TColor left, cl::TColor right) {
  const std::string file = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\" + name;
  cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf24bit);
  bitmap->SetSize(160, 120);
  bitmap->Canvas()->Brush()->SetColor(left);
  bitmap->Canvas()->FillRect(cl::Rect(0, 0, 80, 120));
  bitmap->Canvas()->Brush()->SetColor(right);
  bitmap->Canvas()->FillRect(cl::Rect(80, 0, 160, 120));
  bitmap->SaveToFile(file);
  bitmap->Free();
  return file;
}

class FrameMenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cl::TRegistry settings;
    OpenSettings(settings);
    settings.WriteString(kToOpenValue, "");
    WriteRecentFiles(settings, {"C:\\one.bmp", "", "", "", ""});
    FrameForm = cl::New<TFrameForm>(nullptr);
    FrameForm->SetBounds(0, 0, 800, 600);
    // Showing the frame opens the test program's own command line: a window of a name that does not exist.
    FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
    FrameForm->Show();
    for (TEditForm* window : ImageWindows()) window->Free();
    FResponder.OnMessageDlg = nullptr;
    FFirst = FrameForm->OpenInNewWindow(MakePicture("red and green.bmp", RGB(200, 40, 40), RGB(40, 160, 40)));
    FSecond = FrameForm->OpenInNewWindow(MakePicture("blue and yellow.bmp", RGB(40, 40, 200), RGB(220, 200, 40)));
    cl::test::PumpFor(200);
  }
  void TearDown() override {
    for (TEditForm* window : ImageWindows()) window->Free();
    cl::FreeAndNil(FrameForm);
  }

  HMENU Bar() const { return GetMenu(FrameForm->Handle()); }
  std::vector<std::string> SubmenuTexts(int position) const { return MenuTexts(GetSubMenu(Bar(), position)); }

  cl::test::Responder FResponder;
  TEditForm* FFirst = nullptr;
  TEditForm* FSecond = nullptr;
};

TEST_F(FrameMenusTest, TheActiveImageWindowsFileMenuTakesTheFramesPlace) {
  ASSERT_EQ(MenuTexts(Bar()), (std::vector<std::string>{"&File", "&Edit", "&View", "Image", "&Window", "&Help"}));
  EXPECT_EQ(SubmenuTexts(0), (std::vector<std::string>{"&Open\tCtrl+O",
                                                       "-",
                                                       "Tarnby\tF9",
                                                       "-",
                                                       "Save",
                                                       "Save As...\tCtrl+S",
                                                       "-",
                                                       "&Close",
                                                       "Delete...\tCtrl+D",
                                                       "-",
                                                       "Acquire Image...",
                                                       "Select Source...",
                                                       "-",
                                                       "&Print\tCtrl+P",
                                                       "Prin&t Setup...",
                                                       "-",
                                                       "Preferences...",
                                                       "-",
                                                       "C:\\one.bmp",
                                                       "-",
                                                       "E&xit"}));
  EXPECT_EQ(SubmenuTexts(1), (std::vector<std::string>{"&Copy\tCtrl+C", "&Paste"}));
  EXPECT_EQ(SubmenuTexts(2), (std::vector<std::string>{"Full Screen Preview...", "Zoom In", "Zoom Out",
                                                       "Actual View (1:1)...", "&Fit to Window\tCtrl+F"}));
  EXPECT_EQ(SubmenuTexts(3),
            (std::vector<std::string>{"Flip...", "Mirror...", "Rotate...\tCtrl+R", "Negative Image", "Grayscale",
                                      "Adjust Brightness/Contrast...", "-", "Select Area...", "Crop", "-",
                                      "Set as the Windows Wallpaper...", "&Capture Screen..."}));
}

TEST_F(FrameMenusTest, TheWindowMenuListsTheImageWindowsAfterItsCommands) {
  const std::vector<std::string> texts = SubmenuTexts(4);
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 3),
            (std::vector<std::string>{"&Tile", "&Cascade", "&Arrange Icons"}));
  for (TEditForm* window : {FFirst, FSecond})
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
      return text.ends_with(" " + window->Caption());
    })) << window->Caption();
}

TEST_F(FrameMenusTest, WithoutImageWindowsTheFramesOwnFileMenuShowsWithTheClosedFilesFirst) {
  const std::string first = FFirst->Caption();
  const std::string second = FSecond->Caption();
  FSecond->Close();
  cl::test::PumpUntil([] { return ImageWindows().size() == 1; }, 2000);
  FFirst->Close();
  cl::test::PumpUntil([] { return ImageWindows().empty(); }, 2000);
  EXPECT_EQ(MenuTexts(Bar()), (std::vector<std::string>{"&File", "&Edit", "Image", "&Window", "&Help"}));
  EXPECT_EQ(SubmenuTexts(0), (std::vector<std::string>{"&Open...\tCtrl+O", "-", "Tarnby...\tF9", "-",
                                                       "Acquire Image...", "Select Source...", "-", "Preferences...",
                                                       "-", first, second, "C:\\one.bmp", "-", "E&xit"}));
  EXPECT_EQ(SubmenuTexts(1), (std::vector<std::string>{"&Paste\tCtrl+V", "Toolbar"}));
  EXPECT_EQ(SubmenuTexts(2), (std::vector<std::string>{"Capture Screen..."}));
}

TEST_F(FrameMenusTest, TheApplicationsHintShowsInTheStatusBar) {
  cl::Application->SetHint("Tile the image windows");
  EXPECT_EQ(FrameForm->StatusBar1->Panels()->Items(TFrameForm::kHintPanel)->Text(), "Tile the image windows");
}

// The screenshot ShootOpenMenu takes, and where the menu it found open lay.
const char* gShotName = "";
RECT gShownMenu{};

// Takes the screenshot while the menu is open (its loop runs the timer), then closes the menu.
void CALLBACK ShootOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
  KillTimer(nullptr, timer);
  gShownMenu = RECT{};
  if (testsupport::PopupMenuShown()) GetWindowRect(FindWindowA("#32768", nullptr), &gShownMenu);
  try {
    std::printf("%s\n", testsupport::SaveScreenshot(gShotName).c_str());
  } catch (const std::exception& error) {
    std::printf("no screenshot: %s\n", error.what());
  }
  EndMenu();
}

TEST_F(FrameMenusTest, ScreenshotsOfTwoImageWindowsWithTheFileAndWindowMenusOpen) {
  FrameForm->Tile();
  cl::test::PumpFor(300);
  SetForegroundWindow(FrameForm->Handle());
  struct Shot {
    const char* Name;
    char Key;
    int Right;  // the menus to step right from the one the key opens (Image has no mnemonic)
  };
  for (const Shot& shot : {Shot{"orvane_file_menu", 'f', 0}, Shot{"orvane_window_menu", 'w', 0},
                           Shot{"orvane_view_menu", 'v', 0}, Shot{"orvane_image_menu", 'v', 1}}) {
    gShotName = shot.Name;
    SCOPED_TRACE(shot.Name);
    SetTimer(nullptr, 0, 700, ShootOpenMenu);
    PostMessageA(FrameForm->Handle(), WM_SYSCOMMAND, SC_KEYMENU, shot.Key);
    for (int i = 0; i < shot.Right; ++i) PostMessageA(FrameForm->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    cl::test::PumpFor(1500);
    // The menu opened below one of the titles on the bar.
    bool belowATitle = false;
    for (int i = 0; i < GetMenuItemCount(Bar()); ++i) {
      RECT title{};
      GetMenuItemRect(FrameForm->Handle(), Bar(), i, &title);
      belowATitle |= gShownMenu.left == title.left && gShownMenu.top == title.bottom;
    }
    EXPECT_TRUE(belowATitle);
  }
}

// The shortcuts pressed on the keyboard click the items of the menus the bar shows: the active image window's
// File, Edit, View and Image menus with the frame's Help, and the frame's own menus once no window is left.
TEST_F(FrameMenusTest, EachShortcutClicksTheItemOfTheMenusShown) {
  // The Paste items are enabled only while the clipboard holds a picture.
  cl::TBitmap* picture = cl::New<cl::TBitmap>();
  picture->SetSize(4, 4);
  cl::Clipboard()->Assign(picture);
  picture->Free();
  std::vector<std::string> clicked, expected;
  // Recorded instead of run: the commands have tests of their own.
  auto press = [&](cl::TForm* form, const std::string& name) {
    cl::TMenuItem* item = cl::test::FindItemNamed(form->Menu()->Items(), name);
    ASSERT_NE(item, nullptr) << name;
    const std::string label = (form == FrameForm ? "frame " : "window ") + name;
    item->SetOnClick(cl::TNotifyEvent([&clicked, label](cl::TObject*) { clicked.push_back(label); }));
    expected.push_back(label);
    testsupport::RealShortCut(item->ShortCut());
    cl::test::PumpFor(300);
  };
  SetForegroundWindow(FrameForm->Handle());
  cl::test::PumpFor(200);
  ASSERT_EQ(FrameForm->ActiveMDIChild(), FSecond);
  for (const char* name : {"Open1", "Tarnby1", "SaveAs1", "Delete1", "Print1", "Copy1", "AsNewImage1", "FittoWindow1",
                           "Rotate1"}) {
    press(FSecond, name);
  }
  press(FrameForm, "UsingMarbeckImageViewer1");
  FSecond->SelectArea1->Click();  // Into Selection is enabled only while selecting
  press(FSecond, "IntoSelection1");

  for (TEditForm* window : ImageWindows()) window->Free();
  cl::test::PumpFor(200);
  for (const char* name : {"Open1", "Tarnby1", "Paste1", "UsingMarbeckImageViewer1"}) press(FrameForm, name);
  EXPECT_EQ(clicked, expected);
}

}  // namespace
}  // namespace viewer
