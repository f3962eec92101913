// Image windows with the real image control: opening every format the viewer reads, the untitled names, saving
// in every format it writes and reading the result back, and the close question.
#include "viewer/edit_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "classlib/core/byte_reader.h"
#include "classlib/core/files.h"
#include "classlib/core/string_utils.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/colors.h"
#include "classlib/win/file_dialogs.h"
#include "classlib/win/menus.h"
#include "classlib/win/status_bar.h"
#include "frame_fixture.h"
#include "image/load_image.h"
#include "support/dialog_driver.h"
#include "taken_working_copies.h"
#include "viewer/core/image_files.h"
#include "viewer/frame_form.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// A stepped gradient of 48 colours in 8-pixel blocks: few enough for GIF, smooth enough for JPEG.
cl::TColor BlockColor(int x, int y) {
  return RGB(x / 8 * 32, y / 8 * 40, 100);
}

struct Pixels {
  int Width = 0;
  int Height = 0;
  std::vector<cl::TColor> Values;
};

Pixels ReadBmp(const std::string& name) {
  cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
  bitmap->LoadFromFile(name);
  Pixels pixels{bitmap->Width(), bitmap->Height(), {}};
  for (int y = 0; y < pixels.Height; ++y)
    for (int x = 0; x < pixels.Width; ++x) pixels.Values.push_back(bitmap->Canvas()->Pixels(x, y));
  bitmap->Free();
  return pixels;
}

double Psnr(const Pixels& a, const Pixels& b) {
  double squares = 0;
  for (size_t i = 0; i < a.Values.size(); ++i)
    for (int shift : {0, 8, 16}) {
      const double d = double((a.Values[i] >> shift) & 0xFF) - double((b.Values[i] >> shift) & 0xFF);
      squares += d * d;
    }
  const double mse = squares / (3.0 * a.Values.size());
  return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

class EditFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Image windows live in the frame.
    NewFrame();
    FrameForm->HandleNeeded();
    FDir = std::getenv("PROJECT_TEST_DIR");
    FSource = FDir + "\\blocks.bmp";
    cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
    bitmap->SetPixelFormat(cl::pf24bit);
    bitmap->SetSize(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) bitmap->Canvas()->SetPixels(x, y, BlockColor(x, y));
    bitmap->SaveToFile(FSource);
    bitmap->Free();
    FExpected = ReadBmp(FSource);
  }
  void TearDown() override {
    for (TEditForm* window : ImageWindows()) window->Free();
    cl::FreeAndNil(FrameForm);
  }

  TEditForm* NewWindow() { return cl::New<TEditForm>(nullptr); }
  void SetLastDir(const std::string& folder) {
    cl::TRegistry settings;
    OpenSettings(settings);
    settings.WriteString(kLastDirValue, folder);
  }
  std::string LastDir() {
    cl::TRegistry settings;
    OpenSettings(settings);
    return settings.ReadString(kLastDirValue);
  }

  std::string FDir;
  std::string FSource;
  Pixels FExpected;
  cl::test::Responder FResponder;
};

TEST_F(EditFormTest, ThreeNewWindowsAreNamedInOrderAndNamesRepeatAfterAClose) {
  TEditForm* first = NewWindow();
  TEditForm* second = NewWindow();
  TEditForm* third = NewWindow();
  EXPECT_EQ(first->Caption(), "Untitled1");
  EXPECT_EQ(second->Caption(), "Untitled2");
  EXPECT_EQ(third->Caption(), "Untitled3");
  second->Free();
  EXPECT_EQ(NewWindow()->Caption(), "Untitled3");
}

TEST_F(EditFormTest, OpeningAFileShowsItAndItsWorkingCopyHoldsThePicture) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  EXPECT_EQ(window->Caption(), FSource);
  EXPECT_FALSE(window->Document().Modified());
  EXPECT_EQ(window->Image1->Picture()->Width(), kWidth);
  const Pixels copy = ReadBmp(window->Document().WorkFile());
  EXPECT_EQ(copy.Values, FExpected.Values);
}

TEST_F(EditFormTest, AMissingFileLeavesAnEmptyUntitledWindowAndIsReported) {
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  TEditForm* window = NewWindow();
  const std::string missing = FDir + "\\a.bmp " + FDir + "\\b.bmp";
  window->Open(missing);
  EXPECT_TRUE(window->Caption().starts_with("Untitled"));
  ASSERT_EQ(FResponder.MessageDlgs.size(), 1u);
  EXPECT_EQ(FResponder.MessageDlgs[0].Text, missing + "-unable to load");
  EXPECT_EQ(FResponder.MessageDlgs[0].Caption, "Information");
}

std::string ReadFileBytes(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

// Files the viewer cannot read, by name: not a picture; a LogLuv TIFF whose pixel data does not decode, as it is and
// with its one IFD named as its own next one.
std::vector<std::pair<std::string, std::string>> UnreadableFiles() {
  const std::string logLuv =
      ReadFileBytes(std::string(std::getenv("PROJECT_SOURCE_DIR")) + "/tests/viewer/win/data/logluv_damaged.tif");
  std::string loop = logLuv;
  const uint32_t ifd = cl::le::ReadU32(reinterpret_cast<const uint8_t*>(loop.data()) + 4);
  const uint16_t entries = cl::le::ReadU16(reinterpret_cast<const uint8_t*>(loop.data()) + ifd);
  std::memcpy(loop.data() + ifd + 2 + 12 * entries, &ifd, sizeof ifd);
  return {{"broken.png", "not a picture"}, {"logluv.tif", logLuv}, {"ifd loop.tif", loop}};
}

TEST_F(EditFormTest, AnUnreadableFileIsReportedAndTheWindowStays) {
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  for (const auto& [name, bytes] : UnreadableFiles()) {
    SCOPED_TRACE(name);
    ASSERT_FALSE(bytes.empty());
    WriteFileBytes(FDir.substr(2) + "/" + name, bytes);
    FResponder.MessageDlgs.clear();
    TEditForm* window = NewWindow();
    window->Open(FDir + "\\" + name);
    ASSERT_EQ(FResponder.MessageDlgs.size(), 1u);
    EXPECT_EQ(FResponder.MessageDlgs[0].Text, FDir + "\\" + name + "-unable to load");
    EXPECT_FALSE(window->Document().Modified());
  }
}

TEST_F(EditFormTest, SavingInEachWritableFormatAndReopeningGivesTheSamePixels) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  for (const char* extension : {".bmp", ".png", ".tif", ".pcx", ".tga", ".dcx", ".gif", ".jpg"}) {
    SCOPED_TRACE(extension);
    const std::string target = FDir + "\\saved" + extension;
    cl::RemoveFile(target);
    ASSERT_TRUE(window->SaveAsName(target));
    EXPECT_EQ(window->Caption(), target);
    TEditForm* reopened = NewWindow();
    reopened->Open(target);
    const Pixels copy = ReadBmp(reopened->Document().WorkFile());
    ASSERT_EQ(copy.Width, kWidth);
    ASSERT_EQ(copy.Height, kHeight);
    if (std::string(extension) == ".jpg")
      EXPECT_GT(Psnr(copy, FExpected), 30.0);
    else
      EXPECT_EQ(copy.Values, FExpected.Values);
    reopened->Free();
  }
}

TEST_F(EditFormTest, AFailedSaveKeepsTheFileTheCaptionAndTheModifiedState) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  window->Document().SetModified(true);
  const std::string target = FDir + "\\kept.jpeg";
  {
    std::FILE* file = std::fopen((FDir.substr(2) + "/kept.jpeg").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("user bytes", file);
    std::fclose(file);
  }
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  EXPECT_FALSE(window->SaveAsName(target));
  EXPECT_EQ(window->Caption(), FSource);
  EXPECT_TRUE(window->Document().Modified());
  std::FILE* file = std::fopen((FDir.substr(2) + "/kept.jpeg").c_str(), "rb");
  char bytes[32] = {};
  std::fread(bytes, 1, sizeof bytes - 1, file);
  std::fclose(file);
  EXPECT_STREQ(bytes, "user bytes");
}

TEST_F(EditFormTest, AFailedSaveNamesTheUsersFileInTheStatusBar) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  const std::string target = FDir + "\\no such folder\\picture.jpg";
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  EXPECT_FALSE(window->SaveAsName(target));
  ASSERT_EQ(FResponder.MessageDlgs.size(), 1u);
  EXPECT_EQ(FResponder.MessageDlgs[0].Text, target + "-unable to save");
  const std::string status = FrameForm->StatusBar1->Panels()->Items(TFrameForm::kHintPanel)->Text();
  EXPECT_NE(status.find(target), std::string::npos) << status;
  EXPECT_EQ(status.find('~'), std::string::npos) << status;
}

TEST_F(EditFormTest, AppendingToAnExistingTiffIsAskedAndCancelChangesNothing) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  const std::string target = FDir + "\\PAGES.TIF";
  cl::RemoveFile(target);
  ASSERT_TRUE(window->SaveAsName(target));
  window->Image1->SetOverWrite(false);
  window->Document().SetModified(true);
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrCancel); };
  EXPECT_FALSE(window->SaveAsName(target));
  ASSERT_EQ(FResponder.MessageDlgs.size(), 1u);
  EXPECT_EQ(FResponder.MessageDlgs[0].Text, "File exists - saving to this name will APPEND the image to the file");
  EXPECT_TRUE(window->Document().Modified());
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  EXPECT_TRUE(window->SaveAsName(target));
  window->Image1->SetCountImagesinFile(target);
  EXPECT_EQ(window->Image1->ImageCount(), 2);
}

TEST_F(EditFormTest, DeleteRemovesTheShownFileAfterTheQuestionAndClosesTheWindow) {
  const std::string file = FDir + "\\doomed.bmp";
  ASSERT_TRUE(CopyFileA(FSource.c_str(), file.c_str(), FALSE));
  TEditForm* window = NewWindow();
  window->Open(file);
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrYes); };
  window->Delete1Click(nullptr);
  ASSERT_EQ(FResponder.MessageDlgs.size(), 1u);
  EXPECT_EQ(FResponder.MessageDlgs[0].Text, "Delete file " + file + " from drive?");
  EXPECT_EQ(FResponder.MessageDlgs[0].Caption, "Confirm");
  EXPECT_FALSE(cl::FileExists(file));
  cl::test::PumpUntil([] { return ImageWindows().empty(); }, 2000);
  EXPECT_TRUE(ImageWindows().empty());
  // The close question that follows moves the deleted file's name to the top of the recent list.
  cl::TRegistry settings;
  OpenSettings(settings);
  EXPECT_EQ(ReadRecentFiles(settings)[0], file);
}

TEST_F(EditFormTest, CancelInTheCloseQuestionKeepsTheWindowButEntersTheRecentFile) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  window->Document().SetModified(true);
  FResponder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDCANCEL; };
  EXPECT_FALSE(window->CloseQuery());
  ASSERT_EQ(FResponder.MessageBoxes.size(), 1u);
  EXPECT_EQ(FResponder.MessageBoxes[0].Text, "Save Changes to '" + FSource + "'?");
  EXPECT_EQ(FResponder.MessageBoxes[0].Caption, "Orlanto");
  EXPECT_EQ(FResponder.MessageBoxes[0].Flags & (MB_TYPEMASK | MB_ICONMASK), UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
  cl::TRegistry settings;
  OpenSettings(settings);
  EXPECT_EQ(ReadRecentFiles(settings)[0], FSource);
}

TEST_F(EditFormTest, ClosingAnUnchangedWindowAsksNothingAndDeletesItsWorkingCopy) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  const std::string workFile = window->Document().WorkFile();
  EXPECT_TRUE(cl::FileExists(workFile));
  EXPECT_TRUE(workFile.starts_with(window->CtlSysInfo1->TempPath())) << workFile;
  window->Close();
  cl::test::PumpUntil([] { return ImageWindows().empty(); }, 2000);
  EXPECT_TRUE(ImageWindows().empty());
  EXPECT_TRUE(FResponder.MessageBoxes.empty());
  EXPECT_FALSE(cl::FileExists(workFile));
}

TEST_F(EditFormTest, YesAndACancelledSaveDialogKeepAnUntitledWindow) {
  TEditForm* window = NewWindow();
  FResponder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDYES; };
  FResponder.OnFileDialog = [](cl::TOpenDialog&) { return std::optional<bool>(false); };
  EXPECT_FALSE(window->CloseQuery());
  ASSERT_EQ(FResponder.FileDialogs.size(), 1u);
  EXPECT_EQ(FResponder.FileDialogs[0].ClassName, "TSaveDialog");
}

TEST_F(EditFormTest, YesAndSaveAsEnterTheWindowInTheRecentListUnderItsNewName) {
  // An untitled window with a picture, as one that holds a pasted or captured picture.
  TEditForm* window = NewWindow();
  window->Open(FSource);
  window->SetCaption("Untitled1");
  const std::string target = FDir + "\\saved on close.bmp";
  cl::RemoveFile(target);
  FResponder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDYES; };
  FResponder.OnFileDialog = [&](cl::TOpenDialog& dialog) {
    dialog.SetFileName(target);
    return std::optional<bool>(true);
  };
  EXPECT_TRUE(window->CloseQuery());
  EXPECT_TRUE(cl::FileExists(target));
  cl::TRegistry settings;
  OpenSettings(settings);
  EXPECT_EQ(ReadRecentFiles(settings)[0], target);
}

TEST_F(EditFormTest, SaveAsWritesTheDialogsNameWithTheChosenTypesExtensionAndKeepsItsFolder) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  SetLastDir("C:\\before\\");
  const std::string target = FDir + "\\chosen.png";
  cl::RemoveFile(target);
  FResponder.OnFileDialog = [&](cl::TOpenDialog& dialog) {
    dialog.SetFileName(FDir + "\\chosen");
    dialog.SetFilterIndex(5);
    return std::optional<bool>(true);
  };
  EXPECT_TRUE(window->SaveAs());
  ASSERT_EQ(FResponder.FileDialogs.size(), 1u);
  EXPECT_EQ(FResponder.FileDialogs[0].InitialDir, "C:\\before\\");
  EXPECT_EQ(FResponder.FileDialogs[0].DefaultExt, "BMP");
  EXPECT_EQ(FResponder.FileDialogs[0].Filter, kSaveFilter);
  EXPECT_TRUE(cl::FileExists(target));
  EXPECT_EQ(window->Caption(), target);
  EXPECT_EQ(LastDir(), FDir + "\\");
}

TEST_F(EditFormTest, SaveAsInTheRealDialogWithALongerThenAShorterNameSavesBoth) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  std::string folder = FDir + "\\";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  SetLastDir(folder);
  FResponder.OnFileDialog = [](cl::TOpenDialog&) { return std::optional<bool>(); };
  cltest::DialogDriver driver;
  for (const char* name : {"holiday-at-the-seaside.png", "b.png"}) {
    cl::RemoveFile(folder + name);
    EXPECT_TRUE(driver.Run([&] { return window->SaveAs(); },
                           [&](HWND dialog) {
                             cltest::DialogDriver::TypeFileName(dialog, name);
                             PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                           }));
    EXPECT_TRUE(cl::FileExists(folder + name)) << name;
    EXPECT_TRUE(cl::SameText(window->Caption(), folder + name)) << window->Caption();
    EXPECT_EQ(LastDir(), folder);
  }
}

TEST_F(EditFormTest, TheSaveDialogAsksBeforeReplacingAFileWhileTheControlOverwrites) {
  TEditForm* window = NewWindow();
  FResponder.OnFileDialog = [](cl::TOpenDialog&) { return std::optional<bool>(false); };
  window->SaveAs();
  window->Image1->SetOverWrite(false);  // appending to TIFF and DCX files is asked after the dialog instead
  window->SaveAs();
  ASSERT_EQ(FResponder.FileDialogs.size(), 2u);
  EXPECT_TRUE(cl::TOpenOptions::FromMask(FResponder.FileDialogs[0].Options).Contains(cl::ofOverwritePrompt));
  EXPECT_FALSE(cl::TOpenOptions::FromMask(FResponder.FileDialogs[1].Options).Contains(cl::ofOverwritePrompt));
}

TEST_F(EditFormTest, SaveOnAnUnchangedWindowRunsSaveAsAndACancelKeepsTheLastFolder) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  SetLastDir("C:\\kept\\");
  FResponder.OnFileDialog = [](cl::TOpenDialog&) { return std::optional<bool>(false); };
  EXPECT_FALSE(window->Save());
  EXPECT_EQ(FResponder.FileDialogs.size(), 1u);
  EXPECT_EQ(LastDir(), "C:\\kept\\");
  EXPECT_EQ(window->Caption(), FSource);
}

TEST_F(EditFormTest, WithoutAWorkingCopyTheWindowSaysSoAndTheFileIsUntouched) {
  test::TakenWorkingCopies taken(0);
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  TEditForm* window = NewWindow();
  EXPECT_THROW(window->Open(FSource), cl::EAbort);
  ASSERT_EQ(FResponder.MessageDlgs.size(), 1u);
  EXPECT_NE(FResponder.MessageDlgs[0].Text.find("Cannot create file"), std::string::npos);
  EXPECT_EQ(ReadBmp(FSource).Values, FExpected.Values);
}

TEST_F(EditFormTest, AWindowActivatedAgainReadsItsWorkingCopyBack) {
  TEditForm* window = NewWindow();
  window->Open(FSource);
  TEditForm* other = NewWindow();
  const auto activate = [](TEditForm* form) {
    SendMessageA(FrameForm->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(form->Handle()), 0);
  };
  activate(other);
  // The working copy changes behind the window (as an edit writes it).
  cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
  bitmap->SetSize(20, 10);
  bitmap->SaveToFile(window->Document().WorkFile());
  bitmap->Free();
  activate(window);
  EXPECT_EQ(window->Image1->Picture()->Width(), 20);
  EXPECT_EQ(window->Image1->Picture()->Height(), 10);
}

TEST_F(EditFormTest, TheFileMenuShowsTheRecentFilesWhenTheWindowIsActivated) {
  cl::TRegistry settings;
  OpenSettings(settings);
  WriteRecentFiles(settings, {"C:\\one.bmp", "", "", "", ""});
  TEditForm* window = NewWindow();
  cl::test::PumpUntil([&] { return window->RecentItems[0]->Visible(); }, 2000);
  EXPECT_EQ(window->RecentItems[0]->Caption(), "C:\\one.bmp");
  EXPECT_FALSE(window->RecentItems[1]->Visible());
  EXPECT_TRUE(window->N5->Visible());
}

}  // namespace
}  // namespace viewer
