// TRotateFrm: the rotate dialog. The direction (Right or Left) decides which degree buttons it offers; Left with
// "Free:" takes any angle from its box. The choice stays from one use to the next.
#pragma once

#include "classlib/win/forms.h"
#include "viewer/core/rotate_choice.h"

namespace cl {
class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;
class TRadioGroup;
}  // namespace cl

namespace viewer {

class TRotateFrm : public cl::TForm {
  CL_CLASS(TRotateFrm, cl::TForm)
 public:
  explicit TRotateFrm(cl::TComponent* owner) : TForm(owner) {}
  void BeforeDestruction() override;

  cl::TRadioGroup* RadioGroup1 = nullptr;    // "Direction:"
  cl::TGroupBox* GroupBox1 = nullptr;        // "Degrees:"
  cl::TRadioButton* RadioButton1 = nullptr;  // "&90"
  cl::TRadioButton* RadioButton2 = nullptr;  // "&180"
  cl::TRadioButton* RadioButton3 = nullptr;  // "&270"
  cl::TRadioButton* RadioButton4 = nullptr;  // "Free:"
  cl::TEdit* Edit1 = nullptr;
  cl::TLabel* Label1 = nullptr;
  cl::TButton* Button1 = nullptr;  // "&OK"
  cl::TButton* Button2 = nullptr;  // "&Cancel"

  // The turn the dialog's choice asks for; EConvertError when "Free:" holds no integer.
  RotateCommand Command() const;

 protected:
  void CreateComponents() override;

 private:
  void RadioGroup1Click(cl::TObject* sender);
  RotateDegrees CheckedDegrees() const;
};

// The program's rotate dialog, once Application->CreateForm made it.
extern TRotateFrm* RotateFrm;

}  // namespace viewer
