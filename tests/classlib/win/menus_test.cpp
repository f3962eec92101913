// Native menus on a form: the HMENU read back, WM_COMMAND and WM_INITMENUPOPUP clicks, and shortcut keys.
#include "classlib/win/menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/forms.h"
#include "classlib/win/stdctrls.h"
#include "menu_test_items.h"

namespace {

using namespace cl;

using menutest::MenuText;

class TMenuForm : public TForm {
  CL_CLASS(TMenuForm, TForm)
 public:
  explicit TMenuForm(TComponent* owner) : TForm(owner) {}
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* File1 = nullptr;
  TMenuItem* Open1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* Hidden1 = nullptr;
  TMenuItem* Exit1 = nullptr;
  TMenuItem* Edit1 = nullptr;
  TMenuItem* Toolbar1 = nullptr;
  std::vector<std::string> Clicks;

 protected:
  void CreateComponents() override {
    SetCaption("Menus");
    SetBounds(80, 80, 300, 200);
    MainMenu1 = Make<TMainMenu>(this, "MainMenu1");
    File1 = Item("File1", "&File", MainMenu1->Items());
    Open1 = Item("Open1", "&Open...", File1);
    Open1->SetShortCut(ShortCut(VK_F9, {}));
    N1 = Item("N1", "-", File1);
    Hidden1 = Item("Hidden1", "Hidden", File1);
    Hidden1->SetVisible(false);
    Exit1 = Item("Exit1", "E&xit", File1);
    Exit1->SetEnabled(false);
    Edit1 = Item("Edit1", "&Edit", MainMenu1->Items());
    Toolbar1 = Item("Toolbar1", "&Toolbar", Edit1);
    Toolbar1->SetChecked(true);
    SetMenu(MainMenu1);
  }

 private:
  TMenuItem* Item(const std::string& name, const std::string& caption, TMenuItem* parent) {
    return menutest::AddItem(this, parent, name, caption, Clicks);
  }
};

class MenusTest : public testing::Test {
 protected:
  void SetUp() override {
    form = New<TMenuForm>(Application);
    form->Show();
  }
  void TearDown() override { Free(form); }
  TMenuForm* form = nullptr;
};

TEST(ShortCuts, TextNamesTheModifiersAndTheKey) {
  EXPECT_EQ(ShortCutToText(ShortCut('O', {ssCtrl})), "Ctrl+O");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_F9, {})), "F9");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {ssShift})), "Shift+Del");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_BACK, {ssAlt})), "Alt+BkSp");
  EXPECT_EQ(ShortCutToText(0), "");
}

TEST(ShortCuts, TextIsReadBackIntoTheShortCut) {
  for (TShortCut shortCut :
       {ShortCut('O', {ssCtrl}), ShortCut(VK_F4, {ssAlt}), ShortCut(VK_DELETE, {ssShift, ssCtrl})}) {
    EXPECT_EQ(TextToShortCut(ShortCutToText(shortCut)), shortCut) << ShortCutToText(shortCut);
  }
  EXPECT_EQ(TextToShortCut("alt+f4"), ShortCut(VK_F4, {ssAlt}));
  for (const char* text : {"", "Ctrl+", "Ctrl+Nothing", "Alt+F4 "}) EXPECT_EQ(TextToShortCut(text), 0) << text;
}

TEST_F(MenusTest, HandlesHoldTheVisibleItemsWithStateAndShortcutText) {
  HMENU bar = GetMenu(form->Handle());
  ASSERT_EQ(bar, form->MainMenu1->Handle());
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(MenuText(bar, 0), "&File");
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(file, form->File1->Handle());
  ASSERT_EQ(GetMenuItemCount(file), 3);  // the hidden item is left out
  EXPECT_EQ(MenuText(file, 0), "&Open...\tF9");
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(form->Open1->Caption(), "&Open...");
  EXPECT_TRUE(GetMenuState(GetSubMenu(bar, 1), 0, MF_BYPOSITION) & MF_CHECKED);

  form->Hidden1->SetVisible(true);
  form->Open1->SetCaption("&Open file...");
  EXPECT_EQ(GetMenuItemCount(file), 4);
  EXPECT_EQ(MenuText(file, 0), "&Open file...\tF9");
  EXPECT_EQ(MenuText(file, 2), "Hidden");
}

TEST_F(MenusTest, WmCommandClicksItsItemOnce) {
  SendMessageA(form->Handle(), WM_COMMAND, form->Open1->Command(), 0);
  EXPECT_EQ(form->Clicks, std::vector<std::string>{"Open1"});
  // A disabled item does not click.
  SendMessageA(form->Handle(), WM_COMMAND, form->Exit1->Command(), 0);
  EXPECT_EQ(form->Clicks.size(), 1u);
}

TEST_F(MenusTest, OpeningASubmenuClicksItsItem) {
  SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(form->File1->Handle()), 0);
  EXPECT_EQ(form->Clicks, std::vector<std::string>{"File1"});
}

TEST_F(MenusTest, MenuSelectPutsTheItemsLongHintOnTheApplication) {
  Application->SetHint("");
  int hintEvents = 0;
  Application->SetOnHint(TNotifyEvent([&](TObject*) { ++hintEvents; }));
  form->Open1->SetHint("Open|Opens an image file");
  form->File1->SetHint("File commands");
  const auto select = [&](WORD idOrPosition, WORD flags, HMENU menu) {
    SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(idOrPosition, flags), reinterpret_cast<LPARAM>(menu));
    return Application->Hint();
  };
  EXPECT_EQ(select(form->Open1->Command(), MF_STRING, form->File1->Handle()), "Opens an image file");
  EXPECT_EQ(select(0, MF_POPUP, form->MainMenu1->Handle()), "File commands");          // by position in the bar
  EXPECT_EQ(select(form->Toolbar1->Command(), MF_STRING, form->Edit1->Handle()), "");  // an item without a hint
  EXPECT_EQ(select(form->Open1->Command(), MF_STRING, form->File1->Handle()), "Opens an image file");
  EXPECT_EQ(select(0, 0xFFFF, nullptr), "");  // the menu closed
  EXPECT_EQ(hintEvents, 5);
  Application->SetOnHint(TNotifyEvent());
}

TEST_F(MenusTest, ShortcutClicksAncestorsThenTheItem) {
  PostMessageA(form->Handle(), WM_KEYDOWN, VK_F9, 1);
  test::PumpFor(30);
  EXPECT_EQ(form->Clicks, (std::vector<std::string>{"File1", "Open1"}));

  // A disabled ancestor stops the chain.
  form->Clicks.clear();
  form->File1->SetEnabled(false);
  PostMessageA(form->Handle(), WM_KEYDOWN, VK_F9, 1);
  test::PumpFor(30);
  EXPECT_TRUE(form->Clicks.empty());
}

TEST_F(MenusTest, ThePopupMenusOfTheFocusedControlAndItsParentsComeBeforeTheFormsMenu) {
  auto* panel = Make<TPanel>(form, "Panel1");
  panel->SetParent(form);
  auto* edit = Make<TEdit>(form, "EditBox1");
  edit->SetParent(panel);
  auto* popup = Make<TPopupMenu>(form, "PopupMenu1");
  menutest::AddItem(form, popup->Items(), "Update1", "Update", form->Clicks)->SetShortCut(ShortCut(VK_F5, {}));
  menutest::AddItem(form, popup->Items(), "Open2", "Open", form->Clicks)->SetShortCut(ShortCut(VK_F9, {}));
  panel->SetPopupMenu(popup);
  edit->SetFocus();
  for (WORD key : {VK_F5, VK_F9}) PostMessageA(edit->Handle(), WM_KEYDOWN, key, 1);
  test::PumpFor(30);
  EXPECT_EQ(form->Clicks, (std::vector<std::string>{"Update1", "Open2"}));

  // Without the pop-up menu the form's menu has the key.
  form->Clicks.clear();
  panel->SetPopupMenu(nullptr);
  PostMessageA(edit->Handle(), WM_KEYDOWN, VK_F9, 1);
  test::PumpFor(30);
  EXPECT_EQ(form->Clicks, (std::vector<std::string>{"File1", "Open1"}));
}

TEST_F(MenusTest, ItemFreedInItsOwnClickLeavesTheMenuConsistent) {
  form->Toolbar1->SetOnClick(TNotifyEvent([](TObject* sender) { Free(sender); }));
  SendMessageA(form->Handle(), WM_COMMAND, form->Toolbar1->Command(), 0);
  EXPECT_EQ(form->Edit1->Count(), 0);
  EXPECT_EQ(GetMenuItemCount(form->Edit1->Handle()), 0);
}

}  // namespace
