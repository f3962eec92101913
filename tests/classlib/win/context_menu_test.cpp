// Context menus: a right click or WM_CONTEXTMENU over a control with a PopupMenu opens it for that control; a
// graphic child's menu opens over the child; a freed menu is forgotten.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/test/box.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/menus.h"

namespace {

using namespace cl;
using test::TBox;
using test::TSpot;

class ContextMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    root = New<TBox>(nullptr);
    root->SetBounds(60, 60, 300, 200);
    spot = New<TSpot>(root);
    spot->SetBounds(200, 100, 50, 50);
    spot->SetParent(root);
    rootMenu = MakeMenu("root menu");
    spotMenu = MakeMenu("spot menu");
    root->HandleNeeded();
    test::PumpFor(20);
  }
  void TearDown() override {
    Free(root);
    Free(rootMenu);
    Free(spotMenu);
  }
  TPopupMenu* MakeMenu(const std::string& name) {
    auto* menu = New<TPopupMenu>(nullptr);
    auto* item = New<TMenuItem>(menu);
    item->SetCaption("&Copy");
    menu->Items()->Add(item);
    menu->SetOnPopup(TNotifyEvent([this, name, menu](TObject*) {
      opened.push_back(name);
      component = menu->PopupComponent();
      // The menu loop ends on this key, so the test never waits for a person.
      test::PostKeysLater({VK_ESCAPE});
    }));
    return menu;
  }
  void RightClick(TControl* control, int x, int y) {
    test::MouseDown(control, mbRight, x, y);
    test::MouseUp(control, mbRight, x, y);
    test::PumpFor(20);
  }

  TBox* root = nullptr;
  TSpot* spot = nullptr;
  TPopupMenu* rootMenu = nullptr;
  TPopupMenu* spotMenu = nullptr;
  std::vector<std::string> opened;
  TComponent* component = nullptr;
};

TEST_F(ContextMenuTest, RightClickOpensTheControlsMenuForThatControl) {
  root->SetPopupMenu(rootMenu);
  RightClick(root, 20, 20);
  EXPECT_EQ(opened, (std::vector<std::string>{"root menu"}));
  EXPECT_EQ(component, root);
}

TEST_F(ContextMenuTest, AGraphicChildOpensItsOwnMenuOrElseItsParents) {
  root->SetPopupMenu(rootMenu);
  RightClick(spot, 10, 10);
  EXPECT_EQ(component, root);
  spot->SetPopupMenu(spotMenu);
  RightClick(spot, 10, 10);
  EXPECT_EQ(opened, (std::vector<std::string>{"root menu", "spot menu"}));
  EXPECT_EQ(component, spot);
}

TEST_F(ContextMenuTest, KeyboardContextMenuAndAutoPopupOff) {
  root->SetPopupMenu(rootMenu);
  SendMessageA(root->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(root->Handle()), MAKELPARAM(-1, -1));
  test::PumpFor(20);
  rootMenu->SetAutoPopup(false);
  RightClick(root, 20, 20);
  EXPECT_EQ(opened, (std::vector<std::string>{"root menu"}));
}

TEST_F(ContextMenuTest, AFreedMenuIsForgotten) {
  spot->SetPopupMenu(spotMenu);
  FreeAndNil(spotMenu);
  EXPECT_EQ(spot->PopupMenu(), nullptr);
  RightClick(spot, 10, 10);
  EXPECT_TRUE(opened.empty());
}

}  // namespace
