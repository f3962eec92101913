// The browser's pop-up and system menus are the owner-drawn ones: a right click on the file list opens its
// file commands, one on the preview its zoom steps, and a right click on the caption the system menu.
#include <gtest/gtest.h>

#include "browser_form_fixture.h"
#include "classlib/test/pump.h"
#include "classlib/win/scroll_box.h"
#include "tests/support/screenshot.h"
#include "toolbars/menu_engine.h"
#include "toolbars/popup_menu_ex.h"
#include "toolbars/popup_menu_form.h"
#include "toolbars/system_menu_ex.h"

namespace brwtest {
namespace {

using BrowserMenusTest = BrowserFormTest;
using tbr::menus::ActivePopupMenu;
using tbr::menus::CloseAllMenus;

TEST_F(BrowserMenusTest, RightClicksOpenTheOwnerDrawnPopupMenus) {
  OpenTestFolder();
  Choose("q.bmp");
  SetForegroundWindow(form->Handle());
  cl::test::PumpFor(50);
  struct Case {
    cl::TWinControl* Control;
    tbr::menus::TPopupMenuEx* Menu;
    int Rows;
    const char* Screenshot;
  };
  // Copy, Move, Delete, a separator and Update; Zoom In, Zoom Out and Actual View.
  for (const Case& c : {Case{form->ShellFileListBox1, form->PopupMenuEx1, 5, "browser_file_list_popup"},
                        Case{form->ScrollBox1, form->PopupMenuEx2, 3, "browser_preview_popup"}}) {
    SCOPED_TRACE(c.Screenshot);
    SendMessageA(c.Control->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(20, 30));
    ASSERT_TRUE(c.Menu->IsOpen());
    EXPECT_EQ(ActivePopupMenu(), c.Menu);
    EXPECT_EQ(c.Menu->Window()->ItemCount(), c.Rows);
    const cl::TPoint at = c.Control->ClientToScreen(cl::Point(20, 30));
    EXPECT_EQ(c.Menu->Window()->Left(), at.X);
    EXPECT_EQ(c.Menu->Window()->Top(), at.Y);
    cl::test::PumpFor(200);
    testsupport::SaveScreenshot(c.Screenshot);
    CloseAllMenus(true);
    EXPECT_FALSE(c.Menu->IsOpen());
  }
}

TEST_F(BrowserMenusTest, TheCaptionOpensTheOwnerDrawnSystemMenu) {
  ASSERT_NE(form->SystemMenuEx1, nullptr);
  EXPECT_EQ(form->SystemMenu(), form->SystemMenuEx1);
  SendMessageA(form->Handle(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(form->Left() + 80, form->Top() + 8));
  ASSERT_TRUE(form->SystemMenuEx1->IsOpen());
  EXPECT_NE(form->FindComponent("SYSTEMCLOSE"), nullptr);
  CloseAllMenus(false);
  EXPECT_EQ(ActivePopupMenu(), nullptr);
}

}  // namespace
}  // namespace brwtest
