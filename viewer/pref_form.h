// TPrefFrm: the viewer's preferences. "Viewing" holds the automatic fit of large pictures and the grey-scale
// conversion in the background; "Screen Capture" how and with which key a capture starts and whether the frame
// hides meanwhile. The other commands read the controls themselves. The choices are kept in the registry
// (HKEY_LOCAL_MACHINE "SOFTWARE\Orlanto"): loaded when the dialog is made, stored on OK and when it is freed; Cancel
// loads them again, undoing what was changed. Where the user may only read there, nothing is kept.
#pragma once

#include "classlib/win/forms.h"

namespace cl {
class TCheckBox;
class TPageControl;
class TRadioGroup;
class TTabSheet;
}  // namespace cl

namespace ctl {
class TIniOut;
}  // namespace ctl

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
  ctl::TIniOut* IniOut1 = nullptr;

 protected:
  void CreateComponents() override;

 private:
  void FormCreate(cl::TObject* sender);
  void FormDestroy(cl::TObject* sender);
  void RkOkButton1Click(cl::TObject* sender);
  void RkCancelButton1Click(cl::TObject* sender);
};

// The program's preferences, once Application->CreateForm made them.
extern TPrefFrm* PrefFrm;

}  // namespace viewer
