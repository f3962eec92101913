// The full-screen preview form: black, without border or caption, covering the screen, showing its picture; a
// click posted on the black around the picture or on the picture itself ends its modal run. A screenshot shows it.
#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "image/all_scr_frm.h"
#include "load_image_test_support.h"
#include "support/screenshot.h"

namespace img {
namespace {

using namespace testing;

void PostClick(HWND window, int x, int y) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class AllScrFrmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(1000, 740);
    if (!AllScrFrm) cl::Application->CreateForm(AllScrFrm);
    const std::string path = ScratchPath("preview.bmp");
    WritePatternBmp(path, 300, 200);
    AllScrFrm->Image1->ChangeFile(path);
  }
};

TEST_F(AllScrFrmTest, ShowsBlackBorderlessFullScreenAndAClickOnTheBorderCloses) {
  EXPECT_EQ(AllScrFrm->Caption(), "AllScrFrm");
  EXPECT_EQ(AllScrFrm->Image1->Compression(), 208);
  bool covered = false, black = false, captionless = false;
  cl::test::Responder responder;
  responder.OnModal = [&](cl::TForm& form) {
    return cl::seam::ModalAnswer::RunScript([&] {
      cl::test::PumpFor(300);
      testsupport::SaveScreenshot("all_scr_frm");
      RECT bounds{};
      GetWindowRect(form.Handle(), &bounds);
      covered = bounds.left <= 0 && bounds.top <= 0 && bounds.right >= GetSystemMetrics(SM_CXSCREEN) &&
                bounds.bottom >= GetSystemMetrics(SM_CYSCREEN);
      captionless = (GetWindowLongPtrA(form.Handle(), GWL_STYLE) & WS_CAPTION) == 0;
      HDC dc = GetDC(form.Handle());
      black = GetPixel(dc, 5, form.ClientHeight() - 5) == RGB(0, 0, 0);
      ReleaseDC(form.Handle(), dc);
      PostClick(form.Handle(), 5, form.ClientHeight() - 5);
    });
  };
  EXPECT_EQ(AllScrFrm->ShowModal(), cl::mrCancel);
  EXPECT_TRUE(covered);
  EXPECT_TRUE(captionless);
  EXPECT_TRUE(black);
  EXPECT_FALSE(AllScrFrm->Visible());
}

TEST_F(AllScrFrmTest, AClickOnThePictureCloses) {
  cl::test::Responder responder;
  responder.OnModal = [&](cl::TForm& form) {
    return cl::seam::ModalAnswer::RunScript([&] {
      cl::test::PumpFor(100);
      TLoadImage* image = AllScrFrm->Image1;
      PostClick(form.Handle(), image->Left() + image->Width() / 2, image->Top() + image->Height() / 2);
    });
  };
  EXPECT_EQ(AllScrFrm->ShowModal(), cl::mrCancel);
}

}  // namespace
}  // namespace img
