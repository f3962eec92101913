#include "viewer/quality_form.h"

#include "classlib/core/string_list.h"
#include "classlib/win/stdctrls.h"
#include "controls/ini_out.h"
#include "controls/plus_label.h"
#include "viewer/ctl_spin_edit.h"
#include "viewer/rk_buttons.h"

namespace viewer {

namespace {

constexpr int kDefaultQuality = 85;
constexpr char kExplanation[] =
    "This value defines the quality to be used when saving to a JPG/JPEG file. Consider that useful values range "
    "approximatively from 10 to 90. A quality value of 85 means almost perfection...";
// The key path names a subkey "HKEY_LOCAL_MACHINE" of the root: existing settings are found there.
constexpr char kQualityItem[] = "CtlSpinEdit1;Value;;HKEY_LOCAL_MACHINE\\SOFTWARE\\Marbeck\\Orlanto;JPGQuality;1;0";

}  // namespace

TQualityFrm* QualityFrm = nullptr;

void TQualityFrm::BeforeDestruction() {
  if (QualityFrm == this) QualityFrm = nullptr;
  inherited::BeforeDestruction();
}

void TQualityFrm::CreateComponents() {
  MakeDialog(this, "Quality", 292, 132);

  PlusLabel1 = cl::Make<ctl::TPlusLabel>(this, "PlusLabel1");
  PlusLabel1->SetParent(this);
  PlusLabel1->SetAutoSize(false);
  PlusLabel1->SetWordWrap(true);
  PlusLabel1->SetBounds(12, 10, 268, 66);
  PlusLabel1->SetCaption(kExplanation);

  Label1 = cl::Make<cl::TLabel>(this, "Label1");
  Label1->SetParent(this);
  Label1->SetBounds(12, 96, 50, 16);
  Label1->SetCaption("Quality:");
  CtlSpinEdit1 = cl::Make<TCtlSpinEdit>(this, "CtlSpinEdit1");
  CtlSpinEdit1->SetParent(this);
  CtlSpinEdit1->SetBounds(68, 92, 64, 24);
  CtlSpinEdit1->SetValue(kDefaultQuality);

  Button1 = cl::Make<cl::TButton>(this, "Button1");
  Button1->SetParent(this);
  Button1->SetBounds(205, 92, 75, 25);
  Button1->SetCaption("OK");
  Button1->SetDefault(true);
  Button1->SetModalResult(cl::mrOk);
  Button1->SetOnClick(CL_EVENT(Button1Click));

  IniOut1 = cl::Make<ctl::TIniOut>(this, "IniOut1");
  IniOut1->SetRegistryRoot(ctl::LOCAL_MACHINE);
  IniOut1->Items()->Add(kQualityItem);
  SetOnCreate(CL_EVENT(FormCreate));
  SetOnDestroy(CL_EVENT(FormDestroy));
}

void TQualityFrm::FormCreate(cl::TObject*) {
  IniOut1->Load();
}

void TQualityFrm::FormDestroy(cl::TObject*) {
  IniOut1->Save();
}

void TQualityFrm::Button1Click(cl::TObject*) {
  IniOut1->Save();
  Close();
}

}  // namespace viewer
