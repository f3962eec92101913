#include "viewer/pref_form.h"

#include "classlib/win/extctrls.h"
#include "classlib/win/page_control.h"
#include "classlib/win/stdctrls.h"
#include "controls/ini_out.h"
#include "viewer/rk_buttons.h"

namespace viewer {

namespace {

constexpr int kHotKeyF12 = 3;

// A first run keeps the dialog's own choices; only the minimising during a capture is on by default, which an
// empty default would turn off.
constexpr const char* kPreferenceItems[] = {
    "CheckBox1;Checked;False;SOFTWARE\\Orlanto;AutoSizeLI;1;0",
    "CheckBox2;Checked;False;SOFTWARE\\Orlanto;Update;1;0",
    "RadioGroup1;ItemIndex;;SOFTWARE\\Orlanto;ActivateUsing;1;0",
    "RadioGroup2;ItemIndex;;SOFTWARE\\Orlanto;HotKey;1;0",
    "CheckBox3;Checked;True;SOFTWARE\\Orlanto;MinimizeOnCapture;1;0",
};

}  // namespace

TPrefFrm* PrefFrm = nullptr;

void TPrefFrm::BeforeDestruction() {
  if (PrefFrm == this) PrefFrm = nullptr;
  inherited::BeforeDestruction();
}

void TPrefFrm::CreateComponents() {
  MakeDialog(this, "Preferences", 500, 236);

  PageControl1 = cl::Make<cl::TPageControl>(this, "PageControl1");
  PageControl1->SetParent(this);
  PageControl1->SetBounds(8, 8, 484, 186);
  const auto addSheet = [this](const char* name, const char* caption) {
    cl::TTabSheet* sheet = cl::Make<cl::TTabSheet>(this, name);
    sheet->SetCaption(caption);
    sheet->SetPageControl(PageControl1);
    return sheet;
  };
  const auto addCheckBox = [this](cl::TWinControl* parent, const char* name, const char* caption, int top) {
    cl::TCheckBox* box = cl::Make<cl::TCheckBox>(this, name);
    box->SetParent(parent);
    box->SetBounds(12, top, 460, 20);
    box->SetCaption(caption);
    return box;
  };
  TabSheet1 = addSheet("TabSheet1", "Viewing");
  CheckBox1 = addCheckBox(TabSheet1, "CheckBox1", "Auto Fit To Window large images.", 16);
  CheckBox2 = addCheckBox(TabSheet1, "CheckBox2",
                          "Convert image to gray scale in the background (the process will be slower).", 44);

  TabSheet2 = addSheet("TabSheet2", "Screen Capture");
  RadioGroup1 = cl::Make<cl::TRadioGroup>(this, "RadioGroup1");
  RadioGroup1->SetParent(TabSheet2);
  RadioGroup1->SetBounds(12, 8, 156, 70);
  RadioGroup1->SetCaption("Activate capture using:");
  RadioGroup1->Items()->Add("None (Immediately)");
  RadioGroup1->Items()->Add("Hot Key");
  RadioGroup1->SetItemIndex(0);
  RadioGroup2 = cl::Make<cl::TRadioGroup>(this, "RadioGroup2");
  RadioGroup2->SetParent(TabSheet2);
  RadioGroup2->SetBounds(176, 8, 148, 70);
  RadioGroup2->SetCaption("Hot Key:");
  RadioGroup2->SetColumns(2);
  for (const char* key : {"F9", "F10", "F11", "F12"}) RadioGroup2->Items()->Add(key);
  RadioGroup2->SetItemIndex(kHotKeyF12);
  CheckBox3 = addCheckBox(TabSheet2, "CheckBox3", "Minimize Orlanto main window during capture", 92);
  CheckBox3->SetChecked(true);

  RkOkButton1 = cl::Make<TRkOkButton>(this, "RkOkButton1");
  RkOkButton1->SetParent(this);
  RkOkButton1->SetBounds(336, 203, 75, 25);
  RkOkButton1->SetOnClick(CL_EVENT(RkOkButton1Click));
  RkCancelButton1 = cl::Make<TRkCancelButton>(this, "RkCancelButton1");
  RkCancelButton1->SetParent(this);
  RkCancelButton1->SetBounds(417, 203, 75, 25);
  RkCancelButton1->SetOnClick(CL_EVENT(RkCancelButton1Click));

  IniOut1 = cl::Make<ctl::TIniOut>(this, "IniOut1");
  IniOut1->SetRegistryRoot(ctl::LOCAL_MACHINE);
  for (const char* item : kPreferenceItems) IniOut1->Items()->Add(item);
  SetOnCreate(CL_EVENT(FormCreate));
  SetOnDestroy(CL_EVENT(FormDestroy));
}

void TPrefFrm::FormCreate(cl::TObject*) {
  IniOut1->Load();
}

void TPrefFrm::FormDestroy(cl::TObject*) {
  IniOut1->Save();
}

void TPrefFrm::RkOkButton1Click(cl::TObject*) {
  IniOut1->Save();
  Close();
}

void TPrefFrm::RkCancelButton1Click(cl::TObject*) {
  IniOut1->Load();
  Close();
}

}  // namespace viewer
