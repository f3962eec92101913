// The menu hint window: its lines, its place below the cursor inside the work area, shown without taking the
// activation, hidden after the application's hint pause.
#include "toolbars/menu_hint_window.h"

#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "menu_test_kit.h"
#include "toolbars/core/menu_hint_layout.h"

namespace tbr::menus {
namespace {

using MenuHintWindowTest = test::MenuFormTest;

TEST_F(MenuHintWindowTest, ShowsItsLinesBelowTheCursorWithoutTakingTheActivation) {
  THintWindowEx* hint = MenuHint();
  ASSERT_NE(hint, nullptr);
  const int hidePause = cl::Application->HintHidePause();
  cl::Application->SetHintHidePause(300);
  HWND active = GetActiveWindow();
  // Near the right edge of the screen the hint goes left of the cursor.
  const cl::TRect work = MenuWorkArea();
  test::MoveCursor(cl::Point(work.Right - 20, 200));
  hint->ActivateHint(cl::Rect(0, 0, 5, 5), " Open|Opens a file&#13;from disk|long");
  EXPECT_EQ(hint->Lines(), (std::vector<std::string>{"Open"}));
  hint->ShowMenuHint("Opens a file&#13;from disk");
  ASSERT_EQ(hint->Lines(), (std::vector<std::string>{"Opens a file", "from disk"}));
  std::vector<cl::TPoint> sizes;
  for (const std::string& line : hint->Lines()) {
    const SIZE extent = hint->Canvas()->TextExtent(line);
    sizes.push_back(cl::Point(extent.cx, extent.cy));
  }
  const cl::TPoint size = HintWindowSize(sizes);
  const cl::TPoint pos = HintWindowPosition(cl::Point(work.Right - 20, 200), size, work);
  EXPECT_LT(pos.X, work.Right - 20);
  RECT r;
  GetWindowRect(hint->Handle(), &r);
  EXPECT_EQ(cl::Rect(r.left, r.top, r.right, r.bottom), cl::Bounds(pos.X, pos.Y, size.X, size.Y));
  EXPECT_TRUE(hint->IsHintShowing());
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_TRUE(GetWindowLongPtrA(hint->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(cl::test::PumpUntil([&] { return !hint->IsHintShowing(); }, 3000));
  // An empty hint shows nothing.
  hint->ShowMenuHint("");
  EXPECT_FALSE(hint->IsHintShowing());
  cl::Application->SetHintHidePause(hidePause);
}

}  // namespace
}  // namespace tbr::menus
