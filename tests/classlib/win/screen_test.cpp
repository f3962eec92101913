// The screen: cursors through WM_SETCURSOR (the screen's wins, then the control's under the mouse), cursor slots,
// the colour depth override, the font names, and the program icon on the application window and on forms.
#include "classlib/win/screen.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/test/box.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "classlib/win/icon.h"

namespace {

using namespace cl;
using test::TBox;
using test::TSpot;

class CursorTest : public testing::Test {
 protected:
  void SetUp() override {
    root = New<TBox>(nullptr);
    root->SetBounds(50, 50, 300, 200);
    spot = New<TSpot>(root);
    spot->SetBounds(200, 100, 50, 50);
    spot->SetParent(root);
    test::PumpFor(20);
  }
  void TearDown() override {
    Screen->SetCursor(crDefault);
    Free(root);
  }
  // The cursor after the window under the client point was asked to set it, as a mouse move there does.
  HCURSOR CursorAt(int x, int y) {
    POINT screen{x, y};
    ClientToScreen(root->Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    // Under load the system may take a moment to report the new position.
    test::PumpUntil([&] {
      POINT now;
      GetCursorPos(&now);
      return now.x == screen.x && now.y == screen.y;
    });
    SendMessageA(root->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(root->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }

  TBox* root = nullptr;
  TSpot* spot = nullptr;
};

TEST_F(CursorTest, ControlCursorsShowOverTheirControlsAndTheDefaultLeavesTheClassCursor) {
  root->SetCursor(crCross);
  spot->SetCursor(crSizeNWSE);
  EXPECT_EQ(CursorAt(20, 20), Screen->Cursors(crCross));
  EXPECT_EQ(CursorAt(220, 120), Screen->Cursors(crSizeNWSE));
  // The crop tool changes the cursor while the mouse moves.
  spot->SetCursor(crSizeWE);
  EXPECT_EQ(CursorAt(221, 121), Screen->Cursors(crSizeWE));
  root->SetCursor(crDefault);
  EXPECT_EQ(CursorAt(20, 20), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(CursorTest, ScreenHourglassWinsAndIsRestored) {
  root->SetCursor(crSizeNS);
  EXPECT_EQ(CursorAt(20, 20), Screen->Cursors(crSizeNS));
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHourGlass));
  EXPECT_EQ(CursorAt(20, 20), Screen->Cursors(crHourGlass));
  EXPECT_EQ(CursorAt(220, 120), Screen->Cursors(crHourGlass));
  Screen->SetCursor(crDefault);
  EXPECT_EQ(CursorAt(20, 20), Screen->Cursors(crSizeNS));
  EXPECT_NE(Screen->Cursors(crHourGlass), Screen->Cursors(crSizeNS));
}

TEST(CursorSlotTest, StoredCursorsReplaceAndEmptySlotsGiveTheArrow) {
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  EXPECT_EQ(Screen->Cursors(7), arrow);
  HCURSOR first = CopyCursor(LoadCursorA(nullptr, IDC_CROSS));
  Screen->SetCursors(7, first);
  EXPECT_EQ(Screen->Cursors(7), first);
  HCURSOR second = CopyCursor(LoadCursorA(nullptr, IDC_IBEAM));
  Screen->SetCursors(7, second);
  EXPECT_EQ(Screen->Cursors(7), second);
  // A custom cursor replaces a predefined one in its slot.
  HCURSOR hourglass = CopyCursor(LoadCursorA(nullptr, IDC_CROSS));
  const HCURSOR systemHourglass = Screen->Cursors(crHourGlass);
  Screen->SetCursors(crHourGlass, hourglass);
  EXPECT_EQ(Screen->Cursors(crHourGlass), hourglass);
  Screen->SetCursors(crHourGlass, nullptr);
  Screen->SetCursors(7, nullptr);
  EXPECT_EQ(Screen->Cursors(crHourGlass), systemHourglass);
  EXPECT_EQ(Screen->Cursors(7), arrow);
}

TEST(ColorDepthTest, TheTestOverrideReachesPaletteDepths) {
  const int real = Screen->ColorDepth();
  EXPECT_GE(real, 15);
  Screen->SetTestColorDepth(8);
  EXPECT_EQ(Screen->ColorDepth(), 8);
  Screen->SetTestColorDepth(0);
  EXPECT_EQ(Screen->ColorDepth(), real);
}

TEST(FontsTest, TheScreenFontsAreSortedNamesEachOnceWithTheSystemsOwn) {
  const std::vector<std::string> fonts = Screen->Fonts();
  EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end()));
  EXPECT_EQ(std::adjacent_find(fonts.begin(), fonts.end()), fonts.end());
  EXPECT_NE(std::find(fonts.begin(), fonts.end(), "Marlett"), fonts.end());
}

TEST(ProgramIconTest, FormsAndTheApplicationWindowShowTheIconResource) {
  const HICON resource = MainIconResource();
  ASSERT_NE(resource, nullptr);
  TForm* form = New<TForm>(Application);
  HWND wnd = form->Handle();
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICON)), resource);
  ASSERT_FALSE(Application->Icon()->Empty());
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(Application->Handle(), WM_GETICON, ICON_BIG, 0)),
            Application->Icon()->Handle());
  Free(form);
}

}  // namespace
