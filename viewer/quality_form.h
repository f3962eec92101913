// TQualityFrm: the quality JPEG pictures are saved with, kept in the registry (HKEY_LOCAL_MACHINE, under the key
// path "HKEY_LOCAL_MACHINE\SOFTWARE\Marbeck\Orlanto" as written, value "JPGQuality"): loaded when the dialog is
// made, stored on OK and when it is freed.
#pragma once

#include "classlib/win/forms.h"

namespace cl {
class TButton;
class TLabel;
}  // namespace cl
namespace ctl {
class TIniOut;
class TPlusLabel;
}  // namespace ctl

namespace viewer {

class TCtlSpinEdit;

class TQualityFrm : public cl::TForm {
  CL_CLASS(TQualityFrm, cl::TForm)
 public:
  explicit TQualityFrm(cl::TComponent* owner) : TForm(owner) {}
  void BeforeDestruction() override;

  ctl::TPlusLabel* PlusLabel1 = nullptr;
  cl::TLabel* Label1 = nullptr;
  TCtlSpinEdit* CtlSpinEdit1 = nullptr;
  cl::TButton* Button1 = nullptr;
  ctl::TIniOut* IniOut1 = nullptr;

 protected:
  void CreateComponents() override;

 private:
  void FormCreate(cl::TObject* sender);
  void FormDestroy(cl::TObject* sender);
  void Button1Click(cl::TObject* sender);
};

// The program's quality dialog, once Application->CreateForm made it.
extern TQualityFrm* QualityFrm;

}  // namespace viewer
