// What the menu tests share: opening an owner-drawn menu at a point as a popup menu does, a menu bar with
// buttons that open their menus as menu-bar buttons do, and a form with a focused edit, a main menu and such a
// bar, active in the foreground.
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
#include "toolbars/menu_engine.h"
#include "toolbars/menu_hint_window.h"
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

class TTestMenuBar;

// A bar button: opens its menu below itself when clicked, and closes it when clicked while it is open.
class TTestBarButton : public cl::TGraphicControl, public MenuBarButton {
  CL_CLASS(TTestBarButton, cl::TGraphicControl)
 public:
  TTestBarButton(cl::TComponent* owner, TTestMenuBar* bar, cl::TMenuItem* item);

  cl::TControl* Control() override { return this; }
  MenuBar* Bar() override;
  bool IsMDIButton() const override { return false; }
  bool IsHot() const override { return Hot; }
  void PaintHot() override { Hot = true; }
  void PaintLeft() override { Hot = false; }
  void SetButtonDown(bool down) override { Down = down; }
  void Click() override;
  TCustomPopupMenuEx* DropdownMenuEx() const override { return Menu; }

  cl::TMenuItem* Item;
  TCustomPopupMenuEx* Menu = nullptr;
  bool Hot = false;
  bool Down = false;

 protected:
  void Paint() override;

 private:
  TTestMenuBar* FBar;
};

class TTestMenuBar : public cl::TPanel, public MenuBar {
  CL_CLASS(TTestMenuBar, cl::TPanel)
 public:
  explicit TTestMenuBar(cl::TComponent* owner) : cl::TPanel(owner) { RegisterMenuBar(this); }
  void BeforeDestruction() override {
    UnregisterMenuBar(this);
    inherited::BeforeDestruction();
  }

  // One button per top-level item of menu, each with a menu of its sub-items.
  void Build(cl::TMainMenu* menu) {
    FMainMenu = menu;
    int left = 0;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
      auto* button = cl::New<TTestBarButton>(Owner(), this, menu->Items()->Items(i));
      button->SetBounds(left, 0, 50, Height());
      button->SetParent(this);
      left += 50;
    }
  }

  cl::TWinControl* Control() override { return this; }
  cl::TForm* OwnerForm() const override { return dynamic_cast<cl::TForm*>(Owner()); }
  cl::TMainMenu* MainMenu() const override { return FMainMenu; }
  std::vector<cl::TMenu*> MergedMenus() const override { return {}; }
  bool KeyboardMode() const override { return FKeyboardMode; }
  void SetKeyboardMode(bool keyboardMode) override { FKeyboardMode = keyboardMode; }
  cl::TStatusBar* StatusBar() const override { return nullptr; }
  int StatusBarIndex() const override { return 0; }

  TTestBarButton* Button(int index) const { return dynamic_cast<TTestBarButton*>(Controls(index)); }

 private:
  cl::TMainMenu* FMainMenu = nullptr;
  bool FKeyboardMode = false;
};

inline TTestBarButton::TTestBarButton(cl::TComponent* owner, TTestMenuBar* bar, cl::TMenuItem* item)
    : cl::TGraphicControl(owner), Item(item), FBar(bar) {
  SetCaption(item->Caption());
  if (item->Count() > 0) Menu = cl::New<TCustomPopupMenuEx>(owner);
}

inline MenuBar* TTestBarButton::Bar() {
  return FBar;
}

inline void TTestBarButton::Click() {
  FBar->SetKeyboardMode(false);
  if (Down && Menu && ActivePopupMenu() == Menu) {
    CloseAllMenus(true);
    Down = false;
    Hot = true;
    return;
  }
  CloseAllMenus(true);
  SetHotButton(nullptr);
  SetLastButton(this);
  if (!Menu) return;
  Down = true;
  const cl::TPoint corner = ClientToScreen(cl::Point(0, Height()));
  OpenMenu(Menu, Item, corner.X, corner.Y, this);
  Down = Menu->IsOpen();
}

inline void TTestBarButton::Paint() {
  cl::TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Hot || Down ? cl::clHighlight : cl::clBtnFace);
  canvas->FillRect(ClientRect());
  cl::TRect r = ClientRect();
  canvas->Brush()->SetStyle(cl::bsClear);
  canvas->TextRect(r, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// A form with a focused edit and a bar over a main menu: File (Copy Ctrl+O, Move Ctrl+M, separator, Exit),
// Edit (Paste, disabled) and View (Full Screen, a Zoom submenu of 2:1 and 3:1). Each item's click is logged.
class TMenuTestForm : public cl::TForm {
  CL_CLASS(TMenuTestForm, cl::TForm)
 public:
  explicit TMenuTestForm(cl::TComponent* owner) : cl::TForm(owner) {}

  cl::TMainMenu* MainMenu = nullptr;
  TTestMenuBar* Bar = nullptr;
  cl::TEdit* Edit = nullptr;
  std::vector<std::string> Clicks;

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
    Bar = cl::Make<TTestMenuBar>(this, "Bar");
    Bar->SetAlign(cl::alTop);
    Bar->SetHeight(22);
    Bar->SetParent(this);
    Edit = cl::Make<cl::TEdit>(this, "EditBox");
    Edit->SetBounds(10, 40, 200, 24);
    Edit->SetParent(this);
  }
  void Loaded() override {
    inherited::Loaded();
    Bar->Build(MainMenu);
  }

 private:
  cl::TMenuItem* Add(cl::TMenuItem* parent, const std::string& name, const std::string& caption,
                     cl::TShortCut shortCut = 0) {
    return cl::AddMenuItem(parent, name, caption, shortCut,
                           cl::TNotifyEvent([this, name](cl::TObject*) { Clicks.push_back(name); }));
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
    SetHotButton(nullptr);
    SetLastButton(nullptr);
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
