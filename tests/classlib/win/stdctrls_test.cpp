// Standard controls through their real windows: clicks, dialog keys, check boxes, radio buttons and groups,
// edits, labels, panels and group boxes.
#include "classlib/win/stdctrls.h"

#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/combo_box.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/graphics_tools.h"
#include "support/screenshot.h"

namespace {

using namespace cl;

class TDialog : public TForm {
  CL_CLASS(TDialog, TForm)
 public:
  explicit TDialog(TComponent* owner) : TForm(owner) {}
  TPanel* Panel1 = nullptr;
  TEdit* Edit1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TLabel* Label1 = nullptr;
  TButton* OkButton = nullptr;
  TButton* CancelButton = nullptr;

 protected:
  void CreateComponents() override {
    SetCaption("Quality");
    SetBorderStyle(bsDialog);
    SetBounds(200, 150, 320, 200);
    Panel1 = Make<TPanel>(this, "Panel1");
    Panel1->SetParent(this);
    Panel1->SetAlign(alTop);
    Panel1->SetHeight(40);
    Panel1->SetCaption("Panel1");
    Label1 = Make<TLabel>(this, "Label1");
    Label1->SetParent(Panel1);
    Label1->SetBounds(8, 8, 10, 10);
    Label1->SetCaption("Quality:");
    Edit1 = Make<TEdit>(this, "Edit1");
    Edit1->SetParent(this);
    Edit1->SetBounds(8, 50, 100, 21);
    CheckBox1 = Make<TCheckBox>(this, "CheckBox1");
    CheckBox1->SetParent(this);
    CheckBox1->SetBounds(8, 80, 150, 17);
    CheckBox1->SetCaption("Never display this message again");
    OkButton = Make<TButton>(this, "OkButton");
    OkButton->SetParent(this);
    OkButton->SetBounds(150, 120, 75, 25);
    OkButton->SetCaption("OK");
    OkButton->SetDefault(true);
    OkButton->SetModalResult(mrOk);
    CancelButton = Make<TButton>(this, "CancelButton");
    CancelButton->SetParent(this);
    CancelButton->SetBounds(230, 120, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
  }
};

class StdCtrlsTest : public testing::Test {
 protected:
  void SetUp() override { dialog = New<TDialog>(Application); }
  void TearDown() override { Free(dialog); }
  // Sends a key through the application loop, as typing does.
  void Type(TWinControl* control, WORD key) {
    PostMessageA(control->Handle(), WM_KEYDOWN, key, 1);
    PostMessageA(control->Handle(), WM_KEYUP, key, 0xC0000001);
    test::PumpFor(20);
  }
  TDialog* dialog = nullptr;
};

TEST_F(StdCtrlsTest, ButtonClickFiresOnClickOnceAndSetsTheModalResult) {
  int clicks = 0;
  dialog->OkButton->SetOnClick(TNotifyEvent([&](TObject* sender) {
    EXPECT_EQ(sender, dialog->OkButton);
    ++clicks;
  }));
  dialog->Show();
  SendMessageA(dialog->OkButton->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dialog->ModalResult(), mrOk);
  char className[32];
  GetClassNameA(dialog->OkButton->Handle(), className, sizeof className);
  EXPECT_STREQ(className, "TButton");
  EXPECT_TRUE(GetWindowLongPtrA(dialog->OkButton->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST_F(StdCtrlsTest, EnterAndEscInAModalDialogClickDefaultAndCancel) {
  test::Responder responder;
  WORD seenKey = 0;
  dialog->Edit1->SetOnKeyDown(TKeyEvent([&](TObject*, WORD& key, TShiftState) { seenKey = key; }));
  responder.OnModal = [&](TForm&) {
    return seam::ModalAnswer::RunScript([&] {
      dialog->Edit1->SetFocus();
      PostMessageA(dialog->Edit1->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    });
  };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(seenKey, VK_RETURN);  // OnKeyDown sees Enter before the dialog key does

  responder.OnModal = [&](TForm&) {
    return seam::ModalAnswer::RunScript([&] { PostMessageA(dialog->Edit1->Handle(), WM_KEYDOWN, VK_ESCAPE, 1); });
  };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(StdCtrlsTest, KeyDownMaySwallowEnter) {
  int clicks = 0;
  dialog->OkButton->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
  dialog->Edit1->SetOnKeyDown(TKeyEvent([&](TObject*, WORD& key, TShiftState) {
    if (key == VK_RETURN) key = 0;
  }));
  dialog->Show();
  Type(dialog->Edit1, VK_RETURN);
  EXPECT_EQ(clicks, 0);
  dialog->Edit1->SetOnKeyDown(nullptr);
  Type(dialog->Edit1, VK_RETURN);
  EXPECT_EQ(clicks, 1);
}

TEST_F(StdCtrlsTest, TabMovesFocusInTabOrder) {
  dialog->Show();
  SetForegroundWindow(dialog->Handle());
  dialog->Edit1->SetFocus();
  Type(dialog->Edit1, VK_TAB);
  EXPECT_EQ(FindControl(GetFocus()), dialog->CheckBox1);
}

TEST_F(StdCtrlsTest, CheckBoxFiresOnClickForNewValuesAndUserClicks) {
  int clicks = 0;
  dialog->CheckBox1->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
  dialog->CheckBox1->SetChecked(true);
  dialog->CheckBox1->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageA(dialog->CheckBox1->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(dialog->CheckBox1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(dialog->CheckBox1->Checked());
  EXPECT_EQ(SendMessageA(dialog->CheckBox1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(StdCtrlsTest, EditTextLivesInTheWindowAndSurvivesRecreation) {
  int changes = 0;
  dialog->Edit1->SetOnChange(TNotifyEvent([&](TObject*) { ++changes; }));
  dialog->Edit1->SetText("*.bmp");
  EXPECT_EQ(dialog->Edit1->Text(), "*.bmp");
  SetWindowTextA(dialog->Edit1->Handle(), "*.jpg");
  EXPECT_EQ(dialog->Edit1->Text(), "*.jpg");
  EXPECT_GE(changes, 1);
  dialog->Edit1->SelectAll();
  EXPECT_EQ(dialog->Edit1->SelLength(), 5);
  dialog->Edit1->SetMaxLength(3);
  dialog->Edit1->SetParent(dialog->Panel1);  // a parent change makes the window again
  EXPECT_EQ(dialog->Edit1->Text(), "*.jpg");
  EXPECT_EQ(SendMessageA(dialog->Edit1->Handle(), EM_GETLIMITTEXT, 0, 0), 3);
}

TEST_F(StdCtrlsTest, LabelSizesToItsTextAndParentFontFollows) {
  dialog->Show();
  const int width = dialog->Label1->Width();
  EXPECT_GT(width, 10);
  dialog->Label1->SetCaption("Quality of the saved file:");
  EXPECT_GT(dialog->Label1->Width(), width);
  dialog->SetFont(dialog->Font());
  dialog->Font()->SetColor(0x0000FF);
  EXPECT_EQ(dialog->Panel1->Font()->Color(), 0x0000FF);
  EXPECT_EQ(dialog->Label1->Font()->Color(), 0x0000FF);
  EXPECT_TRUE(dialog->Label1->ParentFont());
}

TEST_F(StdCtrlsTest, PanelBevelShrinksTheAlignArea) {
  auto* inner = Make<TPanel>(dialog, "Inner");
  inner->SetParent(dialog->Panel1);
  inner->SetAlign(alClient);
  dialog->Handle();
  EXPECT_EQ(inner->BoundsRect(), Rect(1, 1, dialog->Panel1->Width() - 1, 39));
}

// A form like the program's rotate and preference dialogs: a radio group, a group box of radio buttons, a combo
// box.
class TChoiceDialog : public TForm {
  CL_CLASS(TChoiceDialog, TForm)
 public:
  explicit TChoiceDialog(TComponent* owner) : TForm(owner) {}
  TRadioGroup* Direction = nullptr;
  TRadioGroup* HotKey = nullptr;
  TGroupBox* Degrees = nullptr;
  TRadioButton* Degrees90 = nullptr;
  TRadioButton* Degrees180 = nullptr;
  TRadioButton* FreeAngle = nullptr;
  TRadioButton* Outside = nullptr;
  TComboBox* Mask = nullptr;

 protected:
  void CreateComponents() override {
    SetCaption("Rotate");
    SetBorderStyle(bsDialog);
    SetBounds(150, 100, 420, 260);
    Direction = Make<TRadioGroup>(this, "Direction");
    Direction->SetParent(this);
    Direction->SetBounds(10, 10, 120, 80);
    Direction->SetCaption("Direction:");
    Direction->SetItemIndex(0);  // while loading, before the items
    Direction->Items()->Add("Right");
    Direction->Items()->Add("Left");
    HotKey = Make<TRadioGroup>(this, "HotKey");
    HotKey->SetParent(this);
    HotKey->SetBounds(10, 100, 180, 80);
    HotKey->SetCaption("Hot Key:");
    HotKey->SetColumns(2);
    HotKey->Items()->SetText("F9\nF10\nF11\nF12");
    HotKey->SetItemIndex(3);
    Degrees = Make<TGroupBox>(this, "Degrees");
    Degrees->SetParent(this);
    Degrees->SetBounds(140, 10, 120, 80);
    Degrees->SetCaption("Degrees:");
    Degrees90 = MakeRadio("Degrees90", "&90", 20);
    Degrees180 = MakeRadio("Degrees180", "&180", 38);
    FreeAngle = MakeRadio("FreeAngle", "Free:", 56);
    Outside = Make<TRadioButton>(this, "Outside");
    Outside->SetParent(this);
    Outside->SetBounds(280, 20, 100, 17);
    Outside->SetCaption("Elsewhere");
    Mask = Make<TComboBox>(this, "Mask");
    Mask->SetParent(this);
    Mask->SetBounds(210, 110, 180, 21);
    Mask->Items()->Add("*.bmp;*.gif;*.jpg");
    Mask->SetText("*.bmp");
  }

 private:
  TRadioButton* MakeRadio(const std::string& name, const std::string& caption, int top) {
    auto* radio = Make<TRadioButton>(this, name);
    radio->SetParent(Degrees);
    radio->SetBounds(10, top, 100, 17);
    radio->SetCaption(caption);
    return radio;
  }
};

class ChoiceControlsTest : public testing::Test {
 protected:
  void SetUp() override { dialog = New<TChoiceDialog>(Application); }
  void TearDown() override { Free(dialog); }
  static bool WindowChecked(TWinControl* button) {
    return SendMessageA(button->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  TChoiceDialog* dialog = nullptr;
};

TEST_F(ChoiceControlsTest, CheckingARadioButtonUnchecksItsSiblingsAndClicksOnce) {
  std::vector<std::string> clicks;
  for (TRadioButton* radio : {dialog->Degrees90, dialog->Degrees180, dialog->FreeAngle, dialog->Outside}) {
    radio->SetOnClick(TNotifyEvent([&clicks, radio](TObject*) { clicks.push_back(radio->Name()); }));
  }
  dialog->Outside->SetChecked(true);
  dialog->Degrees90->SetChecked(true);
  dialog->Degrees180->SetChecked(true);
  dialog->Degrees180->SetChecked(true);
  EXPECT_EQ(clicks, (std::vector<std::string>{"Outside", "Degrees90", "Degrees180"}));
  EXPECT_FALSE(dialog->Degrees90->Checked());
  EXPECT_TRUE(dialog->Outside->Checked());  // another parent: not a sibling
  EXPECT_FALSE(WindowChecked(dialog->Degrees90));
  EXPECT_TRUE(WindowChecked(dialog->Degrees180));

  SendMessageA(dialog->FreeAngle->Handle(), BM_CLICK, 0, 0);  // the user's click
  EXPECT_EQ(clicks.back(), "FreeAngle");
  EXPECT_EQ(clicks.size(), 4u);
  EXPECT_TRUE(dialog->FreeAngle->Checked());
  EXPECT_FALSE(dialog->Degrees180->Checked());
  EXPECT_FALSE(WindowChecked(dialog->Degrees180));
}

TEST_F(ChoiceControlsTest, RadioGroupClicksForEachNewItemIndexByCodeOrUser) {
  std::vector<int> clicks;
  TRadioGroup* group = dialog->Direction;
  group->SetOnClick(TNotifyEvent([&](TObject* sender) {
    EXPECT_EQ(sender, group);
    clicks.push_back(group->ItemIndex());
  }));
  EXPECT_EQ(group->ItemIndex(), 0);  // set while loading, before the items were there
  EXPECT_TRUE(dynamic_cast<TRadioButton*>(group->Controls(0))->Checked());
  group->SetItemIndex(0);
  EXPECT_TRUE(clicks.empty());
  group->SetItemIndex(-1);
  group->SetItemIndex(0);
  EXPECT_EQ(clicks, (std::vector<int>{-1, 0}));
  auto* left = dynamic_cast<TRadioButton*>(group->Controls(1));
  ASSERT_NE(left, nullptr);
  SendMessageA(left->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, (std::vector<int>{-1, 0, 1}));
  EXPECT_FALSE(dynamic_cast<TRadioButton*>(group->Controls(0))->Checked());

  group->Items()->Add("Up");  // new buttons keep the choice
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(dynamic_cast<TRadioButton*>(group->Controls(1))->Checked());
  group->SetItemIndex(9);  // outside the items: none chosen
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(clicks, (std::vector<int>{-1, 0, 1, -1}));
  for (int i = 0; i < group->ControlCount(); ++i) {
    EXPECT_FALSE(dynamic_cast<TRadioButton*>(group->Controls(i))->Checked());
  }
}

TEST_F(ChoiceControlsTest, RadioGroupFillsItsColumnsTopToBottomBelowTheCaption) {
  TRadioGroup* group = dialog->HotKey;
  ASSERT_EQ(group->ControlCount(), 4);
  TControl* f9 = group->Controls(0);
  TControl* f10 = group->Controls(1);
  TControl* f11 = group->Controls(2);
  EXPECT_EQ(f11->Top(), f9->Top());
  EXPECT_GT(f11->Left(), f9->Left() + f9->Width() - 1);
  EXPECT_EQ(f10->Left(), f9->Left());
  EXPECT_GT(f10->Top(), f9->Top());
  EXPECT_GT(f9->Top(), 8);
  EXPECT_LE(f10->Top() + f10->Height(), group->Height());
  EXPECT_TRUE(dynamic_cast<TRadioButton*>(group->Controls(3))->Checked());
  group->SetWidth(300);  // the columns follow the width
  EXPECT_GT(group->Controls(2)->Left(), f11->Left() - 1);
}

TEST_F(ChoiceControlsTest, GroupBoxPlacesAlignedChildrenBelowItsCaption) {
  auto* inner = Make<TPanel>(dialog, "Inner");
  inner->SetParent(dialog->Degrees);
  inner->SetAlign(alBottom);
  inner->SetHeight(10);
  dialog->Handle();
  EXPECT_EQ(inner->Left(), 2);
  EXPECT_EQ(inner->Top() + inner->Height(), dialog->Degrees->Height() - 2);
  inner->SetAlign(alClient);
  EXPECT_GT(inner->Top(), 10);
}

TEST_F(ChoiceControlsTest, FormWithChoiceControlsShows) {
  dialog->Direction->SetItemIndex(1);
  dialog->Degrees90->SetChecked(true);
  dialog->Show();
  test::PumpFor(200);
  testsupport::SaveScreenshot("classlib_choice_controls");
  // The windows show the choices made: the second direction and 90 degrees checked, the mask in the box.
  EXPECT_TRUE(IsWindowVisible(dialog->Mask->Handle()));
  EXPECT_EQ(SendMessageA(static_cast<TRadioButton*>(dialog->Direction->Controls(1))->Handle(), BM_GETCHECK, 0, 0),
            BST_CHECKED);
  EXPECT_EQ(SendMessageA(static_cast<TRadioButton*>(dialog->Direction->Controls(0))->Handle(), BM_GETCHECK, 0, 0),
            BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(dialog->Degrees90->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  char text[32] = {};
  GetWindowTextA(dialog->Mask->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "*.bmp");
}

}  // namespace
