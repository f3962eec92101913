// TComboBox through its real window: items kept over a re-created window, ItemIndex and Text, OnChange and
// OnClick for picks and typing, and keys of the edit part reaching OnKeyDown exactly once.
#include "classlib/win/combo_box.h"

#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/forms.h"

namespace {

using namespace cl;

class ComboBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    form = CreateNew<TForm>(Application);
    form->SetBounds(100, 100, 300, 200);
    panel = New<TPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 300, 60);
    combo = New<TComboBox>(form);
    combo->SetParent(form);
    combo->SetBounds(10, 80, 200, 21);
    combo->Items()->Add("*.bmp;*.gif;*.jpg");
    combo->Items()->Add("*.png");
    combo->SetOnChange(TNotifyEvent([this](TObject*) { changes.push_back(combo->Text()); }));
    combo->SetOnClick(TNotifyEvent([this](TObject*) { clicks.push_back(combo->Text()); }));
  }
  void TearDown() override { Free(form); }

  HWND EditPart() { return FindWindowExA(combo->Handle(), nullptr, "Edit", nullptr); }
  // What the system list holds.
  std::vector<std::string> WindowItems() {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::string text(SendMessageA(combo->Handle(), CB_GETLBTEXTLEN, i, 0) + 1, '\0');
      text.resize(SendMessageA(combo->Handle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())));
      items.push_back(text);
    }
    return items;
  }
  // A pick from the list as the system reports it: the selection changes, then CBN_SELCHANGE.
  void Pick(int index) {
    SendMessageA(combo->Handle(), CB_SETCURSEL, index, 0);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->Handle()));
  }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TComboBox* combo = nullptr;
  std::vector<std::string> changes;
  std::vector<std::string> clicks;
};

TEST_F(ComboBoxTest, ItemsAndSelectionSurviveARecreatedWindow) {
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "*.png");
  combo->Handle();
  EXPECT_EQ(WindowItems(), (std::vector<std::string>{"*.bmp;*.gif;*.jpg", "*.png"}));
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->Items()->Insert(0, "*.tif");  // the selected item moves along
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->SetParent(panel);  // a parent change makes the window again
  EXPECT_EQ(WindowItems(), (std::vector<std::string>{"*.tif", "*.bmp;*.gif;*.jpg", "*.png"}));
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "*.png");
  combo->SetItemIndex(7);  // outside the items: nothing selected
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(clicks.empty());
}

// A form that sets the selection before the items, as properties come in declaration order.
class TMaskForm : public TForm {
  CL_CLASS(TMaskForm, TForm)
 public:
  explicit TMaskForm(TComponent* owner) : TForm(owner) {}
  TComboBox* Mask = nullptr;

 protected:
  void CreateComponents() override {
    Mask = Make<TComboBox>(this, "Mask");
    Mask->SetParent(this);
    Mask->SetItemIndex(1);
    Mask->Items()->SetText("*.bmp\n*.gif");
  }
};

TEST_F(ComboBoxTest, ItemIndexSetWhileLoadingWaitsForTheItems) {
  auto* maskForm = New<TMaskForm>(form);
  EXPECT_EQ(maskForm->Mask->ItemIndex(), 1);
  EXPECT_EQ(maskForm->Mask->Text(), "*.gif");
}

TEST_F(ComboBoxTest, TypedTextIsKeptWhenItemsChange) {
  combo->SetText("*.pcx");
  EXPECT_EQ(combo->Text(), "*.pcx");
  combo->Items()->Add(combo->Text());
  EXPECT_EQ(combo->Text(), "*.pcx");
  EXPECT_EQ(combo->Items()->Count(), 3);
  EXPECT_EQ(WindowItems().back(), "*.pcx");
  combo->Items()->Clear();
  EXPECT_EQ(combo->Text(), "*.pcx");
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, APickFiresOnClickThenOnChangeWithThePickedText) {
  combo->SetText("typed");
  Pick(1);
  EXPECT_EQ(clicks, (std::vector<std::string>{"*.png"}));
  EXPECT_EQ(changes, (std::vector<std::string>{"*.png"}));
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, TypingFiresOnChange) {
  form->Show();
  combo->SetFocus();
  PostMessageA(EditPart(), WM_CHAR, 'x', 1);
  test::PumpFor(50);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], "x");
  EXPECT_TRUE(clicks.empty());
}

TEST_F(ComboBoxTest, EnterInTheEditPartReachesOnKeyDownOnceByEitherRoute) {
  std::vector<WORD> keys;
  combo->SetOnKeyDown(TKeyEvent([&](TObject* sender, WORD& key, TShiftState) {
    EXPECT_EQ(sender, combo);
    keys.push_back(key);
  }));
  form->Show();
  combo->SetFocus();
  ASSERT_EQ(GetFocus(), EditPart());
  // Through the application loop, as typing arrives.
  PostMessageA(EditPart(), WM_KEYDOWN, VK_RETURN, 1);
  test::PumpFor(50);
  EXPECT_EQ(keys, (std::vector<WORD>{13}));
  // Sent straight to the edit part, past the loop.
  SendMessageA(EditPart(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(keys, (std::vector<WORD>{13, 13}));
}

TEST_F(ComboBoxTest, KeyDownMaySwallowAKeyOfTheEditPart) {
  combo->SetOnKeyDown(TKeyEvent([](TObject*, WORD& key, TShiftState) {
    if (key == VK_DELETE) key = 0;
  }));
  combo->SetText("abc");
  form->Show();
  combo->SetFocus();
  SendMessageA(EditPart(), EM_SETSEL, 0, 1);
  SendMessageA(EditPart(), WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_EQ(combo->Text(), "abc");
}

TEST_F(ComboBoxTest, DropDownListTakesItsTextFromTheItems) {
  combo->SetStyle(csDropDownList);
  combo->SetText("*.png");
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetText("not listed");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(EditPart(), nullptr);
  combo->SetItemIndex(0);
  combo->SetStyle(csDropDown);  // a new window in the new style keeps the selection
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), "*.bmp;*.gif;*.jpg");
}

TEST_F(ComboBoxTest, ResizingKeepsTheDroppedListHeight) {
  form->Show();
  const int height = combo->Height();
  combo->SetWidth(250);
  EXPECT_EQ(combo->Width(), 250);
  EXPECT_EQ(combo->Height(), height);
  RECT dropped{};
  SendMessageA(combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GT(dropped.bottom - dropped.top, 3 * height);
}

}  // namespace
