// An owner-drawn menu read from a form's system menu: the window commands named, their state following the
// window's, the close command the default with its shortcut, a click sending the command, and a second reading
// replacing the first.
#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "menu_test_kit.h"

namespace tbr::menus {
namespace {

class MenuFromSystemMenuTest : public test::MenuFormTest {
 protected:
  cl::TMenuItem* Item(const char* name) { return dynamic_cast<cl::TMenuItem*>(form->FindComponent(name)); }
};

TEST_F(MenuFromSystemMenuTest, HoldsTheWindowCommandsInTheWindowsState) {
  EXPECT_EQ(MenuFromSystemMenu(nullptr, form, nullptr), nullptr);
  EXPECT_EQ(MenuFromSystemMenu(form, nullptr, nullptr), nullptr);
  TCustomPopupMenuEx* menu = MenuFromSystemMenu(form, form, nullptr);
  ASSERT_NE(menu, nullptr);
  const int positions = GetMenuItemCount(GetSystemMenu(form->Handle(), FALSE));
  EXPECT_EQ(menu->Items()->Count(), positions);
  cl::TMenuItem* close = Item("SYSTEMCLOSE");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->Parent(), menu->Items());
  EXPECT_EQ(close->Tag(), SC_CLOSE);
  EXPECT_TRUE(close->Default());
  EXPECT_EQ(close->ShortCut(), cl::ShortCut(VK_F4, {cl::ssAlt}));
  ASSERT_NE(Item("SYSTEMRESTORE"), nullptr);
  EXPECT_FALSE(Item("SYSTEMRESTORE")->Enabled());
  EXPECT_TRUE(Item("SYSTEMMAXIMIZE")->Enabled());

  // Maximised, the window can be restored but not moved, sized or maximised; the items are read anew under the
  // same names.
  form->SetWindowState(cl::wsMaximized);
  EXPECT_EQ(MenuFromSystemMenu(form, form, menu), menu);
  EXPECT_EQ(menu->Items()->Count(), positions);
  EXPECT_TRUE(Item("SYSTEMRESTORE")->Enabled());
  for (const char* name : {"SYSTEMMOVE", "SYSTEMSIZE", "SYSTEMMAXIMIZE"}) EXPECT_FALSE(Item(name)->Enabled()) << name;
  form->SetWindowState(cl::wsNormal);

  // A click posts the item's command to the form.
  Item("SYSTEMMINIMIZE")->Click();
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, form->Handle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(SC_MINIMIZE));
}

}  // namespace
}  // namespace tbr::menus
