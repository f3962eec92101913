// TIniOut against Wine's registry: every property kind saved as the registry texts the format fixes, and loaded
// back from texts written raw, item by item.
#include "controls/ini_out.h"

#include <gtest/gtest.h>

#include "classlib/core/string_list.h"
#include "classlib/win/combo_box.h"
#include "classlib/win/forms.h"
#include "classlib/win/stdctrls.h"
#include "registry_probe.h"

namespace {

using namespace ctl;
using ctl::test::KeyExists;
using ctl::test::RawString;
using ctl::test::SetRawString;

constexpr char kKey[] = "Software\\ControlsTests\\IniOut";

// The kinds the class library's own controls do not publish: a character, a real, a set, a reference to a check
// box and an event.
class TKinds : public cl::TComponent {
  CL_PUBLISHED_CLASS(TKinds, cl::TComponent)
 public:
  explicit TKinds(cl::TComponent* owner) : TComponent(owner) {}
  char Letter() const { return FLetter; }
  void SetLetter(char letter) { FLetter = letter; }
  double Ratio() const { return FRatio; }
  void SetRatio(double ratio) { FRatio = ratio; }
  cl::TFontStyles Style() const { return FStyle; }
  void SetStyle(cl::TFontStyles style) { FStyle = style; }
  cl::TCheckBox* Box() const { return FBox; }
  void SetBox(cl::TCheckBox* box) { FBox = box; }
  const cl::TNotifyEvent& OnAction() const { return FOnAction; }
  void SetOnAction(const cl::TNotifyEvent& handler) { FOnAction = handler; }

 private:
  char FLetter = 'a';
  double FRatio = 0;
  cl::TFontStyles FStyle;
  cl::TCheckBox* FBox = nullptr;
  cl::TNotifyEvent FOnAction;
};

void TKinds::Publish(cl::rtti::Builder& b) {
  b.Prop("Letter", cl::rtti::tiChar, &TKinds::Letter, &TKinds::SetLetter);
  b.Prop("Ratio", cl::rtti::tiFloat, &TKinds::Ratio, &TKinds::SetRatio);
  b.Prop("Style", cl::TFontStylesInfo, &TKinds::Style, &TKinds::SetStyle);
  b.Prop("Box", cl::rtti::ClassInfo<cl::TCheckBox>(), &TKinds::Box, &TKinds::SetBox);
  b.Prop("OnAction", cl::rtti::MethodInfo<cl::TNotifyEvent>(), &TKinds::OnAction, &TKinds::SetOnAction);
}

class TIniForm : public cl::TForm {
  CL_PUBLISHED_CLASS(TIniForm, cl::TForm)
 public:
  explicit TIniForm(cl::TComponent* owner) : TForm(owner) {}
  void Button1Click(cl::TObject*) { ++Clicks; }
  int Clicks = 0;
  cl::TEdit* Edit1 = nullptr;
  cl::TCheckBox* CheckBox1 = nullptr;
  cl::TComboBox* ComboBox1 = nullptr;
  TKinds* Kinds1 = nullptr;
  TIniOut* IniOut1 = nullptr;

 protected:
  void CreateComponents() override {
    SetName("IniForm");
    Edit1 = cl::Make<cl::TEdit>(this, "Edit1");
    CheckBox1 = cl::Make<cl::TCheckBox>(this, "CheckBox1");
    ComboBox1 = cl::Make<cl::TComboBox>(this, "ComboBox1");
    Kinds1 = cl::Make<TKinds>(this, "Kinds1");
    IniOut1 = cl::Make<TIniOut>(this, "IniOut1");
  }
};

void TIniForm::Publish(cl::rtti::Builder& b) {
  b.Method<&TIniForm::Button1Click>("Button1Click");
}

std::string Item(const std::string& component, const std::string& property, const std::string& value,
                 const std::string& defaultText = "", const std::string& key = kKey) {
  return component + ";" + property + ";" + defaultText + ";" + key + ";" + value + ";1;0";
}

class IniOutTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ControlsTests");
    form = cl::New<TIniForm>(nullptr);
  }
  void TearDown() override {
    cl::Free(form);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ControlsTests");
  }
  void SetItems(std::initializer_list<std::string> items) {
    form->IniOut1->Items()->Clear();
    for (const std::string& item : items) form->IniOut1->Items()->Add(item);
  }
  static std::optional<std::string> Raw(const char* name) { return RawString(HKEY_CURRENT_USER, kKey, name); }
  TIniForm* form = nullptr;
};

TEST_F(IniOutTest, SavesEveryKindAsItsRegistryText) {
  form->Edit1->SetColor(cl::clRed);
  form->Edit1->SetCursor(cl::crHourGlass);
  form->Edit1->SetVisible(false);
  form->Edit1->SetText("*.bmp;*.gif");
  form->Edit1->Font()->SetName("Arial");
  form->Edit1->Font()->SetSize(10);
  form->Edit1->Font()->SetStyle({cl::fsBold});
  form->CheckBox1->SetChecked(true);
  form->ComboBox1->Items()->SetText("a\r\nb\r\nc\r\n");
  form->SetCaption("Settings");
  form->Kinds1->SetLetter('q');
  form->Kinds1->SetRatio(2.5);
  form->Kinds1->SetStyle({cl::fsBold, cl::fsStrikeOut});
  form->Kinds1->SetBox(form->CheckBox1);
  form->Kinds1->SetOnAction(cl::BindMethod<&TIniForm::Button1Click>(form, "Button1Click"));
  SetItems({Item("Edit1", "Color", "Color"), Item("Edit1", "Cursor", "Cursor"), Item("Edit1", "Visible", "Visible"),
            Item("Edit1", "Text", "Text"), Item("Edit1", "Font", "Font"), Item("CheckBox1", "Checked", "Checked"),
            Item("ComboBox1", "Items", "Items"), Item("IniForm", "Caption", "Caption"),
            Item("Kinds1", "Letter", "Letter"), Item("Kinds1", "Ratio", "Ratio"), Item("Kinds1", "Style", "Style"),
            Item("Kinds1", "Box", "Box"), Item("Kinds1", "OnAction", "OnAction"), Item("Edit1", "Tag", "Tag")});
  form->IniOut1->Save();
  const std::pair<const char*, const char*> expected[] = {
      {"Color", "clRed"},
      {"Cursor", "crHourGlass"},
      {"Visible", "0"},
      {"Text", "*.bmp;*.gif"},
      {"Checked", "1"},
      {"Items", "a|b|c"},
      {"Caption", "Settings"},
      {"Letter", "q"},
      {"Ratio", "2.5"},
      {"Style", "[fsBold,fsStrikeOut]"},
      {"Box", "CheckBox1"},
      {"OnAction", "Button1Click"},
      {"Tag", "0"},
  };
  for (const auto& [name, text] : expected) EXPECT_EQ(Raw(name), std::optional<std::string>(text)) << name;
  const std::string font = Raw("Font").value_or("");
  EXPECT_EQ(font, "1|clWindowText|" + std::to_string(form->Edit1->Font()->Height()) + "|Arial|fpDefault|10|[fsBold]");
}

TEST_F(IniOutTest, LoadsRegistryTextsAndDefaults) {
  const std::pair<const char*, const char*> values[] = {
      {"Color", "255"},      {"Cursor", "crHSplit"},
      {"Visible", "No"},     {"Checked", "Yes"},
      {"Items", "x|y|z"},    {"Letter", "zulu"},
      {"Ratio", "0.25"},     {"Style", "[fsItalic]"},
      {"Box", "CheckBox1"},  {"OnAction", "Button1Click"},
      {"Caption", "Loaded"}, {"Font", "0|clBlue|-13|Courier New|fpFixed|10|[fsUnderline]"},
  };
  for (const auto& [name, text] : values) SetRawString(HKEY_CURRENT_USER, kKey, name, text);
  SetItems({Item("Edit1", "Color", "Color"), Item("Edit1", "Cursor", "Cursor"), Item("Edit1", "Visible", "Visible"),
            Item("CheckBox1", "Checked", "Checked"), Item("ComboBox1", "Items", "Items"),
            Item("Kinds1", "Letter", "Letter"), Item("Kinds1", "Ratio", "Ratio"), Item("Kinds1", "Style", "Style"),
            Item("Kinds1", "Box", "Box"), Item("Kinds1", "OnAction", "OnAction"), Item("IniForm", "Caption", "Caption"),
            Item("Edit1", "Font", "Font"), Item("Edit1", "Text", "MissingValue", "*.bmp"),
            Item("Edit1", "Tag", "Missing", "", "Software\\NoSuchKey")});
  form->Edit1->SetTag(7);
  form->IniOut1->Load();
  EXPECT_EQ(form->Edit1->Color(), cl::clRed);
  EXPECT_EQ(form->Edit1->Cursor(), cl::crHSplit);
  EXPECT_FALSE(form->Edit1->Visible());
  EXPECT_TRUE(form->CheckBox1->Checked());
  EXPECT_EQ(form->ComboBox1->Items()->Text(), "x\r\ny\r\nz\r\n");
  EXPECT_EQ(form->Kinds1->Letter(), 'z');
  EXPECT_EQ(form->Kinds1->Ratio(), 0.25);
  EXPECT_EQ(form->Kinds1->Style(), (cl::TFontStyles{cl::fsItalic}));
  EXPECT_EQ(form->Kinds1->Box(), form->CheckBox1);
  ASSERT_TRUE(form->Kinds1->OnAction());
  form->Kinds1->OnAction()(form->Kinds1);
  EXPECT_EQ(form->Clicks, 1);
  EXPECT_EQ(form->Caption(), "Loaded");
  EXPECT_EQ(form->Edit1->Font()->Name(), "Courier New");
  EXPECT_EQ(form->Edit1->Font()->Color(), cl::clBlue);
  EXPECT_EQ(form->Edit1->Font()->Style(), (cl::TFontStyles{cl::fsUnderline}));
  // A missing value takes the default; an empty default leaves an integer as it was.
  EXPECT_EQ(form->Edit1->Text(), "*.bmp");
  EXPECT_EQ(form->Edit1->Tag(), 7);
}

TEST_F(IniOutTest, AFailingItemLeavesItsPropertyAndTheOthersStillLoad) {
  SetRawString(HKEY_CURRENT_USER, kKey, "Tag", "ten");
  SetRawString(HKEY_CURRENT_USER, kKey, "Box", "Edit1");       // a component of another class
  SetRawString(HKEY_CURRENT_USER, kKey, "OnAction", "Close");  // not a published method of the form
  const DWORD number = 5;
  RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Number", REG_DWORD, &number, sizeof number);
  SetRawString(HKEY_CURRENT_USER, kKey, "Checked", "1");
  form->Kinds1->SetBox(nullptr);
  form->Edit1->SetTag(3);
  form->Edit1->SetText("kept");
  SetItems({Item("Edit1", "Tag", "Tag"), Item("Kinds1", "Box", "Box"), Item("Kinds1", "OnAction", "OnAction"),
            Item("Edit1", "Text", "Number", "default"), Item("NoSuchComponent", "Text", "Checked"),
            Item("Edit1", "NoSuchProperty", "Checked"), Item("CheckBox1", "Checked", "Checked")});
  form->IniOut1->Load();
  EXPECT_EQ(form->Edit1->Tag(), 3);
  EXPECT_EQ(form->Kinds1->Box(), nullptr);
  EXPECT_FALSE(form->Kinds1->OnAction());
  EXPECT_EQ(form->Edit1->Text(), "kept");
  EXPECT_TRUE(form->CheckBox1->Checked());
}

TEST_F(IniOutTest, ReadOnlyAndUnusedItemsAreNotWritten) {
  form->CheckBox1->SetChecked(true);
  form->Kinds1->SetBox(nullptr);
  form->IniOut1->Items()->Add("CheckBox1;Checked;;" + std::string(kKey) + ";Checked;1;1");
  form->IniOut1->Items()->Add(";;default;;;1;0");
  form->IniOut1->Items()->Add(Item("Kinds1", "Box", "Box"));  // refers to nothing: no text
  form->IniOut1->Save();
  EXPECT_FALSE(Raw("Checked"));
  EXPECT_FALSE(Raw("Box"));
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, "", "default"), std::nullopt);
}

TEST_F(IniOutTest, KeyPathsAreTakenAsWrittenUnderTheRoot) {
  const std::string key = "HKEY_CURRENT_USER\\Software\\ControlsTests\\Nested";
  form->IniOut1->Items()->Add(Item("CheckBox1", "Checked", "Flag", "", key));
  form->CheckBox1->SetChecked(true);
  form->IniOut1->Save();
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, key, "Flag"), "1");
  RegDeleteTreeA(HKEY_CURRENT_USER, "HKEY_CURRENT_USER");
}

TEST_F(IniOutTest, TheOwnerMustBeAForm) {
  cl::Owned<cl::TComponent> owner = cl::MakeOwned<cl::TComponent>(nullptr);
  TIniOut* lost = cl::Make<TIniOut>(owner.get(), "IniOut1");
  EXPECT_THROW(lost->Load(), cl::EInvalidCast);
  EXPECT_THROW(lost->Save(), cl::EInvalidCast);
  lost->SetFileName("c:\\x\\settings.cfg");
  EXPECT_EQ(lost->FileName(), "C:\\X\\SETTINGS.INI");
}

}  // namespace
