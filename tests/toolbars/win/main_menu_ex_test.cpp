// The menu bar on a form like the browser's and on an MDI frame: buttons built from the menu with the native menu
// gone, menus opening at the buttons and switching under the mouse, one button refreshed or all rebuilt after an
// item changes, and a maximised MDI child's icon and window buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "menu_test_kit.h"
#include "tests/support/screenshot.h"
#include "toolbars/core/menu_text.h"
#include "toolbars/dock.h"
#include "toolbars/main_menu_ex.h"
#include "toolbars/menu_bar_button.h"

namespace tbr::menus {
namespace {

cl::TMenuItem* Add(cl::TMenuItem* parent, const std::string& name, const std::string& caption) {
  return cl::AddMenuItem(parent, name, caption);
}

// File (Copy, Exit), Edit (Paste), View (Zoom In), Help (hidden) over a bar in the top dock.
class TBarForm : public cl::TForm {
  CL_CLASS(TBarForm, cl::TForm)
 public:
  explicit TBarForm(cl::TComponent* owner) : cl::TForm(owner) {}
  cl::TMainMenu* MainMenu1 = nullptr;
  cl::TMenuItem* File1 = nullptr;
  cl::TMenuItem* Edit1 = nullptr;
  cl::TMenuItem* View1 = nullptr;
  TDock* Dock1 = nullptr;
  TDock* Dock2 = nullptr;
  TMainMenuEx* MainMenuEx1 = nullptr;

 protected:
  void CreateComponents() override {
    SetBounds(100, 100, 500, 300);
    MainMenu1 = cl::Make<cl::TMainMenu>(this, "MainMenu1");
    cl::TMenuItem* root = MainMenu1->Items();
    File1 = Add(root, "File1", "&File");
    Add(File1, "Copy1", "&Copy");
    Add(File1, "Exit1", "E&xit");
    Edit1 = Add(root, "Edit1", "&Edit");
    Add(Edit1, "Paste1", "&Paste");
    View1 = Add(root, "View1", "Save && &View");
    Add(View1, "ZoomIn1", "Zoom &In");
    Add(root, "Help1", "&Help")->SetVisible(false);
    SetMenu(MainMenu1);
    Dock1 = cl::Make<TDock>(this, "Dock1");
    Dock1->SetPosition(dpTop);
    Dock1->SetParent(this);
    Dock2 = cl::Make<TDock>(this, "Dock2");
    Dock2->SetPosition(dpLeft);
    Dock2->SetParent(this);
    MainMenuEx1 = test::AddMenuBar(this, "MainMenuEx1", MainMenu1, Dock1);
  }
};

std::vector<TMenuBarButton*> Buttons(TMainMenuEx* bar) {
  std::vector<TMenuBarButton*> buttons;
  for (int i = 0; i < bar->ControlCount(); ++i) {
    if (auto* button = dynamic_cast<TMenuBarButton*>(bar->Controls(i))) buttons.push_back(button);
  }
  return buttons;
}

class MainMenuExTest : public test::ForegroundFormTest<TBarForm> {
 protected:
  TMainMenuEx* Bar() const { return form->MainMenuEx1; }
  // Presses and releases the left button on a bar button.
  void ClickOn(TMenuBarButton* button) {
    cl::test::MouseDown(button, cl::mbLeft, 5, 5);
    cl::test::MouseUp(button, cl::mbLeft, 5, 5);
  }
  // Posts a key's press and release to the form (with Alt held: as a system key), handling each.
  void Key(WORD key, bool alt) {
    const LPARAM data = 1 | (alt ? (1 << 29) : 0);
    for (bool up : {false, true}) {
      BYTE state[256];
      GetKeyboardState(state);
      state[VK_MENU] = alt && !up ? 0x80 : 0;
      SetKeyboardState(state);
      const UINT message = alt ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
      PostMessageA(form->Handle(), message, key, data | (up ? static_cast<LPARAM>(0xC0000000u) : 0));
      cl::test::PumpFor(20);
    }
  }
  // Posts a move of the mouse to the middle of a bar button and handles it.
  void MoveOver(TMenuBarButton* button, int dx = 0) {
    cl::test::MouseMove(button, button->Width() / 2 + dx, button->Height() / 2);
  }
};

TEST_F(MainMenuExTest, BuildsAButtonPerVisibleItemAndTakesTheNativeMenu) {
  const std::vector<TMenuBarButton*> buttons = Buttons(Bar());
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(Bar()->Caption(), "Menu Bar");
  EXPECT_EQ(Bar()->Width(), form->Dock1->ClientWidth());
  cl::TBitmap measure;
  measure.Canvas()->SetFont(buttons[0]->Font());
  int left = -1;
  for (TMenuBarButton* button : buttons) {
    const SIZE caption = measure.Canvas()->TextExtent(DisplayedCaption(button->Caption()));
    EXPECT_EQ(button->Width(), caption.cx + 16) << button->Caption();
    EXPECT_EQ(button->Height(), caption.cy + 6) << button->Caption();
    EXPECT_GT(button->Left(), left);
    left = button->Left();
    ASSERT_NE(button->DropdownMenuEx(), nullptr);
  }
  EXPECT_EQ(buttons[2]->Caption(), "Save && &View");
  try {
    Bar()->SetMainMenu(nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const cl::Exception& e) {
    EXPECT_STREQ(e.what(), "Value cannot be empty");
  }
  EXPECT_EQ(Bar()->MainMenu(), form->MainMenu1);
}

TEST_F(MainMenuExTest, TheMenusTakeTheBarsHintSettings) {
  TCustomPopupMenuEx* menu = Buttons(Bar())[0]->DropdownMenuEx();
  EXPECT_TRUE(menu->ParentShowHint());
  Bar()->SetShowHint(true);  // ends the bar's ParentShowHint
  Bar()->ApplySettings(menu);
  EXPECT_TRUE(menu->ShowHint());
  EXPECT_FALSE(menu->ParentShowHint());
  Bar()->SetParentShowHint(true);
  Bar()->ApplySettings(menu);
  EXPECT_TRUE(menu->ParentShowHint());
  // A ShowHint of its own ends it.
  menu->SetShowHint(!menu->ShowHint());
  EXPECT_FALSE(menu->ParentShowHint());
}

TEST_F(MainMenuExTest, AClickOpensTheMenuAtTheButtonAndHoveringSwitches) {
  const std::vector<TMenuBarButton*> buttons = Buttons(Bar());
  TMenuBarButton* file = buttons[0];
  TMenuBarButton* view = buttons[2];
  ClickOn(file);
  ASSERT_EQ(ActivePopupMenu(), file->DropdownMenuEx());
  ASSERT_TRUE(file->DropdownMenuEx()->IsOpen());
  EXPECT_TRUE(file->Down());
  const cl::TPoint corner = file->ClientToScreen(cl::Point(0, file->Height()));
  TPopupMenuExForm* window = file->DropdownMenuEx()->Window();
  EXPECT_EQ(window->Left(), corner.X);
  EXPECT_EQ(window->Top(), corner.Y);
  EXPECT_EQ(window->SourceItem(), form->File1);
  testsupport::SaveScreenshot("menus_menu_bar_open");
  // The first move over View closes File's menu, the next opens View's.
  MoveOver(view);
  EXPECT_FALSE(file->DropdownMenuEx()->IsOpen());
  MoveOver(view, 4);
  EXPECT_EQ(ActivePopupMenu(), view->DropdownMenuEx());
  EXPECT_TRUE(view->DropdownMenuEx()->IsOpen());
  EXPECT_TRUE(view->Down());
  EXPECT_FALSE(file->Down());
  // A second click on the open button closes its menu (the engine leaves a press on the opener to the button).
  view->Click();
  EXPECT_FALSE(AnyMenuOpen());
  EXPECT_FALSE(view->Down());
}

TEST_F(MainMenuExTest, OnASideDockTheButtonsStandAcrossAndOpenBeside) {
  Bar()->SetDockedTo(form->Dock2);
  cl::test::PumpFor(20);
  TMenuBarButton* file = Buttons(Bar())[0];
  EXPECT_LT(file->Width(), file->Height());
  EXPECT_EQ(file->Width(), Buttons(Bar())[1]->Width());
  ClickOn(file);
  ASSERT_TRUE(file->DropdownMenuEx()->IsOpen());
  const cl::TPoint corner = file->ClientToScreen(cl::Point(file->Width(), 0));
  EXPECT_EQ(file->DropdownMenuEx()->Window()->Left(), corner.X);
  EXPECT_EQ(file->DropdownMenuEx()->Window()->Top(), corner.Y);
}

TEST_F(MainMenuExTest, AltLightsTheFirstButtonAndDownOpensItsMenu) {
  TMenuBarButton* file = Buttons(Bar())[0];
  Key(VK_MENU, true);
  EXPECT_EQ(HotButton(), file);
  EXPECT_TRUE(file->IsHot());
  EXPECT_TRUE(Bar()->KeyboardMode());
  Key(VK_DOWN, false);
  ASSERT_TRUE(file->DropdownMenuEx()->IsOpen());
  EXPECT_EQ(file->DropdownMenuEx()->Window()->ItemIndex(), 0);
  Key(VK_ESCAPE, false);
  EXPECT_FALSE(AnyMenuOpen());
}

TEST_F(MainMenuExTest, EnabledRefreshesOneButtonAndVisibleRebuilds) {
  const std::vector<TMenuBarButton*> before = Buttons(Bar());
  const cl::Weak<TCustomPopupMenuEx> fileMenu(before[0]->DropdownMenuEx());
  // What an item's Enabled setter does with the bar.
  Bar()->BeginUpdate();
  form->Edit1->SetEnabled(false);
  Bar()->UpdateItemButton(form->Edit1);
  EXPECT_FALSE(Bar()->Updating());
  EXPECT_EQ(Buttons(Bar()), before);
  EXPECT_FALSE(before[1]->Enabled());
  EXPECT_TRUE(before[0]->Enabled());
  // What its Visible setter does: every button is made again, each menu freed with its button.
  Bar()->BeginUpdate();
  form->Edit1->SetVisible(false);
  Bar()->EndUpdate();
  const std::vector<TMenuBarButton*> after = Buttons(Bar());
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[0]->Caption(), "&File");
  EXPECT_EQ(after[1]->Caption(), "Save && &View");
  EXPECT_FALSE(fileMenu);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  // Rebuilding again and again leaves no menus behind.
  const int components = form->ComponentCount();
  for (int i = 0; i < 3; ++i) Bar()->Rebuild();
  EXPECT_EQ(form->ComponentCount(), components);
}

// ---- MDI ----

// A frame with File (group 0) and Help (group 9) on its bar, and children with Image (group 0).
class TMDIFrame : public cl::TForm {
  CL_CLASS(TMDIFrame, cl::TForm)
 public:
  explicit TMDIFrame(cl::TComponent* owner) : cl::TForm(owner) {}
  TMainMenuEx* Bar = nullptr;

 protected:
  void CreateComponents() override {
    SetFormStyle(cl::fsMDIForm);
    SetBounds(60, 60, 600, 400);
    auto* menu = cl::Make<cl::TMainMenu>(this, "MainMenu1");
    Add(Add(menu->Items(), "File1", "&File"), "Open1", "&Open");
    cl::TMenuItem* help = Add(menu->Items(), "Help1", "&Help");
    help->SetGroupIndex(9);
    Add(help, "About1", "&About");
    SetMenu(menu);
    auto* dock = cl::Make<TDock>(this, "Dock1");
    dock->SetPosition(dpTop);
    dock->SetParent(this);
    Bar = cl::Make<TMainMenuEx>(this, "MainMenuEx1");
    Bar->Options()->SetOpenAnimation(anNone);
    Bar->Options()->SetCloseAnimation(anNone);
    Bar->SetMainMenu(menu);
    Bar->SetParent(dock);
    SetVisible(true);
  }
};

class TMDIChild : public cl::TForm {
  CL_CLASS(TMDIChild, cl::TForm)
 public:
  TMDIChild(cl::TComponent* owner, bool windowButtons) : cl::TForm(owner), FWindowButtons(windowButtons) {}

 protected:
  void CreateComponents() override {
    SetFormStyle(cl::fsMDIChild);
    SetCaption("Picture");
    if (!FWindowButtons) SetBorderIcons({cl::biSystemMenu});
    auto* menu = cl::Make<cl::TMainMenu>(this, "MainMenu1");
    Add(Add(menu->Items(), "Image1", "&Image"), "Crop1", "&Crop");
    SetMenu(menu);
  }

 private:
  bool FWindowButtons;
};

class MainMenuExMDITest : public testing::Test {
 protected:
  void SetUp() override {
    InitMenuUnit();
    windowsBefore = cl::test::ThreadWindowCount();
    frame = cl::New<TMDIFrame>(cl::Application);
    cl::test::PumpFor(20);
  }
  void TearDown() override {
    CloseAllMenus(false);
    cl::Free(frame);
    cl::test::PumpFor(20);
    EXPECT_EQ(cl::test::ThreadWindowCount(), windowsBefore);
  }

  // The bar's controls after the CBT hook's message has been handled.
  std::vector<cl::TControl*> Controls() {
    cl::test::PumpFor(30);
    std::vector<cl::TControl*> controls;
    for (int i = 0; i < frame->Bar->ControlCount(); ++i) controls.push_back(frame->Bar->Controls(i));
    return controls;
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    for (TMenuBarButton* button : Buttons(frame->Bar)) {
      if (!button->IsMDIButton()) captions.push_back(button->Caption());
    }
    return captions;
  }
  std::vector<intptr_t> PlainTags(const std::vector<cl::TControl*>& controls) {
    std::vector<intptr_t> tags;
    for (cl::TControl* control : controls) {
      if (!dynamic_cast<TMenuBarButton*>(control)) tags.push_back(control->Tag());
    }
    return tags;
  }

  TMDIFrame* frame = nullptr;
  int windowsBefore = 0;
};

TEST_F(MainMenuExMDITest, AMaximisedChildPutsItsIconAndWindowButtonsOnTheBar) {
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&File", "&Help"}));
  auto* child = cl::New<TMDIChild>(cl::Application, true);
  // The child's group 0 takes the frame's place while it is active.
  Controls();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&Image", "&Help"}));
  EXPECT_EQ(GetMenu(frame->Handle()), nullptr);
  child->SetWindowState(cl::wsMaximized);
  std::vector<cl::TControl*> controls = Controls();
  ASSERT_GE(controls.size(), 7u);
  auto* icon = dynamic_cast<TMenuBarButton*>(controls[0]);
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(icon->IsMDIButton());
  EXPECT_EQ(icon->Width(), 20);
  EXPECT_EQ(icon->Tag(), SC_CLOSE);
  ASSERT_NE(icon->DropdownMenuEx(), nullptr);
  EXPECT_GT(icon->DropdownMenuEx()->Items()->Count(), 0);
  // Spacer, minimise, restore, gap, close.
  EXPECT_EQ(PlainTags(controls), (std::vector<intptr_t>{0, SC_MINIMIZE, SC_RESTORE, 0, SC_CLOSE}));
  cl::TControl* spacer = controls[controls.size() - 5];
  EXPECT_GE(spacer->Width(), 0);
  EXPECT_EQ(spacer->Height(), 0);
  // The window buttons end near the bar's right end.
  EXPECT_GT(controls.back()->Left(), frame->Bar->ClientWidth() - 40);
  testsupport::SaveScreenshot("menus_menu_bar_mdi");
  child->SetWindowState(cl::wsNormal);
  controls = Controls();
  EXPECT_TRUE(PlainTags(controls).empty());
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&Image", "&Help"}));
  cl::Free(child);
  Controls();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&File", "&Help"}));
}

TEST_F(MainMenuExMDITest, AChildWithoutMinimiseAndMaximiseGetsOnlyClose) {
  auto* child = cl::New<TMDIChild>(cl::Application, false);
  child->SetWindowState(cl::wsMaximized);
  EXPECT_EQ(PlainTags(Controls()), (std::vector<intptr_t>{0, SC_CLOSE}));
  cl::Free(child);
  EXPECT_TRUE(PlainTags(Controls()).empty());
}

}  // namespace
}  // namespace tbr::menus
