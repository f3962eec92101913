// TPrefFrm: the viewer's preferences. "Viewing" holds the automatic fit of large pictures and the grey-scale
// conversion in the background; "Screen Capture" how and with which key a capture starts and whether the frame
// hides meanwhile. The other commands read the controls themselves.
#pragma once

#include "classlib/win/forms.h"

namespace cl {
class TCheckBox;
class TPageControl;
class TRadioGroup;
class TTabSheet;
}  // namespace cl

namespace viewer {

class TRkCancelButton;
class TRkOkButton;

class TPrefFrm : public cl::TForm {
  CL_CLASS(TPrefFrm, cl::TForm)
 public:
  explicit TPrefFrm(cl::TComponent* owner) : TForm(owner) {}
  void BeforeDestruction() override;

  cl::TPageControl* PageControl1 = nullptr;
  cl::TTabSheet* TabSheet1 = nullptr;      // "Viewing"
  cl::TCheckBox* CheckBox1 = nullptr;      // auto fit of large pictures
  cl::TCheckBox* CheckBox2 = nullptr;      // grey scale in the background
  cl::TTabSheet* TabSheet2 = nullptr;      // "Screen Capture"
  cl::TRadioGroup* RadioGroup1 = nullptr;  // activate capture using
  cl::TRadioGroup* RadioGroup2 = nullptr;  // hot key
  cl::TCheckBox* CheckBox3 = nullptr;      // minimise the frame during capture
  TRkOkButton* RkOkButton1 = nullptr;
  TRkCancelButton* RkCancelButton1 = nullptr;

 protected:
  void CreateComponents() override;

 private:
  void RkOkButton1Click(cl::TObject* sender);
  void RkCancelButton1Click(cl::TObject* sender);
};

// The program's preferences, once Application->CreateForm made them.
extern TPrefFrm* PrefFrm;

}  // namespace viewer
