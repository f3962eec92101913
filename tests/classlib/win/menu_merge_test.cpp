// An MDI frame whose active child's menu merges into the frame's menu bar by GroupIndex: the bar read back, commands,
// submenu clicks and shortcuts over the merged view, the merge following activation and closing, and the window
// list of the frame's Window menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/core/format.h"
#include "classlib/test/counters.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "menu_test_items.h"
#include "support/screenshot.h"

namespace {

using namespace cl;
using menutest::AddItem;
using menutest::MenuTexts;
using Texts = std::vector<std::string>;

std::vector<std::string> clicks;

// Adds items to a test form's menu; their clicks record "<prefix>.<name>".
struct MenuBuilder {
  TComponent* Owner;
  TMainMenu* Menu;
  std::string Prefix;

  TMenuItem* Top(const std::string& name, const std::string& caption, uint8_t group) const {
    TMenuItem* item = AddItem(Owner, Menu->Items(), name, caption, clicks, Prefix + "." + name);
    item->SetGroupIndex(group);
    return item;
  }
  TMenuItem* Sub(const std::string& name, const std::string& caption, TMenuItem* parent, WORD key) const {
    TMenuItem* item = AddItem(Owner, parent, name, caption, clicks, Prefix + "." + name);
    item->SetShortCut(ShortCut(key, {}));
    return item;
  }
};

// The frame: File (group 0), Edit (1), Image (3), Window (8, the window list), Help (8).
class TFrameForm : public TForm {
  CL_CLASS(TFrameForm, TForm)
 public:
  explicit TFrameForm(TComponent* owner) : TForm(owner) {}
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* File1 = nullptr;
  TMenuItem* Open1 = nullptr;
  TMenuItem* Window1 = nullptr;
  TMenuItem* Tile1 = nullptr;
  TMenuItem* Cascade1 = nullptr;

 protected:
  void CreateComponents() override {
    SetCaption("Frame");
    SetFormStyle(fsMDIForm);
    SetBounds(20, 20, 640, 480);
    MainMenu1 = Make<TMainMenu>(this, "MainMenu1");
    const MenuBuilder build{this, MainMenu1, "frame"};
    File1 = build.Top("File1", "&File", 0);
    Open1 = build.Sub("Open1", "&Open...", File1, VK_F5);
    build.Sub("Exit1", "E&xit", File1, VK_F12);
    build.Sub("Paste1", "&Paste", build.Top("Edit1", "&Edit", 1), 0);
    build.Sub("Capture1", "Capture Screen...", build.Top("Image1", "&Image", 3), 0);
    Window1 = build.Top("Window1", "&Window", 8);
    Tile1 = build.Sub("Tile1", "&Tile", Window1, 0);
    Cascade1 = build.Sub("Cascade1", "&Cascade", Window1, 0);
    build.Sub("About1", "About...", build.Top("Help1", "&Help", 8), VK_F1);
    SetMenu(MainMenu1);
    SetWindowMenu(Window1);
    SetVisible(true);
  }
};

// An image window: File (0), Edit (1), View (2), Image (3); Open has the frame's shortcut too.
class TEditForm : public TForm {
  CL_CLASS(TEditForm, TForm)
 public:
  TEditForm(TComponent* owner, std::string label) : TForm(owner), FLabel(std::move(label)) {}
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* File1 = nullptr;
  TMenuItem* Open1 = nullptr;
  TMenuItem* Save1 = nullptr;
  TMenuItem* View1 = nullptr;

 protected:
  void CreateComponents() override {
    SetFormStyle(fsMDIChild);
    SetCaption(FLabel);
    MainMenu1 = Make<TMainMenu>(this, "MainMenu1");
    const MenuBuilder build{this, MainMenu1, FLabel};
    File1 = build.Top("File1", "&File", 0);
    Open1 = build.Sub("Open1", "&Open", File1, VK_F5);
    Save1 = build.Sub("Save1", "Save", File1, VK_F2);
    build.Sub("Copy1", "&Copy", build.Top("Edit1", "&Edit", 1), 0);
    View1 = build.Top("View1", "&View", 2);
    build.Sub("Zoom1", "Zoom In", View1, 0);
    build.Sub("Crop1", "Crop", build.Top("Image1", "&Image", 3), 0);
    SetMenu(MainMenu1);
  }

 private:
  std::string FLabel;
};

class MenuMergeTest : public testing::Test {
 protected:
  void SetUp() override {
    clicks.clear();
    windows = test::ThreadWindowCount();
    frame = New<TFrameForm>(Application);
    for (int i = 0; i < 3; ++i) children.push_back(New<TEditForm>(Application, Format("Image %d", {i + 1})));
    test::PumpFor(20);
    clicks.clear();  // opening nothing yet; activation clicks nothing either
  }
  void TearDown() override {
    for (TEditForm* child : children) Free(child);
    Free(frame);
    test::PumpFor(20);
    EXPECT_EQ(test::ThreadWindowCount(), windows);
  }

  HMENU Bar() const { return GetMenu(frame->Handle()); }
  void Press(TForm* form, WORD key) {
    PostMessageA(form->Handle(), WM_KEYDOWN, key, 1);
    test::PumpFor(30);
  }

  int windows = 0;
  TFrameForm* frame = nullptr;
  std::vector<TEditForm*> children;
};

const Texts kMergedBar = {"&File", "&Edit", "&View", "&Image", "&Window", "&Help"};
const Texts kFrameBar = {"&File", "&Edit", "&Image", "&Window", "&Help"};

TEST_F(MenuMergeTest, ActiveChildsGroupsReplaceTheFramesInGroupOrder) {
  TEditForm* active = children[2];
  ASSERT_EQ(frame->ActiveMDIChild(), active);
  ASSERT_EQ(Bar(), frame->MainMenu1->Handle());
  EXPECT_EQ(MenuTexts(Bar()), kMergedBar);
  EXPECT_EQ(GetSubMenu(Bar(), 0), active->File1->Handle());
  EXPECT_EQ(GetSubMenu(Bar(), 2), active->View1->Handle());
  EXPECT_EQ(GetSubMenu(Bar(), 4), frame->Window1->Handle());
  EXPECT_EQ(MenuTexts(GetSubMenu(Bar(), 0)), (Texts{"&Open\tF5", "Save\tF2"}));
  // The child itself shows no menu bar (GetMenu of a child window gives its id).
  EXPECT_FALSE(IsMenu(GetMenu(active->Handle())));

  EXPECT_EQ(frame->MainMenu1->FindItem(ShortCut(VK_F5, {}), fkShortCut), active->Open1);
  EXPECT_EQ(frame->MainMenu1->FindItem(frame->Open1->Command(), fkCommand), nullptr);  // hidden by the merge
  EXPECT_EQ(frame->MainMenu1->FindItem(reinterpret_cast<uintptr_t>(active->View1->Handle()), fkHandle), active->View1);
}

TEST_F(MenuMergeTest, MergedItemsAnswerCommandsAndSubmenuOpensOnce) {
  SendMessageA(frame->Handle(), WM_COMMAND, children[2]->Save1->Command(), 0);
  SendMessageA(frame->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(children[2]->View1->Handle()), 0);
  SendMessageA(frame->Handle(), WM_COMMAND, frame->Tile1->Command(), 0);
  EXPECT_EQ(clicks, (Texts{"Image 3.Save1", "Image 3.View1", "frame.Tile1"}));
  children[2]->Save1->SetHint("Saves the image");
  SendMessageA(frame->Handle(), WM_MENUSELECT, MAKEWPARAM(children[2]->Save1->Command(), MF_STRING),
               reinterpret_cast<LPARAM>(children[2]->File1->Handle()));
  EXPECT_EQ(Application->Hint(), "Saves the image");
}

TEST_F(MenuMergeTest, ShortcutInAChildFiresTheMergedItemOnce) {
  Press(children[2], VK_F5);  // both menus have it: the child's group 0 wins
  EXPECT_EQ(clicks, (Texts{"Image 3.File1", "Image 3.Open1"}));
  clicks.clear();
  Press(children[2], VK_F1);  // a frame group the child does not replace
  EXPECT_EQ(clicks, (Texts{"frame.Help1", "frame.About1"}));
  clicks.clear();
  Press(children[2], VK_F12);  // the frame's File is not shown, so its Exit does not fire
  EXPECT_TRUE(clicks.empty());
  Press(frame, VK_F5);  // from the frame itself, too
  EXPECT_EQ(clicks, (Texts{"Image 3.File1", "Image 3.Open1"}));
  clicks.clear();

  // With Ctrl held (the shift state is the keyboard's).
  children[2]->Save1->SetShortCut(ShortCut('S', {ssCtrl}));
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  Press(children[2], 'S');
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(clicks, (Texts{"Image 3.File1", "Image 3.Save1"}));
}

TEST_F(MenuMergeTest, MergeFollowsActivationAndClosingUndoesIt) {
  frame->Next();
  TEditForm* active = static_cast<TEditForm*>(frame->ActiveMDIChild());
  ASSERT_NE(active, children[2]);
  EXPECT_EQ(GetSubMenu(Bar(), 0), active->File1->Handle());
  EXPECT_EQ(frame->MainMenu1->FindItem(ShortCut(VK_F5, {}), fkShortCut), active->Open1);

  // A child without a menu shows the frame's own.
  active->SetMenu(nullptr);
  EXPECT_EQ(MenuTexts(Bar()), kFrameBar);
  EXPECT_EQ(GetSubMenu(Bar(), 0), frame->File1->Handle());
  active->SetMenu(active->MainMenu1);
  EXPECT_EQ(GetSubMenu(Bar(), 0), active->File1->Handle());

  // Closing the active child merges the next one; the last one closing restores the frame's menu.
  active->SetOnClose(TCloseEvent([](TObject*, TCloseAction& action) { action = caFree; }));
  active->Close();
  test::PumpFor(30);
  std::erase(children, active);
  ASSERT_EQ(frame->MDIChildCount(), 2);
  auto* next = static_cast<TEditForm*>(frame->ActiveMDIChild());
  EXPECT_EQ(GetSubMenu(Bar(), 0), next->File1->Handle());
  for (TEditForm* child : children) Free(child);
  children.clear();
  EXPECT_EQ(MenuTexts(Bar()), kFrameBar);
  EXPECT_EQ(GetSubMenu(Bar(), 0), frame->File1->Handle());
  Press(frame, VK_F5);
  EXPECT_EQ(clicks, (Texts{"frame.File1", "frame.Open1"}));
}

TEST_F(MenuMergeTest, ChangesOfMergedItemsShowInTheFramesBar) {
  TEditForm* active = children[2];
  active->View1->SetVisible(false);
  EXPECT_EQ(MenuTexts(Bar()), (Texts{"&File", "&Edit", "&Image", "&Window", "&Help"}));
  active->View1->SetVisible(true);
  active->View1->SetCaption("&Zoom");
  EXPECT_EQ(MenuTexts(Bar())[2], "&Zoom");
  // The child's and the frame's items show in GroupIndex order.
  active->View1->SetGroupIndex(9);
  EXPECT_EQ(MenuTexts(Bar()), (Texts{"&File", "&Edit", "&Image", "&Window", "&Help", "&Zoom"}));
  AddItem(active, active->MainMenu1->Items(), "Tools1", "&Tools", clicks)->SetGroupIndex(5);
  EXPECT_EQ(MenuTexts(Bar()), (Texts{"&File", "&Edit", "&Image", "&Tools", "&Window", "&Help", "&Zoom"}));
  // A group the child no longer uses shows the frame's again.
  auto* frameImage = static_cast<TMenuItem*>(frame->FindComponent("Image1"));
  EXPECT_NE(GetSubMenu(Bar(), 2), frameImage->Handle());
  Free(active->FindComponent("Image1"));
  EXPECT_EQ(GetSubMenu(Bar(), 2), frameImage->Handle());
}

TEST_F(MenuMergeTest, FreedMenusLeaveTheMergeCleanly) {
  TEditForm* active = children[2];
  FreeAndNil(active->MainMenu1);
  EXPECT_EQ(active->Menu(), nullptr);
  EXPECT_EQ(MenuTexts(Bar()), kFrameBar);

  // With the frame's menu gone, the children's menus stay usable and merge nowhere.
  frame->Next();
  FreeAndNil(frame->MainMenu1);
  EXPECT_EQ(GetMenu(frame->Handle()), nullptr);
  frame->Previous();
  TEditForm* other = children[0];
  EXPECT_EQ(MenuTexts(other->File1->Handle()), (Texts{"&Open\tF5", "Save\tF2"}));
  Press(other, VK_F2);
  EXPECT_EQ(clicks, (Texts{other->Caption() + ".File1", other->Caption() + ".Save1"}));
  // A maximised child finds no bar for its window buttons and needs none.
  other->SetWindowState(wsMaximized);
  test::PumpFor(20);
  EXPECT_EQ(GetMenu(frame->Handle()), nullptr);
}

TEST_F(MenuMergeTest, WindowMenuListsTheChildrenAndPickingOneActivatesIt) {
  HMENU windowMenu = frame->Window1->Handle();
  Texts texts = MenuTexts(windowMenu);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(Texts(texts.begin(), texts.begin() + 3), (Texts{"&Tile", "&Cascade", "-"}));
  for (TEditForm* child : children) {
    EXPECT_NE(std::find_if(texts.begin(), texts.end(),
                           [&](const std::string& text) { return text.ends_with(" " + child->Caption()); }),
              texts.end());
  }

  // The list's ids are beyond every item command; choosing an entry activates its child.
  for (int position = 3; position < 6; ++position) {
    const UINT id = GetMenuItemID(windowMenu, position);
    EXPECT_GE(id, 0xFF00u);
    EXPECT_EQ(frame->MainMenu1->FindItem(id, fkCommand), nullptr);
  }
  const UINT firstEntry = GetMenuItemID(windowMenu, 3);
  const std::string caption = menutest::MenuText(windowMenu, 3).substr(3);
  SendMessageA(frame->Handle(), WM_COMMAND, firstEntry, 0);
  ASSERT_NE(frame->ActiveMDIChild(), nullptr);
  EXPECT_EQ(frame->ActiveMDIChild()->Caption(), caption);
  EXPECT_TRUE(clicks.empty());

  // Renaming a child renames its entry.
  children[0]->SetCaption("Renamed");
  texts = MenuTexts(windowMenu);
  EXPECT_NE(
      std::find_if(texts.begin(), texts.end(), [](const std::string& text) { return text.ends_with(" Renamed"); }),
      texts.end());

  // Rebuilding the Window menu's own items keeps the list after them.
  frame->Cascade1->SetVisible(false);
  EXPECT_EQ(MenuTexts(windowMenu).size(), 5u);
  EXPECT_EQ(MenuTexts(windowMenu)[1], "-");
  frame->Cascade1->SetVisible(true);
  EXPECT_EQ(MenuTexts(windowMenu).size(), 6u);
}

TEST_F(MenuMergeTest, MaximisedChildKeepsItsWindowButtonsWhenTheMergeChanges) {
  children[2]->SetWindowState(wsMaximized);
  test::PumpFor(20);
  const int augmented = GetMenuItemCount(Bar());
  ASSERT_GT(augmented, static_cast<int>(kMergedBar.size()));  // the child's system menu and buttons
  frame->Next();
  test::PumpFor(20);
  auto* active = static_cast<TEditForm*>(frame->ActiveMDIChild());
  EXPECT_EQ(GetMenuItemCount(Bar()), augmented);
  const Texts texts = MenuTexts(Bar());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "&View"), texts.end());
  bool hasChildFile = false;
  for (int i = 0; i < GetMenuItemCount(Bar()); ++i) hasChildFile |= GetSubMenu(Bar(), i) == active->File1->Handle();
  EXPECT_TRUE(hasChildFile);
}

TEST_F(MenuMergeTest, ScreenshotOfTheMergedMenuBarWithTheWindowListOpen) {
  frame->Tile();
  test::PumpFor(50);
  RECT shown{};
  auto* shooter = New<menutest::TLaterAction>(nullptr, [&] {
    if (testsupport::PopupMenuShown()) GetWindowRect(FindWindowA("#32768", nullptr), &shown);
    testsupport::SaveScreenshot("classlib_mdi_merged_menus");
    menutest::PostKeys({VK_ESCAPE});
  });
  // The Window menu as the bar opens it, below its title.
  RECT title;
  GetMenuItemRect(frame->Handle(), Bar(), 4, &title);
  TrackPopupMenu(frame->Window1->Handle(), TPM_LEFTALIGN, title.left, title.bottom, 0, frame->Handle(), nullptr);
  Free(shooter);
  EXPECT_EQ(shown.left, title.left);
  EXPECT_EQ(shown.top, title.bottom);
}

}  // namespace
