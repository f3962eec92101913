// Orvane's Print: no dialog, the picture at three times its size at the page's top left (smaller where that runs
// off the page) on the printer chosen with Print Setup. Checked on a recorded metafile page and in the PDF files
// that the test set-up's CUPS printer writes; the NoPrinter cases run in a Wine prefix that sees no printer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/test/input.h"
#include "classlib/test/menu_items.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/menus.h"
#include "classlib/win/printer.h"
#include "classlib/win/registry.h"
#include "classlib/win/timer.h"
#include "frame_fixture.h"
#include "support/dialog_driver.h"
#include "support/printed_pages.h"
#include "support/screenshot.h"
#include "toolbars/toolbar_button.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

using testsupport::kPdfPrinter;

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NewFrame();
    // Showing opens the test program's command line as a file, which is reported and closed again.
    FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
    FrameForm->Show();
    for (TEditForm* window : ImageWindows()) window->Free();
    FResponder.OnMessageDlg = nullptr;
  }
  void TearDown() override {
    for (TEditForm* window : ImageWindows()) window->Free();
    cl::FreeAndNil(FrameForm);
    for (const std::string& picture : FPictures) DeleteFileA(picture.c_str());
    cl::Printer()->SetBackend(nullptr);
    cl::Printer()->SetPrinterIndex(-1);
  }

  // The active window on a new picture of four coloured quarters in a file of that name.
  TEditForm* Opened(const std::string& fileName, int width, int height) {
    const std::string path = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\" + fileName;
    cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
    bitmap->SetPixelFormat(cl::pf24bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) bitmap->Canvas()->SetPixels(x, y, testsupport::QuarterColor(x, y, width, height));
    bitmap->SaveToFile(path);
    FPictures.push_back(path);
    TEditForm* window = cl::New<TEditForm>(FrameForm);
    window->Open(path);
    window->Show();
    return window;
  }
  // Ctrl+P, as the user presses it in the active window; an error goes where the program's message loop sends it.
  static void PressPrint() {
    try {
      cl::test::Key('P', {cl::ssCtrl});
    } catch (...) {
      cl::Application->HandleException(nullptr);
    }
  }
  static cl::TMenuItem* FileMenuItem(TEditForm* window, const std::string& name) {
    if (cl::TMenuItem* item = cl::test::FindItemNamed(window->MainMenu1->Items()->Items(0), name)) return item;
    throw std::runtime_error("no File menu item " + name);
  }

  cl::test::Responder FResponder;
  std::vector<std::string> FPictures;
};

TEST_F(PrintTest, TheFramesPrintButtonFillsARecordedPageWithoutADialog) {
  auto backend = std::make_unique<cl::TMetafilePrinterBackend>(1000, 1400);
  cl::TMetafilePrinterBackend* page = backend.get();
  cl::Printer()->SetBackend(std::move(backend));
  Opened("recorded.bmp", 100, 50);
  FrameForm->Timer1->OnTimer()(FrameForm->Timer1);  // the buttons follow the active window
  FrameForm->CMBtn2->Click();
  EXPECT_TRUE(FResponder.PrinterDialogs.empty());
  EXPECT_EQ(page->Calls(), (std::vector<std::string>{"BeginDoc recorded.bmp", "EndDoc"}));
  ASSERT_EQ(page->PageCount(), 1);
  const testsupport::StretchRecord record = testsupport::FirstStretch(page->Page(0));
  ASSERT_TRUE(record.Found);
  EXPECT_EQ(record.Dest.left, 0);
  EXPECT_EQ(record.Dest.top, 0);
  EXPECT_EQ(record.Dest.right, 300);  // width and height: three times the picture's
  EXPECT_EQ(record.Dest.bottom, 150);
  EXPECT_EQ(record.Source.right, 100);
  EXPECT_EQ(record.Source.bottom, 50);
}

// Chooses the printer by its name in the Print Setup dialog's printer list and presses OK.
void ChoosePrinter(HWND dialog, const std::string& printer) {
  HWND list = nullptr;
  for (HWND child = GetWindow(dialog, GW_CHILD); child && !list; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (std::string(className) == "ComboBox" &&
        SendMessageA(child, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(printer.c_str())) != CB_ERR)
      list = child;
  }
  if (!list) {
    ADD_FAILURE() << "Print Setup does not list " << printer;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  SendMessageA(list, CB_SELECTSTRING, WPARAM(-1), LPARAM(printer.c_str()));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), LPARAM(list));
  testsupport::SaveScreenshot("orvane_print_setup");
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(PrintTest, PrintSetupChoosesThePdfPrinterAndPrintPutsThreeTimesThePictureAtThePageTopLeft) {
  cl::Printer()->SetPrinter("Office Laser", "winspool", "LPT1:");  // chosen once, gone since
  const std::string name = testsupport::UniqueDocumentName("orvane_print");
  TEditForm* window = Opened(name + ".bmp", 100, 50);
  FResponder.OnPrinterSetup = [](cl::TPrinterSetupDialog&) { return std::optional<bool>(); };
  cltest::DialogDriver dialogs;
  dialogs.Run(
      [&] {
        FileMenuItem(window, "PrintSetup1")->Click();
        return 0;
      },
      [](HWND dialog) { ChoosePrinter(dialog, kPdfPrinter); });
  std::string device, driver, port;
  cl::Printer()->GetPrinter(device, driver, port);
  EXPECT_EQ(device, kPdfPrinter);

  PressPrint();
  EXPECT_TRUE(FResponder.Exceptions.empty());
  const testsupport::PrintedPage page = testsupport::ReadPrintedPage(name, 400, 200);
  EXPECT_EQ(testsupport::PictureMismatch(page, RECT{0, 0, 300, 150}), "");
}

TEST_F(PrintTest, APictureTooWideForThreeTimesItsSizeIsShrunkToThePageWidth) {
  cl::Printer()->SetPrinter(kPdfPrinter, "", "");
  const int pageWidth = cl::Printer()->PageWidth();
  ASSERT_LT(pageWidth, 3000);
  const std::string name = testsupport::UniqueDocumentName("orvane_wide");
  Opened(name + ".bmp", 1000, 100);
  PressPrint();
  const testsupport::PrintedPage page = testsupport::ReadPrintedPage(name, pageWidth, pageWidth / 10 + 20);
  // The width fills the page and the height keeps the picture's proportions.
  EXPECT_EQ(testsupport::PictureMismatch(page, RECT{0, 0, pageWidth, pageWidth / 10}), "");
}

// Run in a Wine prefix that sees no printer.
TEST_F(PrintTest, NoPrinterPrintSaysSoAndPrintsNothing) {
  ASSERT_TRUE(cl::Printer()->Printers().empty()) << "this case needs a Wine prefix without printers";
  Opened("no_printer.bmp", 100, 50);
  FResponder.OnShowException = [](const std::string&) {};
  PressPrint();
  EXPECT_EQ(FResponder.Exceptions, (std::vector<std::string>{"There is no default printer currently selected"}));
  EXPECT_FALSE(cl::Printer()->Printing());
}

}  // namespace
}  // namespace viewer
