// The browser's menu bar: its buttons stand in the top dock in place of the window's menu, a button opens its
// menu after the item's handler prepared it, and the bar's dock is kept between runs.
#include <gtest/gtest.h>

#include "browser_form_fixture.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "support/screenshot.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/dock.h"
#include "toolbars/main_menu_ex.h"
#include "toolbars/menu_bar_button.h"

namespace brwtest {
namespace {

using tbr::menus::TMenuBarButton;

class MainFormMenuBarTest : public BrowserFormTest {
 protected:
  TMenuBarButton* Button(int index) const { return dynamic_cast<TMenuBarButton*>(form->MainMenuEx1->Controls(index)); }
};

TEST_F(MainFormMenuBarTest, TheBarOpensTheViewMenuPreparedByItsHandler) {
  ASSERT_EQ(form->MainMenuEx1->DockedTo(), form->Dock1);
  ASSERT_EQ(form->MainMenuEx1->ControlCount(), 4);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_EQ(Button(2)->Caption(), "&View");
  OpenTestFolder();
  Choose("p300.bmp");
  SetForegroundWindow(form->Handle());
  cl::test::PumpFor(20);
  TMenuBarButton* view = Button(2);
  form->ZoomIn1->SetEnabled(false);
  cl::test::MouseDown(view, cl::mbLeft, 5, 5);
  cl::test::MouseUp(view, cl::mbLeft, 5, 5);
  ASSERT_NE(view->DropdownMenuEx(), nullptr);
  EXPECT_TRUE(view->DropdownMenuEx()->IsOpen());
  // View1Click ran before the menu opened.
  EXPECT_TRUE(form->ZoomIn1->Enabled());
  testsupport::SaveScreenshot("browser_menu_bar_view_open");
  tbr::menus::CloseAllMenus(false);
}

TEST_F(MainFormMenuBarTest, TheBarsDockIsKept) {
  FreeForms();
  cl::TRegistry user;
  ASSERT_TRUE(user.OpenKey("SOFTWARE\\Orlanto\\Tarnby", false));
  EXPECT_EQ(user.ReadString("DockedTo"), "Dock1");
  user.WriteString("DockedTo", "Dock4");
  MakeForms();
  EXPECT_EQ(form->MainMenuEx1->DockedTo(), form->Dock4);
}

}  // namespace
}  // namespace brwtest
