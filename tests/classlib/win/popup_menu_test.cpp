// Popup menus through TrackPopupMenu: a timer types keys into the open menu so that no test blocks, and the
// shared owner window turns the choice into clicks.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/test/counters.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/menus.h"
#include "menu_test_items.h"

namespace {

using namespace cl;

class PopupMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    windows = test::ThreadWindowCount();
    menu = New<TPopupMenu>(Application);
    menu->SetOnPopup(TNotifyEvent([this](TObject* sender) {
      EXPECT_EQ(sender, menu);
      events.push_back("OnPopup");
    }));
    Copy1 = menutest::AddItem(menu, menu->Items(), "Copy1", "&Copy", events);
    Zoom1 = menutest::AddItem(menu, menu->Items(), "Zoom1", "&Zoom", events);
    ZoomIn1 = menutest::AddItem(menu, Zoom1, "ZoomIn1", "Zoom &In", events);
  }
  void TearDown() override {
    Free(menu);
    test::PumpFor(20);
    EXPECT_EQ(test::ThreadWindowCount(), windows);  // the owner window goes with the last popup menu
  }

  void PopupWithKeys(std::vector<WORD> keys) {
    auto* typist = New<menutest::TLaterAction>(nullptr, [keys] { menutest::PostKeys(keys); });
    menu->Popup(100, 100);
    Free(typist);
    test::PumpFor(50);  // the chosen item's WM_COMMAND was posted to the owner window
  }

  int windows = 0;
  TPopupMenu* menu = nullptr;
  TMenuItem* Copy1 = nullptr;
  TMenuItem* Zoom1 = nullptr;
  TMenuItem* ZoomIn1 = nullptr;
  std::vector<std::string> events;
};

TEST_F(PopupMenuTest, ChosenItemClicksOnceAfterOnPopup) {
  PopupWithKeys({VK_DOWN, VK_RETURN});
  EXPECT_EQ(events, (std::vector<std::string>{"OnPopup", "Copy1"}));
}

TEST_F(PopupMenuTest, EscapeClosesWithoutAClick) {
  PopupWithKeys({VK_ESCAPE});
  EXPECT_EQ(events, std::vector<std::string>{"OnPopup"});
}

TEST_F(PopupMenuTest, OpeningASubmenuClicksItsItemAndItsChoiceClicksOnce) {
  PopupWithKeys({VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});
  EXPECT_EQ(events, (std::vector<std::string>{"OnPopup", "Zoom1", "ZoomIn1"}));
}

TEST_F(PopupMenuTest, AlignmentPutsThePointAtTheMenusLeftEdgeRightEdgeOrCentre) {
  const auto openedAt = [&](TPopupAlignment alignment) {
    menu->SetAlignment(alignment);
    RECT shown{};
    auto* reader = New<menutest::TLaterAction>(nullptr, [&] {
      GetWindowRect(FindWindowA("#32768", nullptr), &shown);  // the class of open menus
      menutest::PostKeys({VK_ESCAPE});
    });
    menu->Popup(400, 300);
    Free(reader);
    return shown;
  };
  const RECT left = openedAt(paLeft);
  EXPECT_EQ(left.left, 400);
  EXPECT_EQ(left.top, 300);
  EXPECT_EQ(openedAt(paRight).right, 400);
  const RECT centre = openedAt(paCenter);
  EXPECT_NEAR((centre.left + centre.right) / 2, 400, 1);
}

TEST_F(PopupMenuTest, SelectedItemsLongHintGoesToTheApplication) {
  Application->SetHint("");
  Copy1->SetHint("Copy|Copies the picture");
  std::string hintWhileOpen;
  auto* typist = New<menutest::TLaterAction>(nullptr, [] { menutest::PostKeys({VK_DOWN}); });
  auto* reader = New<menutest::TLaterAction>(
      nullptr,
      [&] {
        hintWhileOpen = Application->Hint();
        menutest::PostKeys({VK_ESCAPE});
      },
      150);
  menu->Popup(100, 100);
  Free(typist);
  Free(reader);
  EXPECT_EQ(hintWhileOpen, "Copies the picture");
  EXPECT_EQ(Application->Hint(), "");  // cleared when the menu closed
}

TEST_F(PopupMenuTest, ExceptionOfAChosenItemReachesHandleExceptionAndTheMenuGoesOn) {
  std::string reported;
  Application->SetOnException(TExceptionEvent([&](TObject*, Exception& e) { reported = e.Message(); }));
  const TNotifyEvent recordClick = Copy1->OnClick();
  Copy1->SetOnClick(TNotifyEvent([](TObject*) { throw Exception("Copy failed"); }));
  PopupWithKeys({VK_DOWN, VK_RETURN});
  EXPECT_EQ(reported, "Copy failed");
  Copy1->SetOnClick(recordClick);
  PopupWithKeys({VK_DOWN, VK_RETURN});
  Application->SetOnException(TExceptionEvent());
  EXPECT_EQ(events, (std::vector<std::string>{"OnPopup", "OnPopup", "Copy1"}));
}

TEST_F(PopupMenuTest, MenuFreedInOnPopupDoesNotShow) {
  menu->SetOnPopup(TNotifyEvent([this](TObject*) { FreeAndNil(menu); }));
  TPopupMenu* popped = menu;
  popped->Popup(100, 100);  // returns at once: no keys are needed to end it
  EXPECT_EQ(menu, nullptr);
}

TEST_F(PopupMenuTest, PopupComponentIsClearedWhenItIsFreed) {
  auto* component = New<TComponent>(nullptr);
  menu->SetPopupComponent(component);
  EXPECT_EQ(menu->PopupComponent(), component);
  Free(component);
  EXPECT_EQ(menu->PopupComponent(), nullptr);
}

TEST_F(PopupMenuTest, OwnerWindowServesEveryListedMenu) {
  // A second menu keeps the shared owner; commands still reach the first menu's items.
  auto* other = New<TPopupMenu>(Application);
  PopupWithKeys({VK_DOWN, VK_RETURN});
  Free(other);
  PopupWithKeys({VK_DOWN, VK_RETURN});
  EXPECT_EQ(events, (std::vector<std::string>{"OnPopup", "Copy1", "OnPopup", "Copy1"}));
}

}  // namespace
