// The menus' item and form classes with a menu bar: a change of a top-level item refreshes its one button or
// rebuilds the bar, the form's native menu stays off, and a form owned by another form keeps its menu.
#include "toolbars/menu_item.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/extctrls.h"
#include "toolbars/menu_engine.h"
#include "toolbars/menu_form.h"

namespace tbr::menus {
namespace {

// A bar that records how it is asked to follow its items.
class TRecordingBar : public cl::TPanel, public MenuBar {
  CL_CLASS(TRecordingBar, cl::TPanel)
 public:
  TRecordingBar(cl::TComponent* owner, cl::TMainMenu* menu) : cl::TPanel(owner), FMenu(menu) { RegisterMenuBar(this); }
  void BeforeDestruction() override {
    UnregisterMenuBar(this);
    inherited::BeforeDestruction();
  }
  cl::TWinControl* Control() override { return this; }
  cl::TForm* OwnerForm() const override { return dynamic_cast<cl::TForm*>(Owner()); }
  cl::TMainMenu* MainMenu() const override { return FMenu; }
  std::vector<cl::TMenu*> MergedMenus() const override { return {}; }
  bool KeyboardMode() const override { return false; }
  void SetKeyboardMode(bool) override {}
  cl::TStatusBar* StatusBar() const override { return nullptr; }
  int StatusBarIndex() const override { return 0; }
  bool Updating() const override { return FUpdating; }
  void BeginUpdate() override {
    FUpdating = true;
    Log.push_back("begin");
  }
  void EndUpdate() override {
    FUpdating = false;
    Log.push_back("rebuild");
  }
  void UpdateItemButton(cl::TMenuItem* item) override {
    FUpdating = false;
    Log.push_back("button " + item->Name());
  }

  std::vector<std::string> Log;

 private:
  cl::TMainMenu* FMenu;
  bool FUpdating = false;
};

TEST(MenuItemTest, TopLevelChangesRefreshTheirButtonOrRebuildTheBar) {
  InitMenuUnit();
  auto* form = cl::CreateNew<TForm>(cl::Application);
  auto* menu = cl::Make<cl::TMainMenu>(form, "MainMenu1");
  cl::TMenuItem* file = cl::AddMenuItem<TMenuItem>(menu->Items(), "File1", "&File");
  cl::TMenuItem* copy = cl::AddMenuItem<TMenuItem>(file, "Copy1", "&Copy");
  form->SetMenu(menu);
  auto* bar = cl::New<TRecordingBar>(form, menu);

  file->SetEnabled(false);
  file->SetCaption("&Files");
  EXPECT_EQ(bar->Log, (std::vector<std::string>{"begin", "button File1", "begin", "button File1"}));
  EXPECT_FALSE(file->Enabled());
  EXPECT_EQ(file->Caption(), "&Files");
  // The bar stands in for the form's menu, which the form keeps.
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(form->NativeMenu(), menu);

  bar->Log.clear();
  file->SetVisible(false);
  file->SetGroupIndex(2);
  EXPECT_EQ(bar->Log, (std::vector<std::string>{"begin", "rebuild", "begin", "rebuild"}));
  EXPECT_FALSE(file->Visible());

  // Items below the top level have no button.
  bar->Log.clear();
  copy->SetEnabled(false);
  EXPECT_TRUE(bar->Log.empty());
  EXPECT_FALSE(copy->Enabled());
  cl::Free(form);
}

TEST(MenuItemTest, AFormOwnedByAnotherFormKeepsItsMenu) {
  auto* frame = cl::CreateNew<cl::TForm>(cl::Application);
  auto* child = cl::CreateNew<cl::TForm>(frame);
  auto* menu = cl::Make<cl::TMainMenu>(child, "MainMenu1");
  cl::AddMenuItem<TMenuItem>(menu->Items(), "File1", "&File");
  child->SetMenu(menu);
  RemoveNativeMenu(child);
  EXPECT_EQ(child->Menu(), menu);
  RemoveNativeMenu(frame);
  RemoveNativeMenu(nullptr);

  auto* plain = cl::CreateNew<cl::TForm>(cl::Application);
  auto* plainMenu = cl::Make<cl::TMainMenu>(plain, "MainMenu1");
  plain->SetMenu(plainMenu);
  RemoveNativeMenu(plain);
  EXPECT_EQ(plain->Menu(), nullptr);
  cl::Free(plain);
  cl::Free(frame);
}

TEST(MenuItemTest, NewMenuItemMakesAnUnownedItem) {
  int clicks = 0;
  TMenuItem* item = NewMenuItem("&Open", cl::scCtrl | 'O', true, false, 12, "Open1",
                                cl::TNotifyEvent([&](cl::TObject*) { ++clicks; }));
  EXPECT_EQ(item->Owner(), nullptr);
  EXPECT_EQ(item->Caption(), "&Open");
  EXPECT_EQ(item->ShortCut(), cl::scCtrl | 'O');
  EXPECT_TRUE(item->Checked());
  EXPECT_FALSE(item->Enabled());
  EXPECT_EQ(item->HelpContext(), 12);
  EXPECT_EQ(item->Name(), "Open1");
  item->OnClick()(item);
  EXPECT_EQ(clicks, 1);
  cl::Free(item);
}

}  // namespace
}  // namespace tbr::menus
