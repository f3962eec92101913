// The frame: its recent-file items (read from the registry at creation and on activation, brought up to date
// when an image window closes), File > Open through the open dialog, and the Window menu.
#include "viewer/frame_form.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/file_dialogs.h"
#include "classlib/win/menus.h"
#include "classlib/win/status_bar.h"
#include "image/load_image.h"
#include "taken_working_copies.h"
#include "viewer/core/image_files.h"
#include "viewer/edit_form.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

class FrameFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenSettings(FSettings);
    FSettings.WriteString(kToOpenValue, "");
    WriteRecentFiles(FSettings, {"C:\\one.bmp", "C:\\two.bmp", "", "", ""});
    FSettings.WriteString(kLastDirValue, "C:\\before\\");
    FrameForm = FFrame = cl::New<TFrameForm>(nullptr);
    FFrame->HandleNeeded();
  }
  void TearDown() override {
    for (TEditForm* window : ImageWindows()) window->Free();
    FFrame->Free();
    FrameForm = nullptr;
  }

  // A small picture in the test folder; its full name.
  static std::string MakePicture(const std::string& name) {
    const std::string file = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\" + name;
    cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
    bitmap->SetSize(8, 6);
    bitmap->SaveToFile(file);
    bitmap->Free();
    return file;
  }

  // Shows the frame without the window that opening the test program's own command line made.
  void ShowFrame() {
    FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
    FFrame->Show();
    for (TEditForm* window : ImageWindows()) window->Free();
    FResponder.OnMessageDlg = nullptr;
    FResponder.MessageDlgs.clear();
  }

  // Answers the open dialog with these files chosen.
  void ChooseFiles(const std::vector<std::string>& files) {
    FResponder.OnFileDialog = [files](cl::TOpenDialog& dialog) {
      for (const std::string& file : files) dialog.Files()->Add(file);
      dialog.SetFileName(files.front());
      return std::optional<bool>(true);
    };
  }

  static std::vector<std::string> SortedWindowCaptions() {
    std::vector<std::string> captions;
    for (TEditForm* window : ImageWindows()) captions.push_back(window->Caption());
    std::sort(captions.begin(), captions.end());
    return captions;
  }

  std::vector<std::string> VisibleRecentItems() const {
    std::vector<std::string> captions;
    for (cl::TMenuItem* item : FFrame->RecentItems)
      if (item->Visible()) captions.push_back(item->Caption());
    return captions;
  }

  cl::TRegistry FSettings;
  TFrameForm* FFrame = nullptr;
  cl::test::Responder FResponder;
};

TEST_F(FrameFormTest, ShowsTheUsedRecentFileSlotsOnly) {
  EXPECT_EQ(VisibleRecentItems(), (std::vector<std::string>{"C:\\one.bmp", "C:\\two.bmp"}));
  EXPECT_TRUE(FFrame->N9->Visible());
  WriteRecentFiles(FSettings, {"", "", "", "", ""});
  FFrame->ShowRecentFiles(ReadRecentFiles(FSettings));
  EXPECT_TRUE(VisibleRecentItems().empty());
  EXPECT_FALSE(FFrame->N9->Visible());
}

TEST_F(FrameFormTest, ClosingAnImageWindowPutsItsFileFirst) {
  TEditForm* window = cl::New<TEditForm>(FFrame);
  window->SetCaption("C:\\two.bmp");
  EXPECT_TRUE(window->CloseQuery());
  EXPECT_EQ(VisibleRecentItems(), (std::vector<std::string>{"C:\\two.bmp", "C:\\one.bmp"}));
  window->Free();
}

TEST_F(FrameFormTest, ARecentItemOpensItsFileInANewWindow) {
  const std::string file = MakePicture("recent.bmp");
  WriteRecentFiles(FSettings, {"C:\\one.bmp", file, "", "", ""});
  FFrame->ShowRecentFiles(ReadRecentFiles(FSettings));
  FFrame->RecentItems[1]->Click();
  ASSERT_EQ(ImageWindows().size(), 1u);
  TEditForm* window = ImageWindows()[0];
  EXPECT_EQ(window->Caption(), file);
  EXPECT_EQ(window->Image1->Picture()->Width(), 8);
  // An image window's own recent items open their files the same way.
  window->RecentItems[1]->SetCaption(file);
  window->RecentItems[1]->Click();
  EXPECT_EQ(SortedWindowCaptions(), (std::vector<std::string>{file, file}));
}

TEST_F(FrameFormTest, OpenOpensEachChosenFileInAWindowOfItsOwnAndKeepsTheFirstFilesFolder) {
  const std::string first = MakePicture("first.bmp");
  const std::string second = MakePicture("second.bmp");
  ChooseFiles({first, second});
  FFrame->OpenChild(nullptr);
  ASSERT_EQ(FResponder.FileDialogs.size(), 1u);
  const cl::test::FileDialogCall& dialog = FResponder.FileDialogs[0];
  EXPECT_EQ(dialog.ClassName, "TOpenDialog");
  EXPECT_EQ(dialog.InitialDir, "C:\\before\\");
  EXPECT_EQ(dialog.DefaultExt, "JPG");
  EXPECT_EQ(dialog.Filter, kOpenFilter);
  EXPECT_TRUE(cl::TOpenOptions::FromMask(dialog.Options).Contains(cl::ofAllowMultiSelect));
  EXPECT_EQ(SortedWindowCaptions(), (std::vector<std::string>{first, second}));
  EXPECT_EQ(FFrame->StatusBar1->Panels()->Items(TFrameForm::kHintPanel)->Text(), "Loading...Please Wait");
  EXPECT_EQ(FSettings.ReadString(kLastDirValue), cl::ExtractFilePath(first));
}

TEST_F(FrameFormTest, ACancelledOpenDialogOpensNothingAndKeepsTheLastFolder) {
  FResponder.OnFileDialog = [](cl::TOpenDialog&) { return std::optional<bool>(false); };
  FFrame->OpenChild(nullptr);
  EXPECT_TRUE(ImageWindows().empty());
  EXPECT_EQ(FSettings.ReadString(kLastDirValue), "C:\\before\\");
}

TEST_F(FrameFormTest, OpenEndsAtAFileThatFindsNoWorkingCopyAndKeepsTheLastFolder) {
  const std::vector<std::string> files{MakePicture("a.bmp"), MakePicture("b.bmp"), MakePicture("c.bmp")};
  ChooseFiles(files);
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  {
    test::TakenWorkingCopies taken(1);
    FFrame->OpenChild(nullptr);
  }
  // The second window stays, empty, and has said why; the third file was not opened.
  EXPECT_EQ(SortedWindowCaptions(), (std::vector<std::string>{"Untitled1", files[0]}));
  ASSERT_EQ(FResponder.MessageDlgs.size(), 1u);
  EXPECT_NE(FResponder.MessageDlgs[0].Text.find("Cannot create file"), std::string::npos);
  EXPECT_EQ(FSettings.ReadString(kLastDirValue), "C:\\before\\");
}

TEST_F(FrameFormTest, ExitAsksEachImageWindowAndKeepsTheProgramOnCancel) {
  const std::string file = MakePicture("shown at exit.bmp");
  ShowFrame();
  FFrame->OpenInNewWindow(file);
  TEditForm* untitled = cl::New<TEditForm>(FFrame);
  FResponder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDCANCEL; };
  FFrame->Exit1Click(nullptr);
  ASSERT_EQ(FResponder.MessageBoxes.size(), 1u);
  EXPECT_EQ(FResponder.MessageBoxes[0].Text, "Save Changes to '" + untitled->Caption() + "'?");
  EXPECT_TRUE(FFrame->Visible());
  EXPECT_EQ(ImageWindows().size(), 2u);

  // No throws the untitled picture away; the window that shows a file enters the recent list on the way out.
  FResponder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDNO; };
  FFrame->Exit1Click(nullptr);
  EXPECT_EQ(FResponder.MessageBoxes.size(), 2u);
  EXPECT_FALSE(FFrame->Visible());
  EXPECT_EQ(ReadRecentFiles(FSettings)[0], file);
}

TEST_F(FrameFormTest, TheBrowserIsBuiltBesideTheProgram) {
  std::string program = ORVANE_EXE;
  std::replace(program.begin(), program.end(), '/', '\\');
  EXPECT_TRUE(cl::FileExists(BrowserCommandLine(program))) << BrowserCommandLine(program);
}

TEST_F(FrameFormTest, ABrowserOrHelpFileThatCannotBeStartedIsReported) {
  // The test program's folder holds neither the browser nor the help file.
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  FFrame->Tarnby1Click(nullptr);
  FFrame->UsingMarbeckImageViewer1Click(nullptr);
  ASSERT_EQ(FResponder.MessageDlgs.size(), 2u);
  EXPECT_EQ(FResponder.MessageDlgs[0].Text, "Cannot start " + BrowserCommandLine(cl::Application->ExeName()));
  EXPECT_EQ(FResponder.MessageDlgs[1].Text, "Cannot start " + HelpFileName(cl::Application->ExeName()));
  EXPECT_EQ(FResponder.MessageDlgs[1].Caption, "Error");
}

// A window's rectangle in the frame's client window.
RECT ClientRect(TEditForm* window) {
  RECT rect;
  GetWindowRect(window->Handle(), &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window->Handle()), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(FrameFormTest, EachNewImageWindowOpensAStepFurtherIn) {
  ShowFrame();
  TEditForm* first = cl::New<TEditForm>(FFrame);
  TEditForm* second = cl::New<TEditForm>(FFrame);
  const RECT a = ClientRect(first), b = ClientRect(second);
  EXPECT_GT(b.left, a.left);
  EXPECT_GT(b.top, a.top);
}

TEST_F(FrameFormTest, TheWindowMenuTilesAndCascadesTheImageWindows) {
  ShowFrame();
  TEditForm* first = cl::New<TEditForm>(FFrame);
  TEditForm* second = cl::New<TEditForm>(FFrame);
  RECT overlap;
  FFrame->Window1->Items(0)->Click();  // Tile: side by side, each whole
  RECT a = ClientRect(first), b = ClientRect(second);
  EXPECT_FALSE(IntersectRect(&overlap, &a, &b));
  FFrame->Window1->Items(1)->Click();  // Cascade: each a step further in
  a = ClientRect(first);
  b = ClientRect(second);
  EXPECT_TRUE(IntersectRect(&overlap, &a, &b));
  EXPECT_NE(a.left, b.left);
  EXPECT_NE(a.top, b.top);
}

}  // namespace
}  // namespace viewer
