#include "viewer/assoc_dialog.h"

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/string_list.h"
#include "classlib/win/application.h"
#include "classlib/win/dialogs.h"
#include "classlib/win/registry.h"
#include "classlib/win/stdctrls.h"
#include "controls/ini_out.h"
#include "controls/plus_label.h"
#include "viewer/core/association.h"
#include "viewer/rk_buttons.h"

namespace viewer {

TAssocDialog* AssocDialog = nullptr;

namespace {

// The question in bold (one Ctrl-B to the end) below the explanation.
constexpr char kQuestion[] =
    "For full access to Orlanto's shell interface, Orlanto must be properly associated with ZIP files. However, "
    "Quenmark is not currently associated with BMP, JPG, GIF, PCX, DCX, TGA, PNG and TIFF files.\r\n\r\n"
    "\x02"
    "Associate Orlanto with these files now?";
constexpr char kShowAgainItem[] = "CheckBox1;Checked;;SOFTWARE\\Marbeck\\Quenmark;ShowAssocDialog;1;0";

// The default value of a HKEY_CLASSES_ROOT key, created when missing. A key that cannot be created is read where
// it stands; one that cannot be read, or whose value is no text, reads as "" (not the viewer's).
std::string ClassesDefault(const std::string& key) {
  cl::TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (!registry.OpenKey(key, true) && !registry.OpenKeyReadOnly(key)) return "";
  try {
    return registry.ReadString("");
  } catch (const cl::ERegistryException&) {
    return "";
  }
}

cl::TButton* AddButton(cl::TForm* form, const char* name, const char* caption, int left) {
  cl::TButton* button = cl::Make<cl::TButton>(form, name);
  button->SetParent(form);
  button->SetBounds(left, 148, 75, 25);
  button->SetCaption(caption);
  return button;
}

}  // namespace

void TAssocDialog::BeforeDestruction() {
  inherited::BeforeDestruction();
  if (AssocDialog == this) AssocDialog = nullptr;
}

void TAssocDialog::CreateComponents() {
  MakeDialog(this, "Orlanto", 392, 184);
  PlusLabel1 = cl::Make<ctl::TPlusLabel>(this, "PlusLabel1");
  PlusLabel1->SetParent(this);
  PlusLabel1->SetAutoSize(false);
  PlusLabel1->SetWordWrap(true);
  PlusLabel1->SetBounds(12, 12, 368, 104);
  PlusLabel1->SetCaption(kQuestion);
  Button1 = AddButton(this, "Button1", "&Yes", 224);
  Button1->SetDefault(true);
  Button1->SetOnClick(CL_EVENT(Button1Click));
  Button2 = AddButton(this, "Button2", "&No", 305);
  Button2->SetCancel(true);
  Button2->SetOnClick(CL_EVENT(Button2Click));
  CheckBox1 = cl::Make<cl::TCheckBox>(this, "CheckBox1");
  CheckBox1->SetParent(this);
  CheckBox1->SetBounds(12, 120, 368, 20);
  CheckBox1->SetCaption("Never display this message again");
  IniOut1 = cl::Make<ctl::TIniOut>(this, "IniOut1");
  IniOut1->SetRegistryRoot(ctl::CURRENT_USER);
  IniOut1->Items()->Add(kShowAgainItem);
  SetOnCreate(CL_EVENT(FormCreate));
  SetOnDestroy(CL_EVENT(FormDestroy));
}

void TAssocDialog::FormCreate(cl::TObject*) {
  IniOut1->Load();
}

void TAssocDialog::FormDestroy(cl::TObject*) {
  IniOut1->Save();
}

void TAssocDialog::Button1Click(cl::TObject*) {
  for (const char* extension : kAssociatedExtensions) MakeAssociation(extension, cl::Application->ExeName());
  Close();
}

void TAssocDialog::Button2Click(cl::TObject*) {
  Close();
}

void TAssocDialog::MakeAssociation(const std::string& extension, const std::string& program) {
  if (!cl::FileExists(program)) {
    cl::ShowMessage("Error: Program not found: " + program);
    return;
  }
  for (const ClassesRecord& record : AssociationRecords(extension, program))
    SetValInReg(HKEY_CLASSES_ROOT, record.Key, record.Value, "");
}

void TAssocDialog::SetValInReg(HKEY root, const std::string& key, const std::string& value, const std::string& name) {
  cl::TRegistry registry;
  registry.SetRootKey(root);
  if (!registry.OpenKey(key, true)) throw cl::ERegistryException("Cannot open registry key '%s'", {key});
  registry.WriteString(name, value);
}

void OfferAssociation(TAssocDialog& dialog, const std::string& program) {
  for (const char* extension : kAssociatedExtensions) {
    const std::string command = ClassesDefault(kOpenCommandKey);
    if (IsAssociated(ClassesDefault(ExtensionClassKey(extension)), command, program)) continue;
    // With the box checked the check goes on, so every key it reads exists afterwards.
    if (dialog.CheckBox1->Checked()) continue;
    dialog.ShowModal();
    return;
  }
}

}  // namespace viewer
