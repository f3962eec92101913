// What the menu tests share: opening an owner-drawn menu at a point as a popup menu does, and a form like the
// browser's with a focused edit, a main menu and a menu bar, active in the foreground.
#pragma once

#include <string>
#include <vector>

#include "classlib/test/counters.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/forms.h"
#include "classlib/win/menus.h"
#include "classlib/win/stdctrls.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/dock.h"
#include "toolbars/main_menu_ex.h"
#include "toolbars/menu_bar_button.h"
#include "toolbars/menu_engine.h"
#include "toolbars/menu_form.h"
#include "toolbars/menu_hint_window.h"
#include "toolbars/menu_item.h"
#include "toolbars/popup_menu_form.h"

namespace tbr::menus::test {

// Opens menu's window for item at the screen point (x, y), with opener as its popup component.
inline bool OpenMenu(TCustomPopupMenuEx* menu, cl::TMenuItem* item, int x, int y, cl::TComponent* opener = nullptr) {
  CloseAllMenus(false);
  SetActivePopupMenu(menu);
  menu->SetPopupComponent(opener);
  TPopupMenuExForm* window = menu->Window();
  window->SetSourceItem(item);
  window->SetMenuHandle(item->Handle());
  window->SetOwnerMenu(menu);
  window->SetChanged(true);
  window->SetBounds(x, y, 0, 0);
  const bool opened = window->AnimateOpen();
  if (!opened) SetActivePopupMenu(nullptr);
  return opened;
}

// A form like the browser's: the menus' form with a focused edit and a menu bar in the top dock over a main menu:
// File (Copy Ctrl+O, Move Ctrl+M, separator, Exit), Edit (Paste, disabled) and View (Full Screen, a Zoom submenu
// of 2:1 and 3:1). The bar's menus open and close at once. The clicks of the items below the bar are logged.
// A menu bar of form over menu in dock, as the browser's, whose menus open and close at once.
inline TMainMenuEx* AddMenuBar(cl::TForm* form, const std::string& name, cl::TMainMenu* menu, TDock* dock) {
  auto* bar = cl::Make<TMainMenuEx>(form, name);
  bar->SetCloseButton(false);
  bar->Options()->SetOpenAnimation(anNone);
  bar->Options()->SetCloseAnimation(anNone);
  bar->SetMainMenu(menu);
  bar->SetParent(dock);
  return bar;
}

class TMenuTestForm : public TForm {
  CL_CLASS(TMenuTestForm, TForm)
 public:
  explicit TMenuTestForm(cl::TComponent* owner) : TForm(owner) {}

  cl::TMainMenu* MainMenu = nullptr;
  TDock* TopDock = nullptr;
  TMainMenuEx* Bar = nullptr;
  cl::TEdit* Edit = nullptr;
  std::vector<std::string> Clicks;

  // The bar's buttons, in order.
  TMenuBarButton* Button(int index) const { return dynamic_cast<TMenuBarButton*>(Bar->Controls(index)); }

 protected:
  void CreateComponents() override {
    SetBounds(100, 100, 400, 300);
    MainMenu = cl::Make<cl::TMainMenu>(this, "MainMenu1");
    cl::TMenuItem* root = MainMenu->Items();
    cl::TMenuItem* file = Add(root, "File1", "&File");
    Add(file, "Copy1", "&Copy", 0x4000 | 'O');
    Add(file, "Move1", "&Move", 0x4000 | 'M');
    Add(file, "N1", "-");
    Add(file, "Exit1", "E&xit");
    cl::TMenuItem* edit = Add(root, "Edit1", "&Edit");
    Add(edit, "Paste1", "&Paste")->SetEnabled(false);
    cl::TMenuItem* view = Add(root, "View1", "&View");
    Add(view, "FullScreen1", "&Full Screen");
    cl::TMenuItem* zoom = Add(view, "Zoom1", "&Zoom");
    Add(zoom, "N21", "&2:1");
    Add(zoom, "N31", "&3:1");
    SetMenu(MainMenu);
    TopDock = cl::Make<TDock>(this, "TopDock");
    TopDock->SetParent(this);
    Bar = AddMenuBar(this, "MainMenuEx1", MainMenu, TopDock);
    Edit = cl::Make<cl::TEdit>(this, "EditBox");
    Edit->SetBounds(10, 40, 200, 24);
    Edit->SetParent(this);
  }

 private:
  cl::TMenuItem* Add(cl::TMenuItem* parent, const std::string& name, const std::string& caption,
                     cl::TShortCut shortCut = 0) {
    cl::TNotifyEvent log;
    if (parent != MainMenu->Items()) log = cl::TNotifyEvent([this, name](cl::TObject*) { Clicks.push_back(name); });
    return cl::AddMenuItem<TMenuItem>(parent, name, caption, shortCut, log);
  }
};

// Puts the cursor at a screen point and waits until the system reports it there.
inline void MoveCursor(cl::TPoint point) {
  SetCursorPos(point.X, point.Y);
  cl::test::PumpUntil(
      [&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == point.X && now.y == point.Y;
      },
      1000);
}

// Shows a form of the test in the foreground, and checks that no window is left over.
template <class Form>
class ForegroundFormTest : public testing::Test {
 protected:
  void SetUp() override {
    InitMenuUnit();
    // The unit's hint window is made once and kept.
    MenuHint()->HandleNeeded();
    windowsBefore = cl::test::ThreadWindowCount();
    cl::Application->CreateForm(form);
    form->Show();
    SetForegroundWindow(form->Handle());
    SetActiveWindow(form->Handle());
    Focus();
    // Away from every menu, so that no real mouse move mixes with the posted ones.
    MoveCursor(cl::Point(0, 0));
    cl::test::PumpFor(20);
  }
  void TearDown() override {
    CloseAllMenus(false);
    // A bar left lit by the keyboard hid the caret.
    SetHotButton(nullptr);
    SetLastButton(nullptr);
    ShowMenuCaret();
    cl::Free(form);
    cl::test::PumpFor(20);
    EXPECT_EQ(ActivePopupMenu(), nullptr);
    EXPECT_EQ(cl::test::ThreadWindowCount(), windowsBefore);
  }
  virtual void Focus() {}

  Form* form = nullptr;
  int windowsBefore = 0;
};

// A TMenuTestForm with its edit focused.
class MenuFormTest : public ForegroundFormTest<TMenuTestForm> {
 protected:
  void Focus() override { form->Edit->SetFocus(); }
};

}  // namespace tbr::menus::test
