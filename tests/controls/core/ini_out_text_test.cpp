// TIniOut's item lines and the text forms of every property kind, both ways.
#include "controls/core/ini_out_text.h"

#include <gtest/gtest.h>

#include "classlib/core/colors.h"
#include "classlib/core/component.h"
#include "classlib/core/cursors.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/string_list.h"

namespace {

using namespace ctl;
namespace rtti = cl::rtti;

enum TShade { shLight, shMedium, shDark };
CL_ENUM_INFO(TShade, shLight, shMedium, shDark)
enum TMark { mkBold, mkItalic, mkBoldItalic };
CL_ENUM_INFO(TMark, mkBold, mkItalic, mkBoldItalic)
using TMarks = cl::Set<TMark>;
inline constexpr rtti::TTypeInfo TMarksInfo = rtti::SetInfo(TMarkInfo, "TMarks");
using TValueEvent = cl::Event<void(cl::TObject*, int)>;

// An object held by a property and written as a whole: its properties joined by "|".
class TStyleInfo : public cl::TPersistent {
  CL_PUBLISHED_CLASS(TStyleInfo, cl::TPersistent)
 public:
  int Size() const { return FSize; }
  void SetSize(int size) { FSize = size; }
  const std::string& Label() const { return FLabel; }
  void SetLabel(const std::string& label) { FLabel = label; }
  bool Flag() const { return FFlag; }
  void SetFlag(bool flag) { FFlag = flag; }
  TStyleInfo* Next() const { return nullptr; }
  void SetNext(TStyleInfo*) { ++NextSet; }
  int Depth() const { return FDepth; }
  void SetDepth(int depth) { FDepth = depth; }
  int NextSet = 0;

 private:
  int FSize = 0;
  std::string FLabel;
  bool FFlag = false;
  int FDepth = 0;
};

void TStyleInfo::Publish(rtti::Builder& b) {
  b.Prop("Size", rtti::tiInteger, &TStyleInfo::Size, &TStyleInfo::SetSize);
  b.Prop("Label", rtti::tiString, &TStyleInfo::Label, &TStyleInfo::SetLabel);
  b.Prop("Flag", rtti::tiBoolean, &TStyleInfo::Flag, &TStyleInfo::SetFlag);
  b.Prop("Next", rtti::ClassInfo<TStyleInfo>(), &TStyleInfo::Next, &TStyleInfo::SetNext);
  b.Prop("Depth", rtti::tiInteger, &TStyleInfo::Depth, &TStyleInfo::SetDepth);
}

// One property of every kind.
class TSample : public cl::TComponent {
  CL_PUBLISHED_CLASS(TSample, cl::TComponent)
 public:
  explicit TSample(cl::TComponent* owner) : TComponent(owner) {}
  void BeforeDestruction() override {
    inherited::BeforeDestruction();
    cl::FreeAndNil(FLines);
    cl::FreeAndNil(FStyle);
  }

  int Count = 0;
  cl::TColor Color = cl::clBlack;
  cl::TCursor Cursor = cl::crDefault;
  char Letter = 'a';
  bool Enabled = false;
  TShade Shade = shLight;
  double Ratio = 0;
  std::string Caption;
  TMarks Marks;
  TSample* Partner = nullptr;
  TStyleInfo* FStyle = cl::New<TStyleInfo>();
  cl::TStrings* FLines = cl::New<cl::TStringList>();
  cl::TNotifyEvent OnPing;
  TValueEvent OnValue;
  int Pings = 0;

  void Ping(cl::TObject*) { ++Pings; }
  void Value(cl::TObject*, int) {}

#define ACCESSORS(Name, Type)  \
  Type Get##Name() const {     \
    return Name;               \
  }                            \
  void Set##Name(Type value) { \
    Name = value;              \
  }
  ACCESSORS(Count, int)
  ACCESSORS(Color, cl::TColor)
  ACCESSORS(Cursor, cl::TCursor)
  ACCESSORS(Letter, char)
  ACCESSORS(Enabled, bool)
  ACCESSORS(Shade, TShade)
  ACCESSORS(Ratio, double)
  ACCESSORS(Caption, std::string)
  ACCESSORS(Marks, TMarks)
  ACCESSORS(Partner, TSample*)
#undef ACCESSORS
  TStyleInfo* Style() const {
    return FStyle;
  }
  void SetStyle(const TStyleInfo* style) {
    FStyle->Assign(style);
  }
  cl::TStrings* Lines() const {
    return FLines;
  }
  void SetLines(const cl::TStrings* lines) {
    FLines->Assign(lines);
  }
  const cl::TNotifyEvent& GetOnPing() const {
    return OnPing;
  }
  void SetOnPing(const cl::TNotifyEvent& e) {
    OnPing = e;
  }
  const TValueEvent& GetOnValue() const {
    return OnValue;
  }
  void SetOnValue(const TValueEvent& e) {
    OnValue = e;
  }
};

void TSample::Publish(rtti::Builder& b) {
  b.Prop("Count", rtti::tiInteger, &TSample::GetCount, &TSample::SetCount);
  b.Prop("Color", rtti::tiColor, &TSample::GetColor, &TSample::SetColor);
  b.Prop("Cursor", rtti::tiCursor, &TSample::GetCursor, &TSample::SetCursor);
  b.Prop("Letter", rtti::tiChar, &TSample::GetLetter, &TSample::SetLetter);
  b.Prop("Enabled", rtti::tiBoolean, &TSample::GetEnabled, &TSample::SetEnabled);
  b.Prop("Shade", TShadeInfo, &TSample::GetShade, &TSample::SetShade);
  b.Prop("Ratio", rtti::tiFloat, &TSample::GetRatio, &TSample::SetRatio);
  b.Prop("Caption", rtti::tiString, &TSample::GetCaption, &TSample::SetCaption);
  b.Prop("Marks", TMarksInfo, &TSample::GetMarks, &TSample::SetMarks);
  b.Prop("Partner", rtti::ClassInfo<TSample>(), &TSample::GetPartner, &TSample::SetPartner);
  b.Prop("Style", rtti::ClassInfo<TStyleInfo>(), &TSample::Style, &TSample::SetStyle);
  b.Prop("Lines", rtti::ClassInfo<cl::TStrings>(), &TSample::Lines, &TSample::SetLines);
  b.Prop("OnPing", rtti::MethodInfo<cl::TNotifyEvent>(), &TSample::GetOnPing, &TSample::SetOnPing);
  b.Prop("OnValue", rtti::MethodInfo<TValueEvent>(), &TSample::GetOnValue, &TSample::SetOnValue);
  b.Method<&TSample::Ping>("Ping");
  b.Method<&TSample::Value>("Value");
}

// A form with two samples and a component of another class.
class IniOutText : public testing::Test {
 protected:
  void SetUp() override {
    form = cl::MakeOwned<TSample>(nullptr);
    form->SetName("Form1");
    sample = cl::Make<TSample>(form.get(), "Sample1");
    other = cl::Make<TSample>(form.get(), "Other");
    cl::Make<cl::TComponent>(form.get(), "Plain");
  }
  std::string Text(const char* property) {
    return PropertyToText(sample, *rtti::GetPropInfo(sample, property)).value_or("<none>");
  }
  void Load(const char* property, const std::string& text) {
    TextToProperty(sample, *rtti::GetPropInfo(sample, property), text, form.get());
  }
  cl::Owned<TSample> form;
  TSample* sample = nullptr;
  TSample* other = nullptr;
};

TEST_F(IniOutText, ItemLinesHaveSevenTrimmedFields) {
  const TIniOutItem item = ParseIniOutItem("Edit2;Text;*.bmp;SOFTWARE\\Orlanto\\Tarnby;BrowseExtension;1;0");
  EXPECT_EQ(item.Component, "Edit2");
  EXPECT_EQ(item.Property, "Text");
  EXPECT_EQ(item.Default, "*.bmp");
  EXPECT_EQ(item.Key, "SOFTWARE\\Orlanto\\Tarnby");
  EXPECT_EQ(item.ValueName, "BrowseExtension");
  EXPECT_FALSE(item.IsReadOnly());
  const TIniOutItem padded = ParseIniOutItem(" \tBox ; Value\r;; Key ;Name;x; 1 ");
  EXPECT_EQ(padded.Component, "Box");
  EXPECT_EQ(padded.Property, "Value");
  EXPECT_EQ(padded.Key, "Key");
  EXPECT_TRUE(padded.IsReadOnly());
  const TIniOutItem shortLine = ParseIniOutItem("Box;Value");
  EXPECT_EQ(shortLine.ValueName, "");
  EXPECT_TRUE(shortLine.Used());
  EXPECT_FALSE(ParseIniOutItem(";;default;;;1;1").Used());
  EXPECT_FALSE(ParseIniOutItem("").Used());
}

TEST_F(IniOutText, PropertiesToText) {
  sample->Count = -42;
  sample->Color = cl::clRed;
  sample->Cursor = cl::crHourGlass;
  sample->Letter = 'x';
  sample->Enabled = true;
  sample->Shade = shDark;
  sample->Ratio = 2.5;
  sample->Caption = "a;b|c";
  sample->Marks = {mkBold, mkBoldItalic};
  sample->Partner = other;
  sample->FStyle->SetSize(3);
  sample->FStyle->SetLabel("abc");
  sample->FStyle->SetFlag(true);
  sample->FLines->SetText("one\r\ntwo\r\nthree\r\n");
  sample->OnPing = cl::BindMethod<&TSample::Ping>(form.get(), "Ping");
  const std::pair<const char*, const char*> expected[] = {
      {"Count", "-42"},     {"Color", "clRed"},      {"Cursor", "crHourGlass"},
      {"Letter", "x"},      {"Enabled", "1"},        {"Shade", "shDark"},
      {"Ratio", "2.5"},     {"Caption", "a;b|c"},    {"Marks", "[mkBold,mkBoldItalic]"},
      {"Partner", "Other"}, {"Style", "3|abc|1||0"}, {"Lines", "one|two|three"},
      {"OnPing", "Ping"},   {"OnValue", ""},
  };
  for (const auto& [property, text] : expected) EXPECT_EQ(Text(property), text) << property;
}

TEST_F(IniOutText, OddValuesToText) {
  sample->Color = 0x123456;
  sample->Cursor = -255;
  sample->Shade = static_cast<TShade>(3);
  sample->Enabled = false;
  sample->OnPing = cl::TNotifyEvent([](cl::TObject*) {});
  EXPECT_EQ(Text("Color"), "1193046");
  EXPECT_EQ(Text("Cursor"), "-255");
  EXPECT_EQ(Text("Shade"), "shLight");  // outside the type: its lowest value's name
  EXPECT_EQ(Text("Enabled"), "0");
  EXPECT_EQ(Text("Marks"), "[]");
  EXPECT_EQ(Text("OnPing"), "");         // not a published method
  EXPECT_EQ(Text("Partner"), "<none>");  // nothing to write
}

TEST_F(IniOutText, TextToOrdinalsStringsAndFloats) {
  sample->Count = 5;
  Load("Count", "");
  EXPECT_EQ(sample->Count, 5);
  Load("Count", "$10");
  EXPECT_EQ(sample->Count, 16);
  EXPECT_THROW(Load("Count", "ten"), cl::EConvertError);
  EXPECT_EQ(sample->Count, 16);
  Load("Color", "clRed");
  EXPECT_EQ(sample->Color, cl::clRed);
  Load("Color", "65280");
  EXPECT_EQ(sample->Color, cl::clLime);
  Load("Cursor", "crHSplit");
  EXPECT_EQ(sample->Cursor, cl::crHSplit);
  Load("Letter", "");
  EXPECT_EQ(sample->Letter, 'a');
  Load("Letter", "zebra");
  EXPECT_EQ(sample->Letter, 'z');
  Load("Shade", "shMedium");
  EXPECT_EQ(sample->Shade, shMedium);
  Load("Shade", "shPurple");  // no such value: unchanged
  EXPECT_EQ(sample->Shade, shMedium);
  Load("Ratio", "0.125");
  EXPECT_EQ(sample->Ratio, 0.125);
  Load("Caption", "a;b|c");
  EXPECT_EQ(sample->Caption, "a;b|c");
}

TEST_F(IniOutText, BooleansAndSets) {
  for (const char* yes : {"1", "Yes", "true", "T", "y"}) {
    sample->Enabled = false;
    Load("Enabled", yes);
    EXPECT_TRUE(sample->Enabled) << yes;
  }
  for (const char* no : {"0", "No", "false", "", " 1"}) {
    sample->Enabled = true;
    Load("Enabled", no);
    EXPECT_FALSE(sample->Enabled) << no;
  }
  Load("Marks", "[mkBold]");
  EXPECT_EQ(sample->Marks, (TMarks{mkBold}));
  // A member whose name is part of another's matches too.
  Load("Marks", "[mkBoldItalic]");
  EXPECT_EQ(sample->Marks, (TMarks{mkBold, mkBoldItalic}));
  Load("Marks", "[]");
  EXPECT_TRUE(sample->Marks.Empty());
}

TEST_F(IniOutText, TextToObjectsAndComponents) {
  Load("Partner", "Other");
  EXPECT_EQ(sample->Partner, other);
  // A component of another class is never assigned.
  Load("Partner", "Plain");
  EXPECT_EQ(sample->Partner, other);
  Load("Lines", "a|b|c");
  EXPECT_EQ(sample->FLines->Count(), 3);
  EXPECT_EQ(sample->FLines->Strings(2), "c");
  Load("Style", " 7 | label | yes |ignored| 9");
  EXPECT_EQ(sample->FStyle->Size(), 7);
  EXPECT_EQ(sample->FStyle->Label(), "label");
  EXPECT_TRUE(sample->FStyle->Flag());
  // The walk ends at the class property: neither it nor what follows is set.
  EXPECT_EQ(sample->FStyle->NextSet, 0);
  EXPECT_EQ(sample->FStyle->Depth(), 0);
}

TEST_F(IniOutText, WholeObjectsSkipFieldsThatCannotBeReadAndStopAtTheLastField) {
  sample->FStyle->SetLabel("kept");
  TextToObject(sample->FStyle, "x", form.get());
  EXPECT_EQ(sample->FStyle->Size(), 0);
  EXPECT_EQ(sample->FStyle->Label(), "kept");
  TextToObject(sample->FStyle, "4|new", form.get());
  EXPECT_EQ(ObjectToText(sample->FStyle), "4|new|0||0");
}

TEST_F(IniOutText, MethodsOfTheFormWithTheRightSignature) {
  Load("OnPing", "Ping");
  ASSERT_TRUE(sample->OnPing);
  sample->OnPing(sample);
  EXPECT_EQ(form->Pings, 1);
  EXPECT_EQ(Text("OnPing"), "Ping");
  // Another signature, or no such method: the event stays as it was.
  Load("OnPing", "Value");
  Load("OnPing", "Missing");
  sample->OnPing(sample);
  EXPECT_EQ(form->Pings, 2);
  Load("OnValue", "Ping");
  EXPECT_FALSE(sample->OnValue);
  Load("OnValue", "Value");
  EXPECT_TRUE(sample->OnValue);
}

}  // namespace
