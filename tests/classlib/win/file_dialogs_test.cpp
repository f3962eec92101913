// Open and save dialogs: the responder's answers and the real comdlg32 dialogs under Wine, filled in and closed
// by a timer that runs inside their modal loop.
#include "classlib/win/file_dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "classlib/core/string_utils.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "support/dialog_driver.h"
#include "support/screenshot.h"

namespace {

using namespace cl;
using namespace std::string_literals;

class FileDialogTest : public testing::Test {
 protected:
  void SetUp() override { dialog = New<TOpenDialog>(Application); }
  void TearDown() override { Free(dialog); }
  TOpenDialog* dialog = nullptr;
};

TEST_F(FileDialogTest, ResponderSeesTheSettingsAndFillsAMultipleSelection) {
  test::Responder responder;
  responder.OnFileDialog = [](TOpenDialog& d) -> std::optional<bool> {
    d.Files()->Add("C:\\pics\\one.gif");
    d.Files()->Add("C:\\pics\\two.png");
    d.SetFilterIndex(3);
    return true;
  };
  dialog->SetTitle("Open Image");
  dialog->SetInitialDir("C:\\pics");
  dialog->SetFilter("All|*.gif;*.png|GIF|*.gif|PNG|*.png");
  dialog->SetDefaultExt("JPG");
  dialog->SetOptions({ofHideReadOnly, ofAllowMultiSelect});
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), "C:\\pics\\one.gif");
  EXPECT_EQ(dialog->Files()->Count(), 2);
  EXPECT_EQ(dialog->FilterIndex(), 3);
  ASSERT_EQ(responder.FileDialogs.size(), 1u);
  const test::FileDialogCall& call = responder.FileDialogs[0];
  EXPECT_EQ(call.ClassName, "TOpenDialog");
  EXPECT_EQ(call.Title, "Open Image");
  EXPECT_EQ(call.InitialDir, "C:\\pics");
  EXPECT_EQ(call.Filter, "All|*.gif;*.png|GIF|*.gif|PNG|*.png");
  EXPECT_EQ(call.DefaultExt, "JPG");
  EXPECT_EQ(call.FilterIndex, 1);
  EXPECT_EQ(call.Options, (TOpenOptions{ofHideReadOnly, ofAllowMultiSelect}).Mask());
}

TEST_F(FileDialogTest, ResponderSettingOnlyFileNameGivesOneFileAndCancelChangesNothing) {
  test::Responder responder;
  responder.OnFileDialog = [](TOpenDialog& d) -> std::optional<bool> {
    d.SetFileName("C:\\pics\\saved.bmp");
    return true;
  };
  TSaveDialog* save = New<TSaveDialog>(dialog);
  save->Files()->Add("C:\\old\\stale.bmp");
  ASSERT_TRUE(save->Execute());
  EXPECT_EQ(save->Files()->Text(), "C:\\pics\\saved.bmp\r\n");
  EXPECT_EQ(responder.FileDialogs.at(0).ClassName, "TSaveDialog");

  responder.OnFileDialog = [](TOpenDialog&) -> std::optional<bool> { return false; };
  EXPECT_FALSE(save->Execute());
  EXPECT_EQ(save->FileName(), "C:\\pics\\saved.bmp");
}

TEST_F(FileDialogTest, AnUnexpectedDialogFailsTheTestAndIsCancelled) {
  test::Responder strict;
  bool chosen = true;
  EXPECT_NONFATAL_FAILURE(chosen = dialog->Execute(), "unexpected file dialog TOpenDialog");
  EXPECT_FALSE(chosen);
}

// The real dialogs, filled in and closed from inside their modal loop.
class RealFileDialogTest : public FileDialogTest {
 protected:
  void SetUp() override {
    FileDialogTest::SetUp();
    folder = std::getenv("PROJECT_TEST_DIR");
    std::replace(folder.begin(), folder.end(), '/', '\\');
    for (const char* name : {"a.bmp", "b.bmp"}) std::ofstream(folder + "\\" + name) << "x";
    responder.OnFileDialog = [](TOpenDialog&) -> std::optional<bool> { return std::nullopt; };
  }

  bool ExecuteWith(TOpenDialog* fileDialog, std::function<void(HWND)> action) {
    return driver.Run([&] { return fileDialog->Execute(); }, std::move(action));
  }
  bool ExecuteWith(TOpenDialog* fileDialog, std::vector<std::function<void(HWND)>> actions) {
    return driver.Run([&] { return fileDialog->Execute(); }, std::move(actions));
  }

  static constexpr const char* kTitle = "Dialog under test";
  test::Responder responder;
  cltest::DialogDriver driver;
  std::string folder;
};

TEST_F(RealFileDialogTest, OpenDialogReturnsSeveralTypedFilesAsFullPaths) {
  dialog->SetTitle(kTitle);
  dialog->SetInitialDir(folder);
  dialog->SetFilter("Bitmaps (*.bmp)|*.bmp|All files|*.*");
  dialog->SetFilterIndex(2);
  dialog->SetOptions({ofHideReadOnly, ofAllowMultiSelect, ofFileMustExist});
  ASSERT_TRUE(ExecuteWith(dialog, [](HWND dlg) {
    char title[64] = {};
    GetWindowTextA(dlg, title, sizeof title);
    EXPECT_STREQ(title, kTitle);
    testsupport::SaveScreenshot("classlib_open_dialog");
    cltest::DialogDriver::TypeFileName(dlg, "\"a.bmp\" \"b.bmp\"");
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
  }));
  ASSERT_EQ(dialog->Files()->Count(), 2);
  EXPECT_TRUE(SameText(dialog->Files()->Strings(0), folder + "\\a.bmp")) << dialog->Files()->Strings(0);
  EXPECT_TRUE(SameText(dialog->Files()->Strings(1), folder + "\\b.bmp")) << dialog->Files()->Strings(1);
  EXPECT_EQ(dialog->FileName(), dialog->Files()->Strings(0));
  EXPECT_EQ(dialog->FilterIndex(), 2);
}

TEST_F(RealFileDialogTest, SaveDialogAddsTheDefaultExtensionAndCancelKeepsTheName) {
  TSaveDialog* save = New<TSaveDialog>(dialog);
  save->SetTitle(kTitle);
  save->SetInitialDir(folder);
  save->SetFilter("Bitmaps (*.bmp)|*.bmp");
  save->SetDefaultExt("BMP");
  save->SetFileName("first");
  ASSERT_TRUE(ExecuteWith(save, [](HWND dlg) {
    cltest::DialogDriver::TypeFileName(dlg, "picture");
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
  }));
  EXPECT_TRUE(SameText(save->FileName(), folder + "\\picture.BMP")) << save->FileName();
  EXPECT_EQ(save->Files()->Count(), 1);

  EXPECT_FALSE(ExecuteWith(save, [](HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); }));
  EXPECT_TRUE(SameText(save->FileName(), folder + "\\picture.BMP"));
}

// The name shown at the start is the one chosen last time: a shorter new choice is all that comes back.
TEST_F(RealFileDialogTest, AShorterNameChosenAfterALongerOneComesBackAlone) {
  TSaveDialog* save = New<TSaveDialog>(dialog);
  save->SetTitle(kTitle);
  save->SetFileName(folder + "\\holiday-at-the-seaside.png");
  ASSERT_TRUE(ExecuteWith(save, [&](HWND dlg) {
    cltest::DialogDriver::TypeFileName(dlg, folder + "\\b.png");
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
  }));
  EXPECT_TRUE(SameText(save->FileName(), folder + "\\b.png")) << save->FileName();
  EXPECT_EQ(save->Files()->Count(), 1);

  dialog->SetTitle(kTitle);
  dialog->SetOptions({ofHideReadOnly, ofAllowMultiSelect, ofFileMustExist});
  dialog->SetFileName(folder + "\\a-much-longer-name-than-the-next.bmp");
  ASSERT_TRUE(ExecuteWith(dialog, [&](HWND dlg) {
    cltest::DialogDriver::TypeFileName(dlg, folder + "\\a.bmp");
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
  }));
  EXPECT_TRUE(SameText(dialog->FileName(), folder + "\\a.bmp")) << dialog->FileName();
  EXPECT_EQ(dialog->Files()->Count(), 1);
}

TEST_F(RealFileDialogTest, ReplacingAFileIsAskedAsAQuestionAndNoShowsTheDialogAgain) {
  TSaveDialog* save = New<TSaveDialog>(dialog);
  save->SetTitle(kTitle);
  save->SetInitialDir(folder);
  save->SetOptions({ofHideReadOnly, ofOverwritePrompt});
  std::vector<int> answers = {IDNO, IDYES};
  responder.OnMessageBox = [&](const test::MessageBoxCall&) {
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  };
  const auto chooseExisting = [](HWND dlg) {
    cltest::DialogDriver::TypeFileName(dlg, "a.bmp");
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
  };
  ASSERT_TRUE(ExecuteWith(save, {chooseExisting, chooseExisting}));
  ASSERT_EQ(responder.MessageBoxes.size(), 2u);
  EXPECT_EQ(responder.MessageBoxes[0].Caption, "Confirm Save As");
  EXPECT_EQ(responder.MessageBoxes[0].Text, "a.bmp already exists.\nDo you want to replace it?");
  EXPECT_EQ(responder.MessageBoxes[0].Flags, UINT(MB_YESNO | MB_ICONQUESTION));
  EXPECT_TRUE(SameText(save->FileName(), folder + "\\a.bmp")) << save->FileName();
}

// An open dialog whose name buffer holds only a few names.
class TSmallOpenDialog : public TOpenDialog {
  CL_CLASS(TSmallOpenDialog, TOpenDialog)
 public:
  explicit TSmallOpenDialog(TComponent* owner) : TOpenDialog(owner) {}

 protected:
  size_t FileBufferSize() const override { return 300; }
};

TEST_F(RealFileDialogTest, ASelectionTooLargeForTheBufferIsAnErrorAndChangesNothing) {
  auto* small = New<TSmallOpenDialog>(dialog);
  small->SetTitle(kTitle);
  small->SetInitialDir(folder);
  small->SetOptions({ofAllowMultiSelect});
  small->SetFileName("kept.bmp");
  std::string names;
  for (int i = 0; i < 40; ++i) names += "\"picture number " + std::to_string(i) + ".bmp\" ";
  EXPECT_THROW(ExecuteWith(small,
                           [&](HWND dlg) {
                             cltest::DialogDriver::TypeFileName(dlg, names);
                             PostMessageA(dlg, WM_COMMAND, IDOK, 0);
                           }),
               ECommonDialogError);
  EXPECT_EQ(small->FileName(), "kept.bmp");
  EXPECT_EQ(small->Files()->Count(), 0);
}

}  // namespace
