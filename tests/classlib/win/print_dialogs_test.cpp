// The print and printer set-up dialogs: the responder's answers, and the real comdlg32 dialog under Wine opened
// on Printer()'s device and closed from inside its modal loop.
#include "classlib/win/print_dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/printer.h"
#include "support/dialog_driver.h"
#include "support/screenshot.h"

namespace {

using namespace cl;

class PrintDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    previousPrinter = cl::SetPrinter(New<TPrinter>());
    setup = New<TPrinterSetupDialog>(Application);
    print = New<TPrintDialog>(setup);
  }
  void TearDown() override {
    Free(setup);
    Free(cl::SetPrinter(previousPrinter));
  }
  TPrinter* previousPrinter = nullptr;
  TPrinterSetupDialog* setup = nullptr;
  TPrintDialog* print = nullptr;
  test::Responder responder;
};

TEST_F(PrintDialogTest, TheResponderAnswersEachDialogAndMayChooseThePrinter) {
  responder.OnPrinterSetup = [](TPrinterSetupDialog&) -> std::optional<bool> {
    Printer()->SetPrinter("Office Laser", "winspool", "LPT1:");
    return true;
  };
  responder.OnPrintDialog = [](TPrintDialog&) -> std::optional<bool> { return false; };
  EXPECT_TRUE(setup->Execute());
  EXPECT_FALSE(print->Execute());
  std::string device, driver, port;
  Printer()->GetPrinter(device, driver, port);
  EXPECT_EQ(device, "Office Laser");
  EXPECT_EQ(responder.PrinterDialogs, (std::vector<std::string>{"TPrinterSetupDialog", "TPrintDialog"}));
}

TEST_F(PrintDialogTest, AnUnexpectedDialogFailsTheTestAndIsCancelled) {
  bool chosen = true;
  EXPECT_NONFATAL_FAILURE(chosen = print->Execute(), "unexpected TPrintDialog");
  EXPECT_FALSE(chosen);
}

// Under Wine without printers the system only tells the user to install one; with printers the set-up dialog
// shows on the chosen device. Either way Cancel returns false and keeps the printer.
TEST_F(PrintDialogTest, TheRealDialogRunsAndCancelKeepsThePrinter) {
  responder.OnPrinterSetup = [](TPrinterSetupDialog&) -> std::optional<bool> { return std::nullopt; };
  Printer()->SetPrinter("Office Laser", "winspool", "LPT1:");
  cltest::DialogDriver dialogs;
  bool result = true;
  try {
    result = dialogs.Run([&] { return setup->Execute(); },
                         [](HWND dlg) {
                           testsupport::SaveScreenshot("classlib_printer_setup_dialog");
                           PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
                         });
  } catch (const EPrinter& e) {
    GTEST_SKIP() << "no printer here: " << e.Message();
  }
  EXPECT_FALSE(result);
  std::string device, driver, port;
  Printer()->GetPrinter(device, driver, port);
  EXPECT_EQ(device, "Office Laser");
}

}  // namespace
