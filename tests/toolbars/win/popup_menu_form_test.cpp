// The owner-drawn menu window on real windows: its size and pixels for every kind of row and a side title, the
// submenu that hovering opens after the delay, a click that runs its item once, small mouse moves, and the item
// hint the submenu timer shows.
#include "toolbars/popup_menu_form.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/test/input.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "menu_test_kit.h"
#include "tests/support/screenshot.h"
#include "toolbars/core/menu_text.h"
#include "toolbars/menu_hint_window.h"

namespace tbr::menus {
namespace {

using test::MenuFormTest;

constexpr cl::TColor kMenu = 0xE6E6E6;
constexpr cl::TColor kMenuText = 0x006400;
constexpr cl::TColor kHighlight = 0xC80000;
constexpr cl::TColor kLine = 0x000080;
constexpr cl::TColor kLineShadow = 0xFFFFFF;

// Rows of the menu below: Open, separator, Disabled, Checked, Radio, More (a submenu).
constexpr int kRowTops[] = {3, 22, 33, 52, 71, 90};
constexpr int kTitleWidth = 50;

class PopupMenuFormTest : public MenuFormTest {
 protected:
  void SetUp() override {
    MenuFormTest::SetUp();
    menu = cl::Make<TCustomPopupMenuEx>(form, "PopupMenuEx1");
    cl::TMenuItem* items = menu->Items();
    auto add = [&](const std::string& name, const std::string& caption, cl::TShortCut shortCut = 0) {
      return cl::AddMenuItem(items, name, caption, shortCut,
                             cl::TNotifyEvent([this, name](cl::TObject*) { form->Clicks.push_back(name); }));
    };
    add("Open1", "&Open", 0x4000 | 'O')->SetHint("Open|Opens a file");
    add("N1", "-");
    add("Disabled1", "&Disabled")->SetEnabled(false);
    add("Checked1", "&Checked")->SetChecked(true);
    cl::TMenuItem* radio = add("Radio1", "&Radio");
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    more = add("More1", "&More");
    cl::AddMenuItem(more, "Sub1", "&Sub 1");
    cl::AddMenuItem(more, "Sub2", "Sub &2");
    TOptions* options = menu->Options();
    TColors* colors = options->Colors();
    colors->SetMenu(kMenu);
    colors->SetMenuText(kMenuText);
    colors->SetHighlight(kHighlight);
    colors->SetLine(kLine);
    colors->SetLineShadow(kLineShadow);
    options->Title()->SetVisible(true);
    menu->SetOnMenuCommand(cl::TNotifyEvent([this](cl::TObject* sender) {
      commands.push_back(sender ? static_cast<cl::TComponent*>(sender)->Name() : "native");
    }));
    window = menu->Window();
  }

  bool Open(int x = 200, int y = 150) { return test::OpenMenu(menu, menu->Items(), x, y); }
  cl::TColor Pixel(int x, int y) { return window->Buffer()->Canvas()->Pixels(x, y); }
  // The middle of a row, in the window's client coordinates.
  cl::TPoint RowPoint(int row) { return cl::Point(window->Width() / 2, kRowTops[row] + 8); }

  TCustomPopupMenuEx* menu = nullptr;
  cl::TMenuItem* more = nullptr;
  TPopupMenuExForm* window = nullptr;
  std::vector<std::string> commands;
};

TEST_F(PopupMenuFormTest, HasTheSizeOfItsRowsAndTitle) {
  ASSERT_TRUE(Open());
  cl::Owned<cl::TBitmap> measure = cl::MakeOwned<cl::TBitmap>();
  measure->SetSize(1, 1);
  measure->Canvas()->SetFont(window->Font());
  int captions = 0;
  for (const char* caption : {"&Open", "&Disabled", "&Checked", "&Radio", "&More"}) {
    captions = std::max(captions, measure->Canvas()->TextWidth(DisplayedCaption(caption)));
  }
  const int shortCut = measure->Canvas()->TextWidth("Ctrl+O");
  EXPECT_EQ(window->TextWidth(), captions);
  EXPECT_EQ(window->BoundsRect(),
            cl::Bounds(200, 150, captions + shortCut + kTitleWidth + 2 * 27 + 10, 5 * 19 + 11 + 6));
  EXPECT_EQ(window->Buffer()->Width(), window->Width());
  EXPECT_TRUE(menu->IsOpen());
  EXPECT_EQ(window->ItemIndex(), -1);
}

TEST_F(PopupMenuFormTest, PaintsHighlightSeparatorArrowCheckBoxAndTitle) {
  ASSERT_TRUE(Open());
  const int width = window->Width();
  const int height = window->Height();
  // The title fades from the end colour (navy) at the top to the begin colour (black) at the bottom.
  EXPECT_EQ(Pixel(10, 2), cl::clNavy);
  EXPECT_LT((Pixel(10, height - 3) >> 16) & 0xFF, 8);
  // Rows begin after the title; the separator has its two lines.
  EXPECT_EQ(Pixel(width - 10, kRowTops[0] + 9), kMenu);
  EXPECT_EQ(Pixel(80, kRowTops[1] + 2), kMenu);
  EXPECT_EQ(Pixel(80, kRowTops[1] + 3), kLine);
  EXPECT_EQ(Pixel(80, kRowTops[1] + 4), kLineShadow);
  // The submenu arrow at the right end of its row.
  EXPECT_EQ(Pixel(width - 13, kRowTops[5] + 9), kMenuText);
  EXPECT_EQ(Pixel(width - 9, kRowTops[5] + 9), kMenu);
  // A checked item: a sunken box filled with the pattern (light where x and y are both even or both odd), the
  // check mark glyph in it.
  const int boxLeft = kTitleWidth + 3;
  const int checkedTop = kRowTops[3];
  auto pattern = [](int x, int y) { return cl::ColorToRGB(x % 2 == y % 2 ? cl::clBtnHighlight : cl::clBtnFace); };
  for (int x : {boxLeft + 1, boxLeft + 2}) EXPECT_EQ(Pixel(x, checkedTop + 1), pattern(x, checkedTop + 1)) << x;
  EXPECT_EQ(Pixel(boxLeft + 2 + 4, checkedTop + 2 + 7), cl::clBlack);  // the glyph's ink at its (4, 7)

  // The keyboard selects the first row: it fills with the highlight colour up to the right edge.
  window->SelectItem(0);
  EXPECT_EQ(window->ItemIndex(), 0);
  EXPECT_EQ(Pixel(width - 10, kRowTops[0] + 9), kHighlight);
  EXPECT_EQ(Pixel(boxLeft, kRowTops[0] + 9), kHighlight);
  EXPECT_EQ(Pixel(boxLeft - 1, kRowTops[0] + 9), kMenu);  // the frame between title and rows
  // Down steps over the separator; the first row is plain again.
  window->SelectItem(1);
  EXPECT_EQ(window->ItemIndex(), 2);
  EXPECT_EQ(Pixel(width - 10, kRowTops[0] + 9), kMenu);
  EXPECT_EQ(Pixel(width - 10, kRowTops[2] + 9), kHighlight);  // a disabled row the keyboard chose
}

TEST_F(PopupMenuFormTest, HoveringOpensTheSubmenuAfterTheDelayBesideItsRow) {
  ASSERT_TRUE(Open());
  const cl::TPoint point = RowPoint(5);
  cl::test::MouseMove(window, point.X, point.Y);
  EXPECT_EQ(window->ItemIndex(), 5);
  cl::test::PumpFor(100);
  EXPECT_EQ(window->Submenu(), nullptr);  // the delay is 250 ms
  ASSERT_TRUE(cl::test::PumpUntil([&] { return window->Submenu() && window->Submenu()->IsOpen(); }, 3000));
  TPopupMenuExForm* submenu = window->Submenu();
  EXPECT_EQ(submenu->ParentMenu(), window);
  EXPECT_EQ(submenu->SourceItem(), more);
  EXPECT_EQ(submenu->Left(), window->Left() + window->Width() - 7);
  EXPECT_EQ(submenu->Top(), window->Top() + 19 * 4 + 11);
  EXPECT_EQ(submenu->Height(), 2 * 19 + 6);
  testsupport::SaveScreenshot("menus_popup_with_submenu");

  // Moving to a plain row closes the submenu on the next tick.
  const cl::TPoint open = RowPoint(0);
  cl::test::MouseMove(window, open.X, open.Y);
  ASSERT_TRUE(cl::test::PumpUntil([&] { return window->Submenu() == nullptr; }, 3000));
  EXPECT_TRUE(menu->IsOpen());
}

TEST_F(PopupMenuFormTest, AClickRunsItsItemOnceAndClosesTheMenu) {
  ASSERT_TRUE(Open());
  // Releases over a separator or a disabled row do nothing.
  for (int row : {1, 2}) {
    const cl::TPoint point = RowPoint(row);
    cl::test::MouseMove(window, point.X, point.Y);
    cl::test::MouseUp(window, cl::mbLeft, point.X, point.Y);
  }
  EXPECT_TRUE(menu->IsOpen());
  const cl::TPoint point = RowPoint(0);
  cl::test::MouseMove(window, point.X, point.Y);
  // A press counts as inside the menu where the cursor is.
  test::MoveCursor(window->ClientToScreen(point));
  cl::test::MouseDown(window, cl::mbLeft, point.X, point.Y);
  cl::test::MouseUp(window, cl::mbLeft, point.X, point.Y);
  cl::test::PumpFor(20);
  EXPECT_EQ(form->Clicks, std::vector<std::string>{"Open1"});
  EXPECT_EQ(commands, std::vector<std::string>{"Open1"});
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_EQ(window->Height(), 0);
  EXPECT_EQ(ActivePopupMenu(), nullptr);
}

TEST_F(PopupMenuFormTest, SmallMouseMovesChangeNothing) {
  ASSERT_TRUE(Open());
  // The last pixel row of Open, then two pixels down onto the separator.
  const int x = window->Width() / 2;
  cl::test::MouseMove(window, x, kRowTops[1] - 1);
  EXPECT_EQ(window->ItemIndex(), 0);
  cl::test::MouseMove(window, x + 1, kRowTops[1] + 1);
  EXPECT_EQ(window->ItemIndex(), 0);
  cl::test::MouseMove(window, x, kRowTops[1] + 2);
  EXPECT_EQ(window->ItemIndex(), 1);
}

TEST_F(PopupMenuFormTest, TheSubmenuTimerShowsTheItemHint) {
  menu->SetShowHint(true);
  const int hidePause = cl::Application->HintHidePause();
  cl::Application->SetHintHidePause(300);
  ASSERT_TRUE(Open());
  const cl::TPoint point = RowPoint(0);
  cl::test::MouseMove(window, point.X, point.Y);
  EXPECT_EQ(cl::Application->Hint(), "Open|Opens a file");
  THintWindowEx* hint = MenuHint();
  ASSERT_NE(hint, nullptr);
  ASSERT_TRUE(cl::test::PumpUntil([&] { return hint->IsHintShowing(); }, 3000));
  EXPECT_EQ(hint->Lines(), std::vector<std::string>{"Open"});
  EXPECT_TRUE(cl::test::PumpUntil([&] { return !hint->IsHintShowing(); }, 3000));
  cl::Application->SetHintHidePause(hidePause);
}

TEST_F(PopupMenuFormTest, TheSelectedItemIsForgottenWhenFreedAndItsRaisingFormSaysSo) {
  menu->SetShowHint(true);
  ASSERT_TRUE(Open());
  try {
    window->RequireSelectedItem();
    ADD_FAILURE() << "no exception";
  } catch (const cl::Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot find menu item.");
  }
  const cl::TPoint point = RowPoint(3);
  cl::test::MouseMove(window, point.X, point.Y);
  cl::TMenuItem* checked = window->RequireSelectedItem();
  EXPECT_EQ(checked->Name(), "Checked1");
  // Freed while its row is selected: the submenu timer that comes next finds no item.
  cl::Free(checked);
  EXPECT_EQ(window->SelectedItem(), nullptr);
  cl::test::PumpFor(400);
  EXPECT_TRUE(menu->IsOpen());
  EXPECT_EQ(window->ItemIndex(), 3);
}

TEST_F(PopupMenuFormTest, OnTheScreenTheWindowStaysAmongOrJustBelowTheTopmostWindows) {
  ASSERT_TRUE(Open());
  auto above = [](HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == lower) return true;
    }
    return false;
  };
  auto topmost = [&] { return (GetWindowLongPtrA(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  window->SendToBack();
  EXPECT_FALSE(topmost());
  EXPECT_TRUE(above(window->Handle(), form->Handle()));  // first among the windows that are not topmost
  window->BringToFront();
  EXPECT_TRUE(topmost());
}

}  // namespace
}  // namespace tbr::menus
