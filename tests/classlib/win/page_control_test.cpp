// Page controls through the real tab control: tabs from the sheets' captions, one sheet shown at a time below
// the tabs, and a click on a tab switching pages.
#include "classlib/win/page_control.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "classlib/test/input.h"
#include "classlib/win/forms.h"

namespace {

using namespace cl;

class PageControlTest : public testing::Test {
 protected:
  void SetUp() override {
    FForm = CreateNew<TForm>(nullptr);
    FForm->SetBounds(100, 100, 320, 240);
    FPages = Make<TPageControl>(FForm, "PageControl1");
    FPages->SetParent(FForm);
    FPages->SetAlign(alClient);
    for (const char* caption : {"Viewing", "Screen Capture"}) {
      TTabSheet* sheet = New<TTabSheet>(FForm);
      sheet->SetCaption(caption);
      sheet->SetPageControl(FPages);
    }
    FForm->Show();
  }
  void TearDown() override { Free(FForm); }

  std::string TabText(int index) {
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(FPages->Handle(), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
  }

  TForm* FForm = nullptr;
  TPageControl* FPages = nullptr;
};

TEST_F(PageControlTest, TabsShowTheSheetsAndOnlyTheFirstIsVisibleBelowThem) {
  ASSERT_EQ(FPages->PageCount(), 2);
  EXPECT_EQ(SendMessageA(FPages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TabText(0), "Viewing");
  EXPECT_EQ(TabText(1), "Screen Capture");
  EXPECT_EQ(FPages->ActivePage(), FPages->Pages(0));
  EXPECT_TRUE(FPages->Pages(0)->Showing());
  EXPECT_FALSE(FPages->Pages(1)->Showing());
  // The sheet lies below the tab row, inside the control.
  EXPECT_GT(FPages->Pages(0)->Top(), 10);
  EXPECT_LT(FPages->Pages(0)->Width(), FPages->Width());
  FPages->Pages(1)->SetCaption("Capture");
  EXPECT_EQ(TabText(1), "Capture");
}

TEST_F(PageControlTest, ClickingATabShowsItsSheet) {
  RECT tab{};
  SendMessageA(FPages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  test::MouseDown(FPages, mbLeft, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  test::MouseUp(FPages, mbLeft, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(FPages->ActivePage(), FPages->Pages(1));
  EXPECT_TRUE(FPages->Pages(1)->Showing());
  EXPECT_FALSE(FPages->Pages(0)->Showing());
  // Taking the active sheet out shows the other one.
  FPages->Pages(1)->SetPageControl(nullptr);
  EXPECT_EQ(FPages->PageCount(), 1);
  EXPECT_EQ(FPages->ActivePage(), FPages->Pages(0));
  EXPECT_EQ(SendMessageA(FPages->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
}

}  // namespace
