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
#include "classlib/win/timer.h"

namespace {

using namespace cl;

// Posts the keys into the thread's queue once the menu loop runs (the timer fires inside it).
class TMenuKeys : public TTimer {
  CL_CLASS(TMenuKeys, TTimer)
 public:
  TMenuKeys(TComponent* owner, std::vector<WORD> keys) : TTimer(owner), FKeys(std::move(keys)) {
    SetInterval(50);
    SetOnTimer(TNotifyEvent([this](TObject*) { Type(); }));
  }

 private:
  void Type() {
    SetEnabled(false);
    for (WORD key : FKeys) {
      PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
      PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
    }
  }
  std::vector<WORD> FKeys;
};

class PopupMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    windows = test::ThreadWindowCount();
    menu = New<TPopupMenu>(Application);
    menu->SetOnPopup(TNotifyEvent([this](TObject* sender) {
      EXPECT_EQ(sender, menu);
      events.push_back("OnPopup");
    }));
    Copy1 = Item("Copy1", "&Copy", menu->Items());
    Zoom1 = Item("Zoom1", "&Zoom", menu->Items());
    ZoomIn1 = Item("ZoomIn1", "Zoom &In", Zoom1);
  }
  void TearDown() override {
    Free(menu);
    test::PumpFor(20);
    EXPECT_EQ(test::ThreadWindowCount(), windows);  // the owner window goes with the last popup menu
  }

  TMenuItem* Item(const std::string& name, const std::string& caption, TMenuItem* parent) {
    auto* item = Make<TMenuItem>(menu, name);
    item->SetCaption(caption);
    item->SetOnClick(TNotifyEvent([this, name](TObject*) { events.push_back(name); }));
    parent->Add(item);
    return item;
  }

  void PopupWithKeys(std::vector<WORD> keys) {
    auto* typist = New<TMenuKeys>(nullptr, std::move(keys));
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
