#include "viewer/rotate_form.h"

#include "classlib/win/colors.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/stdctrls.h"
#include "viewer/rk_buttons.h"

namespace viewer {

TRotateFrm* RotateFrm = nullptr;

void TRotateFrm::BeforeDestruction() {
  if (RotateFrm == this) RotateFrm = nullptr;
  inherited::BeforeDestruction();
}

void TRotateFrm::CreateComponents() {
  MakeDialog(this, "Rotate", 300, 150);

  RadioGroup1 = cl::Make<cl::TRadioGroup>(this, "RadioGroup1");
  RadioGroup1->SetParent(this);
  RadioGroup1->SetBounds(8, 8, 100, 72);
  RadioGroup1->SetCaption("Direction:");
  RadioGroup1->Items()->Add("Right");
  RadioGroup1->Items()->Add("Left");
  RadioGroup1->SetItemIndex(0);
  RadioGroup1->SetOnClick(CL_EVENT(RadioGroup1Click));

  GroupBox1 = cl::Make<cl::TGroupBox>(this, "GroupBox1");
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(116, 8, 176, 134);
  GroupBox1->SetCaption("Degrees:");
  const auto addButton = [this](const char* name, const char* caption, int top) {
    cl::TRadioButton* button = cl::Make<cl::TRadioButton>(this, name);
    button->SetParent(GroupBox1);
    button->SetBounds(10, top, 60, 20);
    button->SetCaption(caption);
    return button;
  };
  RadioButton1 = addButton("RadioButton1", "&90", 22);
  RadioButton2 = addButton("RadioButton2", "&180", 48);
  RadioButton3 = addButton("RadioButton3", "&270", 74);
  RadioButton4 = addButton("RadioButton4", "Free:", 100);
  RadioButton1->SetChecked(true);
  RadioButton4->SetEnabled(false);
  Edit1 = cl::Make<cl::TEdit>(this, "Edit1");
  Edit1->SetParent(GroupBox1);
  Edit1->SetBounds(72, 98, 44, 22);
  Edit1->SetEnabled(false);
  Edit1->SetColor(cl::clBtnFace);
  Label1 = cl::Make<cl::TLabel>(this, "Label1");
  Label1->SetParent(GroupBox1);
  Label1->SetBounds(122, 102, 48, 16);
  Label1->SetCaption("(1-359)");

  Button1 = cl::Make<cl::TButton>(this, "Button1");
  Button1->SetParent(this);
  Button1->SetBounds(8, 88, 100, 25);
  Button1->SetCaption("&OK");
  Button1->SetDefault(true);
  Button1->SetModalResult(cl::mrOk);
  Button2 = cl::Make<cl::TButton>(this, "Button2");
  Button2->SetParent(this);
  Button2->SetBounds(8, 117, 100, 25);
  Button2->SetCaption("&Cancel");
  Button2->SetCancel(true);
  Button2->SetModalResult(cl::mrCancel);
}

RotateDegrees TRotateFrm::CheckedDegrees() const {
  if (RadioButton2->Checked()) return dg180;
  if (RadioButton3->Checked()) return dg270;
  if (RadioButton4->Checked()) return dgFree;
  return dg90;
}

void TRotateFrm::RadioGroup1Click(cl::TObject*) {
  const auto direction = RadioGroup1->ItemIndex() == rdLeft ? rdLeft : rdRight;
  const RotateButtons buttons = ButtonsForDirection(direction, CheckedDegrees());
  if (buttons.Check90) RadioButton1->SetChecked(true);
  RadioButton2->SetEnabled(buttons.Enable180);
  RadioButton3->SetEnabled(buttons.Enable270);
  RadioButton4->SetEnabled(buttons.EnableFree);
  Edit1->SetEnabled(buttons.EnableFree);
  Edit1->SetColor(buttons.EnableFree ? cl::clWindow : cl::clBtnFace);
}

RotateCommand TRotateFrm::Command() const {
  const auto direction = RadioGroup1->ItemIndex() == rdLeft ? rdLeft : rdRight;
  return RotateCommandFor(direction, CheckedDegrees(), Edit1->Text());
}

}  // namespace viewer
