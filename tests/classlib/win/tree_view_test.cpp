// TTreeView through its real window: the user's expand and select actions (mouse on a button, keys) and the same
// actions in code run the virtuals and events once; nodes keep text, data, images, expanded state and selection
// over a re-created window; deletion reports each node; nothing is left behind after many create/free cycles.
#include "classlib/win/tree_view.h"

#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "classlib/test/counters.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/forms.h"
#include "classlib/win/gdi.h"
#include "support/screenshot.h"

namespace {

using namespace cl;

// Records each virtual with its node's text, in order.
class TRecordingTree : public TTreeView {
  CL_CLASS(TRecordingTree, TTreeView)
 public:
  using TTreeView::TTreeView;
  std::vector<std::string> Calls;
  bool AllowExpand = true;

 protected:
  bool CanExpand(TTreeNode* node) override {
    Calls.push_back("CanExpand " + node->Text());
    return AllowExpand && inherited::CanExpand(node);
  }
  void Expand(TTreeNode* node) override {
    Calls.push_back("Expand " + node->Text());
    inherited::Expand(node);
  }
  bool CanCollapse(TTreeNode* node) override {
    Calls.push_back("CanCollapse " + node->Text());
    return inherited::CanCollapse(node);
  }
  void Collapse(TTreeNode* node) override {
    Calls.push_back("Collapse " + node->Text());
    inherited::Collapse(node);
  }
  void Change(TTreeNode* node) override {
    Calls.push_back("Change " + (node ? node->Text() : std::string("-")));
    inherited::Change(node);
  }
};

// A left click at a client point of the tree, through the queue as the system delivers it.
void ClickAt(TWinControl* control, POINT point) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control->Handle(), WM_LBUTTONUP, 0, at);
  test::PumpFor(50);
}

// A key press and release posted to the focused window.
void PressKey(WORD key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
  PostMessageA(GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  test::PumpFor(50);
}

// A square icon of one colour.
TBitmap* Square(TColor color) {
  auto* bitmap = New<TBitmap>();
  bitmap->SetSize(16, 16);
  bitmap->Canvas()->Brush()->SetColor(clWhite);
  bitmap->Canvas()->FillRect(TRect{0, 0, 16, 16});
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect(TRect{2, 2, 14, 14});
  return bitmap;
}

class TreeViewTest : public testing::Test {
 protected:
  void SetUp() override {
    form = CreateNew<TForm>(Application);
    form->SetBounds(50, 50, 320, 300);
    form->SetCaption("Folders");
    tree = New<TRecordingTree>(form);
    tree->SetParent(form);
    tree->SetBounds(8, 8, 290, 250);
    images = New<TImageList>(form);
    for (TColor color : {clYellow, clGreen, clBlue}) {
      TBitmap* icon = Square(color);
      images->AddMasked(icon, clWhite);
      Free(icon);
    }
    tree->SetImages(images);
    TTreeNodes* items = tree->Items();
    drive = items->AddChild(nullptr, "C:");
    windows = items->AddChildObject(drive, "Windows", &windowsData);
    system = items->AddChild(windows, "System");
    items->AddChild(windows, "Fonts");
    items->AddChild(drive, "Program Files");
    other = items->AddChild(nullptr, "D:");
    tree->SetOnExpanding(
        TTVExpandingEvent([this](TObject*, TTreeNode* n, bool&) { events.push_back("OnExpanding " + n->Text()); }));
    tree->SetOnExpanded(
        TTVExpandedEvent([this](TObject*, TTreeNode* n) { events.push_back("OnExpanded " + n->Text()); }));
    tree->SetOnCollapsed(
        TTVExpandedEvent([this](TObject*, TTreeNode* n) { events.push_back("OnCollapsed " + n->Text()); }));
    tree->SetOnChange(TTVChangedEvent([this](TObject*, TTreeNode* n) { events.push_back("OnChange " + n->Text()); }));
    tree->SetOnDeletion(TTVExpandedEvent([this](TObject*, TTreeNode* n) { deleted.push_back(n->Text()); }));
  }
  void TearDown() override { Free(form); }

  void ShowFocused() {
    form->Show();
    tree->SetFocus();
    test::PumpFor(50);
    tree->Calls.clear();
    events.clear();
  }
  // The first client point on the node's row where the window reports the part (TVHT_ONITEMBUTTON, ...).
  POINT PartOf(TTreeNode* node, UINT part) {
    RECT rect{};
    TreeView_GetItemRect(tree->Handle(), node->ItemId(), &rect, FALSE);
    TVHITTESTINFO hit{};
    hit.pt.y = (rect.top + rect.bottom) / 2;
    for (hit.pt.x = 0; hit.pt.x < rect.right; ++hit.pt.x) {
      SendMessageA(tree->Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.hItem == node->ItemId() && (hit.flags & part)) return hit.pt;
    }
    ADD_FAILURE() << "no such part of " << node->Text();
    return hit.pt;
  }
  POINT ButtonOf(TTreeNode* node) { return PartOf(node, TVHT_ONITEMBUTTON); }
  // The middle of the node's 16-pixel icon.
  POINT IconCentreOf(TTreeNode* node) {
    const POINT left = PartOf(node, TVHT_ONITEMICON);
    return POINT{left.x + 8, left.y};
  }

  TForm* form = nullptr;
  TRecordingTree* tree = nullptr;
  TImageList* images = nullptr;
  TTreeNode* drive = nullptr;
  TTreeNode* windows = nullptr;
  TTreeNode* system = nullptr;
  TTreeNode* other = nullptr;
  int windowsData = 7;
  std::vector<std::string> events;
  std::vector<std::string> deleted;
};

TEST_F(TreeViewTest, NodesFormAModelWithNavigation) {
  EXPECT_EQ(tree->Items()->Count(), 6);
  EXPECT_EQ(tree->Items()->GetFirstNode(), drive);
  EXPECT_EQ(tree->Items()->Item(2), system);
  EXPECT_THROW(tree->Items()->Item(6), EListError);
  EXPECT_EQ(drive->Count(), 2);
  EXPECT_EQ(drive->getFirstChild(), windows);
  EXPECT_EQ(windows->getNextSibling()->Text(), "Program Files");
  EXPECT_EQ(system->Parent(), windows);
  EXPECT_EQ(system->Level(), 2);
  EXPECT_EQ(drive->getNextSibling(), other);
  EXPECT_TRUE(drive->HasChildren());
  EXPECT_FALSE(other->HasChildren());
  EXPECT_EQ(windows->Data(), &windowsData);
  std::vector<std::string> order;
  for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext()) order.push_back(n->Text());
  EXPECT_EQ(order, (std::vector<std::string>{"C:", "Windows", "System", "Fonts", "Program Files", "D:"}));
  EXPECT_THROW(drive->Item(2), EListError);
}

TEST_F(TreeViewTest, ClickingAButtonAndKeysRunTheVirtualsAndEventsOnce) {
  ShowFocused();
  ClickAt(tree, ButtonOf(drive));
  EXPECT_TRUE(drive->Expanded());
  EXPECT_EQ(tree->Calls, (std::vector<std::string>{"CanExpand C:", "Expand C:"}));
  EXPECT_EQ(events, (std::vector<std::string>{"OnExpanding C:", "OnExpanded C:"}));

  tree->SetSelected(drive);
  tree->Calls.clear();
  events.clear();
  PressKey(VK_DOWN);  // to "Windows"
  EXPECT_EQ(tree->Selected(), windows);
  PressKey(VK_RIGHT);  // expands it
  EXPECT_TRUE(windows->Expanded());
  PressKey(VK_LEFT);  // collapses it again
  EXPECT_FALSE(windows->Expanded());
  EXPECT_EQ(tree->Calls, (std::vector<std::string>{"Change Windows", "CanExpand Windows", "Expand Windows",
                                                   "CanCollapse Windows", "Collapse Windows"}));
  EXPECT_EQ(events, (std::vector<std::string>{"OnChange Windows", "OnExpanding Windows", "OnExpanded Windows",
                                              "OnCollapsed Windows"}));

  // A refused expansion leaves the node closed.
  tree->Calls.clear();
  tree->AllowExpand = false;
  PressKey(VK_RIGHT);
  EXPECT_FALSE(windows->Expanded());
  EXPECT_EQ(tree->Calls, (std::vector<std::string>{"CanExpand Windows"}));
}

TEST_F(TreeViewTest, ExpandingAndSelectingInCodeRunTheVirtualsOnce) {
  ShowFocused();
  drive->SetExpanded(true);
  windows->SetExpanded(true);
  EXPECT_TRUE(windows->Expanded());
  windows->SetExpanded(true);  // already open: nothing
  tree->SetSelected(system);
  EXPECT_EQ(tree->Selected(), system);
  drive->SetExpanded(false);
  EXPECT_FALSE(drive->Expanded());
  // Collapsing around the selection may move it to the collapsed node, a change of its own.
  if (tree->Calls.back() == "Change C:") tree->Calls.pop_back();
  EXPECT_EQ(tree->Calls, (std::vector<std::string>{"CanExpand C:", "Expand C:", "CanExpand Windows", "Expand Windows",
                                                   "Change System", "CanCollapse C:", "Collapse C:"}));
  tree->AllowExpand = false;
  drive->SetExpanded(true);
  EXPECT_FALSE(drive->Expanded());
}

TEST_F(TreeViewTest, NodesKeepTheirStateOverARecreatedWindow) {
  windows->SetImageIndex(1);
  windows->SetSelectedIndex(2);
  drive->SetExpanded(true);
  ShowFocused();
  windows->SetExpanded(true);
  tree->SetSelected(system);
  system->SetText("System32");
  const HWND before = tree->Handle();
  tree->Calls.clear();
  events.clear();

  tree->SetShowLines(false);  // a style change makes the window again
  ASSERT_NE(tree->Handle(), before);
  EXPECT_TRUE(tree->Calls.empty());  // rebuilding is no user action
  EXPECT_EQ(tree->Items()->Count(), 6);
  EXPECT_EQ(tree->Selected(), system);
  EXPECT_TRUE(drive->Expanded());
  EXPECT_TRUE(windows->Expanded());
  EXPECT_FALSE(other->Expanded());
  EXPECT_TRUE(deleted.empty());

  // What the new window holds comes from the nodes.
  char text[64] = {};
  TVITEMA item{};
  item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  item.hItem = windows->ItemId();
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ASSERT_TRUE(SendMessageA(tree->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_STREQ(text, "Windows");
  EXPECT_EQ(item.iImage, 1);
  EXPECT_EQ(item.iSelectedImage, 2);
  EXPECT_EQ(reinterpret_cast<TTreeNode*>(item.lParam), windows);
  EXPECT_EQ(windows->Data(), &windowsData);
  EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0),
            reinterpret_cast<LRESULT>(images->Handle()));
  EXPECT_EQ(system->Text(), "System32");
}

TEST_F(TreeViewTest, LabelEditsGoThroughOnEditedIntoTheNode) {
  ShowFocused();
  tree->SetOnEdited(TTVEditedEvent([](TObject*, TTreeNode*, std::string& text) { text += " (renamed)"; }));
  HWND edit = TreeView_EditLabel(tree->Handle(), other->ItemId());
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "Backup");
  TreeView_EndEditLabelNow(tree->Handle(), FALSE);
  EXPECT_EQ(other->Text(), "Backup (renamed)");

  bool asked = false;
  tree->SetOnEditing(TTVEditingEvent([&](TObject*, TTreeNode*, bool& allow) {
    asked = true;
    allow = false;
  }));
  EXPECT_EQ(TreeView_EditLabel(tree->Handle(), other->ItemId()), nullptr);
  EXPECT_TRUE(asked);
  asked = false;
  tree->SetReadOnly(true);  // read-only: OnEditing is not even asked
  EXPECT_EQ(TreeView_EditLabel(tree->Handle(), other->ItemId()), nullptr);
  EXPECT_FALSE(asked);
  EXPECT_EQ(other->Text(), "Backup (renamed)");
}

TEST_F(TreeViewTest, DeletingReportsEachNodeChildrenFirstAndUpdatesTheParent) {
  tree->Handle();
  windows->Delete();
  EXPECT_EQ(deleted, (std::vector<std::string>{"System", "Fonts", "Windows"}));
  EXPECT_EQ(drive->Count(), 1);
  EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0), 3);
  deleted.clear();
  drive->DeleteChildren();
  EXPECT_EQ(deleted, (std::vector<std::string>{"Program Files"}));
  EXPECT_FALSE(drive->HasChildren());  // no button without children
  tree->Items()->AddChild(other, "Data");
  EXPECT_TRUE(other->HasChildren());
  deleted.clear();
  tree->Items()->Clear();
  EXPECT_EQ(tree->Items()->Count(), 0);
  EXPECT_EQ(deleted, (std::vector<std::string>{"Data", "D:", "C:"}));
  EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViewTest, TheTreeFollowsItsImageListUntilTheListIsFreed) {
  tree->Handle();
  // The change link hands a list's new system list to the window.
  HIMAGELIST adopted = ImageList_Create(24, 24, ILC_COLOR24 | ILC_MASK, 1, 1);
  images->SetHandle(adopted);
  EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0), reinterpret_cast<LRESULT>(adopted));
  EXPECT_EQ(images->Width(), 24);
  Free(images);
  images = nullptr;
  EXPECT_EQ(tree->Images(), nullptr);
  EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
}

TEST_F(TreeViewTest, BeginUpdateMakesTheWindowAndFreeingReportsEveryNode) {
  EXPECT_FALSE(tree->HandleAllocated());
  tree->Items()->BeginUpdate();
  EXPECT_TRUE(tree->HandleAllocated());
  tree->Items()->AddChild(other, "Data");
  tree->Items()->EndUpdate();
  EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0), 7);
  Free(tree);
  tree = nullptr;
  EXPECT_EQ(deleted.size(), 7u);
}

TEST_F(TreeViewTest, ManyCreateFreeCyclesLeaveNothingBehind) {
  Free(form);
  form = nullptr;
  const auto gdiBefore = debug::GdiCounts();
  const int listsBefore = debug::ImageListCount();
  const int windowsBefore = test::ThreadWindowCount();
  for (int cycle = 0; cycle < 200; ++cycle) {
    TForm* host = CreateNew<TForm>(Application);
    auto* view = New<TTreeView>(host);
    view->SetParent(host);
    auto* list = New<TImageList>(host);
    TBitmap* icon = Square(clRed);
    list->AddMasked(icon, clWhite);
    Free(icon);
    view->SetImages(list);
    TTreeNode* root = view->Items()->AddChild(nullptr, "root");
    view->Items()->AddChild(root, "child");
    root->SetExpanded(true);
    view->SetShowRoot(cycle % 2 == 0);
    Free(host);
  }
  EXPECT_EQ(debug::GdiCounts(), gdiBefore);
  EXPECT_EQ(debug::ImageListCount(), listsBefore);
  EXPECT_EQ(test::ThreadWindowCount(), windowsBefore);
  form = CreateNew<TForm>(Application);
}

TEST_F(TreeViewTest, ScreenshotOfATreeWithIcons) {
  windows->SetImageIndex(1);
  windows->SetSelectedIndex(1);
  system->SetImageIndex(2);
  system->SetSelectedIndex(2);
  tree->SetHideSelection(false);
  drive->SetExpanded(true);
  windows->SetExpanded(true);
  tree->SetSelected(system);
  form->Show();
  test::PumpFor(200);
  EXPECT_EQ(tree->Selected(), system);
  // The nodes show the icons of their image indexes: the drive the first (yellow), the Windows folder the second
  // (a Wine desktop that has just started takes a moment to reach the screen).
  const auto iconShown = [&](TTreeNode* node, TColor color) {
    const POINT icon = IconCentreOf(node);
    const TPoint onScreen = tree->ClientToScreen(Point(icon.x, icon.y));
    return testsupport::ScreenColor(onScreen.X, onScreen.Y) == static_cast<unsigned long>(ColorToRGB(color));
  };
  test::PumpUntil([&] { return iconShown(drive, clYellow); }, 3000);
  testsupport::SaveScreenshot("classlib_tree_view");
  EXPECT_TRUE(iconShown(drive, clYellow));
  EXPECT_TRUE(iconShown(windows, clGreen));
}

}  // namespace
