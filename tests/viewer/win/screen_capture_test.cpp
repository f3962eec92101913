// Orvane's screen capture and wallpaper commands through their handlers: what a capture leaves in the new window's
// working copy, the hot keys it arms and gives back, and the desktop's wallpaper values and file.
#include <gtest/gtest.h>

#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/registry.h"
#include "classlib/win/stdctrls.h"
#include "frame_fixture.h"
#include "image/load_image.h"
#include "support/screenshot.h"
#include "viewer/core/capture_rules.h"
#include "viewer/core/window_names.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/global_hot_key.h"
#include "viewer/pref_form.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 32;
constexpr cl::TColor kMarkerColor = RGB(10, 200, 90);
constexpr int kHotKeyF10 = 1;

cl::TColor SourceColor(int x, int y) {
  return RGB(x * 6, y * 7, 250 - x * 3 - y);
}

cl::Owned<cl::TBitmap> LoadBmp(const std::string& name) {
  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  bitmap->LoadFromFile(name);
  return bitmap;
}

std::string TestFolder() {
  return std::getenv("PROJECT_TEST_DIR");
}

class ScreenCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NewFrame();
    FrameForm->HandleNeeded();
    PrefFrm = cl::New<TPrefFrm>(nullptr);
    PrefFrm->CheckBox1->SetChecked(false);
    PrefFrm->CheckBox3->SetChecked(false);
    PrefFrm->RadioGroup1->SetItemIndex(0);
    FSource = TestFolder() + "\\capture_source.bmp";
    cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
    bitmap->SetPixelFormat(cl::pf24bit);
    bitmap->SetSize(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) bitmap->Canvas()->SetPixels(x, y, SourceColor(x, y));
    bitmap->SaveToFile(FSource);
  }
  void TearDown() override {
    for (TEditForm* window : ImageWindows()) window->Free();
    if (FMarker) FMarker->Free();
    // The preferences are kept when they go: the program's own ones come back.
    PrefFrm->RadioGroup1->SetItemIndex(0);
    PrefFrm->CheckBox3->SetChecked(true);
    cl::FreeAndNil(PrefFrm);
    cl::FreeAndNil(FrameForm);
  }

  // Shows the frame as the program does; showing opens the test program's command line as a file, which is
  // reported and closed again.
  void ShowFrame() {
    cl::test::Responder responder;
    responder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
    FrameForm->Show();
    for (TEditForm* window : ImageWindows()) window->Free();
  }
  // A borderless window of one colour on top of everything.
  void ShowMarker(const cl::TRect& bounds) {
    FMarker = cl::New<cl::TForm>(nullptr);
    FMarker->SetBorderStyle(cl::bsNone);
    FMarker->SetFormStyle(cl::fsStayOnTop);
    FMarker->SetColor(kMarkerColor);
    FMarker->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
    FMarker->Show();
    cl::test::PumpFor(300);
  }
  void UseHotKey(int index) {
    PrefFrm->RadioGroup1->SetItemIndex(kActivateUsingHotKey);
    PrefFrm->RadioGroup2->SetItemIndex(index);
  }
  TEditForm* Opened(const std::string& name) {
    TEditForm* window = cl::New<TEditForm>(FrameForm);
    window->Open(name);
    return window;
  }
  // Whether another window can take the combination (it gives it back at once).
  static bool KeyIsFree(UINT modifiers, UINT key) {
    if (!RegisterHotKey(FrameForm->Handle(), 0xB000, modifiers, key)) return false;
    UnregisterHotKey(FrameForm->Handle(), 0xB000);
    return true;
  }
  // The one capture window, whose working copy holds the whole screen.
  static cl::Owned<cl::TBitmap> OnlyCapture() {
    const std::vector<TEditForm*> windows = ImageWindows();
    EXPECT_EQ(windows.size(), 1u);
    if (windows.empty()) return cl::MakeOwned<cl::TBitmap>();
    EXPECT_TRUE(IsUntitledCaption(windows[0]->Caption())) << windows[0]->Caption();
    cl::Owned<cl::TBitmap> capture = LoadBmp(windows[0]->Document().WorkFile());
    EXPECT_EQ(capture->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(capture->Height(), GetSystemMetrics(SM_CYSCREEN));
    return capture;
  }

  cl::TForm* FMarker = nullptr;
  std::string FSource;
};

TEST_F(ScreenCaptureTest, ACaptureAtOnceHoldsTheScreenInANewWindow) {
  ShowMarker(cl::Rect(600, 400, 700, 460));
  FrameForm->CaptureScreen1Click(nullptr);
  cl::Owned<cl::TBitmap> capture = OnlyCapture();
  EXPECT_EQ(capture->Canvas()->Pixels(650, 430), kMarkerColor);
  EXPECT_EQ(capture->Canvas()->Pixels(600, 400), kMarkerColor);
  EXPECT_NE(capture->Canvas()->Pixels(599, 399), kMarkerColor);
  // The window shows the capture and works on it like on any picture.
  TEditForm* window = ImageWindows().front();
  EXPECT_EQ(window->Image1->Picture()->Width(), GetSystemMetrics(SM_CXSCREEN));
  window->Flip1Click(nullptr);
  EXPECT_EQ(LoadBmp(window->Document().WorkFile())->Canvas()->Pixels(GetSystemMetrics(SM_CXSCREEN) - 651, 430),
            kMarkerColor);
}

TEST_F(ScreenCaptureTest, TheFrameHidesDuringACaptureAndShowsAgain) {
  ShowFrame();
  FrameForm->SetBounds(100, 100, 300, 200);
  cl::test::PumpFor(300);
  const cl::TColor frameColor = testsupport::ScreenColor(250, 250);
  PrefFrm->CheckBox3->SetChecked(true);
  FrameForm->CaptureScreen1Click(nullptr);
  EXPECT_NE(OnlyCapture()->Canvas()->Pixels(250, 250), frameColor);
  EXPECT_TRUE(FrameForm->Visible());
}

TEST_F(ScreenCaptureTest, AMaximisedFrameComesBackMaximisedAfterACapture) {
  ShowFrame();
  SendMessageA(FrameForm->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(IsZoomed(FrameForm->Handle()));
  PrefFrm->CheckBox3->SetChecked(true);
  FrameForm->CaptureScreen1Click(nullptr);
  EXPECT_TRUE(IsZoomed(FrameForm->Handle()));
  EXPECT_EQ(FrameForm->WindowState(), cl::wsMaximized);
}

TEST_F(ScreenCaptureTest, AHotKeyCapturesOnceAndIsGivenBack) {
  ShowFrame();
  ShowMarker(cl::Rect(500, 300, 560, 340));
  UseHotKey(kHotKeyF10);
  FrameForm->CaptureScreen1Click(nullptr);
  EXPECT_FALSE(KeyIsFree(0, VK_F10));
  EXPECT_TRUE(ImageWindows().empty());
  DeleteFileA("c:\\ovx.bmp");
  // A held key repeats: the second press arrives while the first capture runs.
  const HWND key = FrameForm->CtlGlobalHotKeys[kHotKeyF10]->Handle();
  PostMessageA(key, WM_HOTKEY, 0, MAKELPARAM(0, VK_F10));
  PostMessageA(key, WM_HOTKEY, 0, MAKELPARAM(0, VK_F10));
  cl::test::PumpUntil([] { return !ImageWindows().empty(); });
  cl::test::PumpFor(300);
  EXPECT_EQ(OnlyCapture()->Canvas()->Pixels(530, 320), kMarkerColor);
  EXPECT_TRUE(KeyIsFree(0, VK_F10));
  EXPECT_EQ(LoadBmp("C:\\ovx.bmp")->Width(), GetSystemMetrics(SM_CXSCREEN));
  testsupport::SaveScreenshot("orvane_hot_key_capture");
}

TEST_F(ScreenCaptureTest, TheCaptureArrivesWhenTheFixedFileCannotBeWritten) {
  UseHotKey(kHotKeyF10);
  DeleteFileA("c:\\ovx.bmp");
  RemoveDirectoryA("c:\\ovx.bmp");  // left by a run that stopped half-way
  ASSERT_TRUE(CreateDirectoryA("c:\\ovx.bmp", nullptr));
  FrameForm->CaptureScreen1Click(nullptr);
  PostMessageA(FrameForm->CtlGlobalHotKeys[kHotKeyF10]->Handle(), WM_HOTKEY, 0, MAKELPARAM(0, VK_F10));
  cl::test::PumpUntil([] { return !ImageWindows().empty(); });
  RemoveDirectoryA("c:\\ovx.bmp");
  OnlyCapture();
}

TEST_F(ScreenCaptureTest, AnImageWindowArmsCtrlF10) {
  UseHotKey(kHotKeyF10);
  TEditForm* window = Opened(FSource);
  window->Screen1Click(nullptr);
  EXPECT_FALSE(KeyIsFree(MOD_CONTROL, VK_F10));
  EXPECT_TRUE(KeyIsFree(0, VK_F10));
  PostMessageA(window->CtlGlobalHotKeys[kHotKeyF10]->Handle(), WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL, VK_F10));
  cl::test::PumpUntil([] { return ImageWindows().size() == 2; });
  EXPECT_EQ(ImageWindows().size(), 2u);
  EXPECT_TRUE(KeyIsFree(MOD_CONTROL, VK_F10));
}

class WallpaperTest : public ScreenCaptureTest {
 protected:
  void SetUp() override {
    ScreenCaptureTest::SetUp();
    FDesktop.OpenKey(kDesktopKey, true);
    FOldWallpaper = FDesktop.ReadString(kWallpaperValue);
    FOldTile = FDesktop.ReadString(kTileWallpaperValue);
  }
  void TearDown() override {
    FDesktop.WriteString(kWallpaperValue, FOldWallpaper);
    FDesktop.WriteString(kTileWallpaperValue, FOldTile);
    ScreenCaptureTest::TearDown();
  }
  std::pair<std::string, std::string> Values() const {
    return {FDesktop.ReadString(kWallpaperValue), FDesktop.ReadString(kTileWallpaperValue)};
  }

  cl::TRegistry FDesktop;
  std::string FOldWallpaper, FOldTile;
};

TEST_F(WallpaperTest, APictureOfAnotherFormatIsWrittenBesideItAndABitmapNamedAsStored) {
  const std::string png = TestFolder() + "\\wallpaper.png";
  const std::string written = TestFolder() + "\\Orlanto.bmp";
  DeleteFileA(written.c_str());
  TEditForm* window = Opened(FSource);
  ASSERT_TRUE(window->SaveAsName(png));
  window->Tile1Click(nullptr);
  EXPECT_EQ(Values(), std::make_pair(written, std::string("1")));
  cl::Owned<cl::TBitmap> bitmap = LoadBmp(written);
  EXPECT_EQ(bitmap->Width(), kWidth);
  EXPECT_EQ(bitmap->Canvas()->Pixels(kWidth - 1, kHeight - 1), SourceColor(kWidth - 1, kHeight - 1));

  Opened(FSource)->Center1Click(nullptr);
  EXPECT_EQ(Values(), std::make_pair(FSource, std::string("0")));
}

TEST_F(WallpaperTest, AWindowWithoutAFileOrABitmapThatCannotBeWrittenChangesNothing) {
  FDesktop.WriteString(kWallpaperValue, "before.bmp");
  FDesktop.WriteString(kTileWallpaperValue, "0");
  TEditForm* untitled = cl::New<TEditForm>(FrameForm);
  untitled->Tile1Click(nullptr);
  untitled->Image2->Click();
  EXPECT_FALSE(untitled->SetAsWallpaper1->Enabled());

  // A folder stands where the bitmap would go.
  const std::string folder = TestFolder() + "\\wallpaper_blocked";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\Orlanto.bmp").c_str(), nullptr);
  TEditForm* window = Opened(FSource);
  ASSERT_TRUE(window->SaveAsName(folder + "\\blocked.png"));
  window->Image2->Click();
  EXPECT_TRUE(window->SetAsWallpaper1->Enabled());
  EXPECT_THROW(window->Tile1Click(nullptr), cl::EStreamError);
  EXPECT_EQ(Values(), std::make_pair(std::string("before.bmp"), std::string("0")));
}

}  // namespace
}  // namespace viewer
