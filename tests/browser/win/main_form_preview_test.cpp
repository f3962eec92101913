// The browser's main form: its settings over two runs, the preview of a chosen file with its zoom steps and fit,
// the full-screen view, the clipboard copy, and the viewer started with the file by F9.
#include <gtest/gtest.h>

#include <cstdlib>

#include "browser/core/file_commands.h"
#include "browser/core/preview_rules.h"
#include "browser_form_fixture.h"
#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/combo_box.h"
#include "classlib/win/menus.h"
#include "classlib/win/picture.h"
#include "classlib/win/scroll_box.h"
#include "image/core/transform_geometry.h"
#include "image/gif_image.h"
#include "image/win/gif_test_support.h"
#include "support/screenshot.h"

namespace brwtest {
namespace {

class MainFormPreviewTest : public BrowserFormTest {
 protected:
  int ImageWidth() const { return form->Image1->Width(); }
  int ImageHeight() const { return form->Image1->Height(); }
};

TEST_F(MainFormPreviewTest, AFirstRunFallsBackAndItsSettingsComeBackAtTheNextStart) {
  cl::TRegistry machine;
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(machine.OpenKey("SOFTWARE\\Orlanto\\Tarnby", false));
  // The missing splitter positions raised after the tree had fallen back to the current drive's root.
  EXPECT_EQ(machine.ReadString("LastDir"), " ");
  EXPECT_TRUE(cl::SameText(form->DirTree1->Directory(), "C:\\"));
  EXPECT_EQ(form->Edit2->Text(), "*.bmp");
  EXPECT_EQ(form->Edit2->Items()->Count(), 2);
  EXPECT_EQ(form->ShellFileListBox1->Mask(), "*.bmp");

  OpenTestFolder();
  form->Edit2->SetText("*.bmp;*.gif");
  FreeForms();
  EXPECT_EQ(machine.ReadString("LastDir"), tree.Root());
  EXPECT_EQ(machine.ReadInteger("SplitterMain"), 200);
  EXPECT_EQ(machine.ReadInteger("Splitter2"), 160);
  cl::TRegistry user;
  ASSERT_TRUE(user.OpenKey("SOFTWARE\\Orlanto\\Tarnby", false));
  EXPECT_EQ(user.ReadString("BrowseExtension"), "*.bmp;*.gif");

  MakeForms();
  EXPECT_EQ(form->DirTree1->Directory(), tree.Root());
  EXPECT_EQ(form->ShellFileListBox1->Directory() + "\\", tree.Root());
  EXPECT_EQ(form->Edit2->Text(), "*.bmp;*.gif");
  EXPECT_EQ(form->ShellFileListBox1->Mask(), "*.bmp;*.gif");
  EXPECT_EQ(form->Caption(), brw::BrowserTitle(tree.Root()));
}

TEST_F(MainFormPreviewTest, ZoomStepsSizeThePreviewAndFitFollowsTheForm) {
  OpenTestFolder();
  Choose("p300.bmp");
  EXPECT_EQ(form->LastFile, tree.Path("p300.bmp"));
  EXPECT_EQ(ImageWidth(), 300);
  EXPECT_EQ(ImageHeight(), 200);

  struct Step {
    const char* item;
    int width, height;
  };
  // The preview is always the shown picture at the step's scale, 10:1 twice included.
  for (const Step& step : {Step{"N131", 99, 66}, Step{"N211", 600, 400}, Step{"PopupN1101", 30, 20},
                           Step{"N1011", 3000, 2000}, Step{"N1011", 3000, 2000}, Step{"ActualView111", 300, 200}}) {
    Item(step.item)->Click();
    EXPECT_EQ(ImageWidth(), step.width) << step.item;
    EXPECT_EQ(ImageHeight(), step.height) << step.item;
  }
  // Each step resamples the control's working picture from its current size: on a fresh picture a second 10:1
  // would ask for 30000 x 20000 pixels, which the control refuses, keeping ten times.
  Choose("q.bmp");
  Choose("p300.bmp");
  Item("N1011")->Click();
  Item("N1011")->Click();
  const std::string working = tree.Path("working.bmp");
  form->Image1->SetSaveName(working);
  cl::Owned<cl::TBitmap> saved = cl::MakeOwned<cl::TBitmap>();
  saved->LoadFromFile(working);
  const img::PictureSize once = img::ScaledPictureSize(300, 200, 1000);
  EXPECT_EQ(saved->Width(), once.Width);
  EXPECT_EQ(saved->Height(), once.Height);

  form->FittoWindow1->Click();
  EXPECT_TRUE(form->FittoWindow1->Checked());
  EXPECT_EQ(ImageWidth(), form->Width() - 200 - 18);
  EXPECT_EQ(ImageHeight(), form->ClientHeight() - 18);
  form->SetBounds(form->Left(), form->Top(), 700, 500);
  EXPECT_EQ(ImageWidth(), 700 - 200 - 18);
  EXPECT_EQ(ImageHeight(), form->ClientHeight() - 18);
  cl::test::PumpFor(100);
  testsupport::SaveScreenshot("browser_fit_to_window");
  form->FittoWindow1->Click();
  EXPECT_EQ(ImageWidth(), 300);
  EXPECT_EQ(ImageHeight(), 200);
}

TEST_F(MainFormPreviewTest, ASmallerOrBrokenPictureLeavesNothingOfTheLargerOneAround) {
  tree.File("broken.bmp", "BM not a picture");
  OpenTestFolder();
  SetForegroundWindow(form->Handle());
  // A point of the preview pane that the large picture covers and the others do not.
  const cl::TPoint outside = form->ScrollBox1->ClientToScreen(cl::Point(200, 150));
  const std::uint32_t background = testsupport::ScreenColor(outside.X, outside.Y);
  for (const char* name : {"q.bmp", "broken.bmp"}) {
    Choose("p300.bmp");
    cl::test::PumpFor(100);
    ASSERT_EQ(testsupport::ScreenColor(outside.X, outside.Y), static_cast<std::uint32_t>(RGB(255, 0, 0)));
    Choose(name);
    cl::test::PumpFor(100);
    testsupport::SaveScreenshot(std::string("browser_after_large_") + name);
    EXPECT_EQ(testsupport::ScreenColor(outside.X, outside.Y), background) << name;
  }
}

TEST_F(MainFormPreviewTest, APictureInAFolderNamedGifGoesToTheGifReader) {
  tree.Folders({"shots.gif"});
  tree.Bitmap("shots.gif\\in.bmp", 30, 20, cl::clRed);
  form->DirTree1->SetDirectory(tree.Path("shots.gif"));
  Choose("shots.gif\\in.bmp");
  // The GIF reader refuses a BMP: the preview stays empty, and the file still counts as previewed.
  EXPECT_EQ(form->LastFile, tree.Path("shots.gif\\in.bmp"));
  EXPECT_EQ(form->Image1->Picture()->Width(), 0);
  EXPECT_EQ(ImageWidth(), 0);
}

TEST_F(MainFormPreviewTest, TheFileShownIsNotLoadedAgainUntilAnotherWasChosen) {
  OpenTestFolder();
  Choose("p300.bmp");
  tree.Bitmap("p300.bmp", 50, 60, cl::clYellow);  // changed on disk meanwhile
  form->ShellFileListBox1Change(form->ShellFileListBox1);
  EXPECT_EQ(ImageWidth(), 300);
  Choose("q.bmp");
  EXPECT_EQ(ImageWidth(), 40);
  Choose("p300.bmp");
  EXPECT_EQ(ImageWidth(), 50);
  EXPECT_EQ(ImageHeight(), 60);

  // The View menu's zoom items need a chosen file.
  form->View1->Click();
  EXPECT_TRUE(form->ZoomIn1->Enabled());
  form->ShellFileListBox1->SetItemIndex(-1);
  form->View1->Click();
  EXPECT_FALSE(form->ZoomIn1->Enabled());
  EXPECT_FALSE(form->ActualView111->Enabled());
}

TEST_F(MainFormPreviewTest, FullScreenShowsTheChosenFileUntilAClick) {
  OpenTestFolder();
  Choose("p300.bmp");
  bool shown = false;
  int width = 0, height = 0;
  responder.OnModal = [&](cl::TForm& modal) {
    return cl::seam::ModalAnswer::RunScript([&] {
      cl::test::PumpFor(200);
      testsupport::SaveScreenshot("browser_full_screen");
      shown = &modal == img::AllScrFrm && modal.Visible() && img::AllScrFrm->Image1->Visible();
      width = img::AllScrFrm->Image1->Width();
      height = img::AllScrFrm->Image1->Height();
      PostMessageA(modal.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, modal.ClientHeight() - 5));
      PostMessageA(modal.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, modal.ClientHeight() - 5));
    });
  };
  Item("FullScreenPreview1")->Click();
  EXPECT_TRUE(shown);
  EXPECT_EQ(width, 300);
  EXPECT_EQ(height, 200);
  EXPECT_FALSE(img::AllScrFrm->Visible());
}

// The colour at the middle of what the control paints, as 0x00RRGGBB.
std::uint32_t MiddleColour(cl::TControl* control) {
  cl::TBitmap* painted = cl::test::PaintTo(control);
  const COLORREF colour = GetPixel(painted->Canvas()->Handle(), control->Width() / 2, control->Height() / 2);
  cl::Free(painted);
  return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

TEST_F(MainFormPreviewTest, AnAnimatedGifPlaysInThePreviewAndInFullScreen) {
  // Red and blue for 300 ms each, without end.
  const img::testing::Bytes bytes = img::testing::AnimatedGif(
      120, 80, {RGB(255, 0, 0), RGB(0, 0, 255)}, {{0, 0, 120, 80, 0, 1, 25}, {0, 0, 120, 80, 1, 1, 25}}, 0);
  tree.File("anim.gif", std::string(bytes.begin(), bytes.end()));
  OpenTestFolder();
  form->ShellFileListBox1->SetMask("*.gif");
  Choose("anim.gif");
  ASSERT_NE(dynamic_cast<img::TGIFImage*>(form->Image1->Picture()->Graphic()), nullptr);
  EXPECT_EQ(ImageWidth(), 120);
  EXPECT_EQ(ImageHeight(), 80);
  for (const auto& [colour, name] :
       {std::pair{0xFF0000u, "browser_gif_red"}, std::pair{0x0000FFu, "browser_gif_blue"}}) {
    EXPECT_TRUE(cl::test::PumpUntil([&] { return MiddleColour(form->Image1) == colour; })) << name;
    testsupport::SaveScreenshot(name);
  }

  bool playing = false;
  responder.OnModal = [&](cl::TForm& modal) {
    return cl::seam::ModalAnswer::RunScript([&] {
      img::TLoadImage* full = img::AllScrFrm->Image1;
      playing = dynamic_cast<img::TGIFImage*>(full->Picture()->Graphic()) &&
                cl::test::PumpUntil([&] { return MiddleColour(full) == 0xFF0000; }) &&
                cl::test::PumpUntil([&] { return MiddleColour(full) == 0x0000FF; });
      testsupport::SaveScreenshot("browser_gif_full_screen");
      PostMessageA(modal.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessageA(modal.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    });
  };
  Item("FullScreenPreview1")->Click();
  EXPECT_TRUE(playing);
}

TEST_F(MainFormPreviewTest, CopyPutsThePreviewOnTheClipboardOnlyWhenThereIsOne) {
  cl::Clipboard()->SetAsText("kept");
  form->Copy3->Click();
  EXPECT_EQ(cl::Clipboard()->AsText(), "kept");
  EXPECT_FALSE(cl::Clipboard()->HasFormat(CF_BITMAP));

  OpenTestFolder();
  Choose("q.bmp");
  form->Copy3->Click();
  EXPECT_TRUE(cl::Clipboard()->HasFormat(CF_BITMAP));
  cl::TPicture* pasted = cl::New<cl::TPicture>();
  pasted->Assign(cl::Clipboard());
  EXPECT_EQ(pasted->Width(), 40);
  EXPECT_EQ(pasted->Height(), 30);
  cl::Free(pasted);
}

// Runs F9 and gives the command line the stand-in viewer beside this program recorded.
std::string ViewerStartedWith(brw::TTarnby* form, const std::string& record) {
  DeleteFileA(record.c_str());
  SetEnvironmentVariableA("BROWSER_STAND_IN_RECORD", record.c_str());
  form->Orlanto1->Click();
  cl::test::PumpUntil([&] { return cl::FileExists(record); }, 20000);
  Sleep(100);  // the stand-in closes the file right after writing it
  return ReadBytes(record);
}

TEST_F(MainFormPreviewTest, F9StartsTheViewerWithTheFileLastPreviewed) {
  const std::string record = tree.Path("command-line.txt");
  const std::string viewer = cl::ExtractFilePath(cl::Application->ExeName()) + "\\orvane.exe ";
  EXPECT_EQ(ViewerStartedWith(form, record), viewer);
  OpenTestFolder();
  Choose("p300.bmp");
  EXPECT_EQ(ViewerStartedWith(form, record), viewer + tree.Path("p300.bmp"));
  EXPECT_EQ(form->Orlanto1->ShortCut(), cl::ShortCut(VK_F9, {}));
}

}  // namespace
}  // namespace brwtest
