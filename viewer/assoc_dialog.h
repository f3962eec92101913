// TAssocDialog: offers, when the viewer starts, to become the program that opens the image file types, and writes
// the records that make it so. Its "Never display this message again" box is kept per user in the registry.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/win/forms.h"

namespace cl {
class TButton;
class TCheckBox;
}  // namespace cl
namespace ctl {
class TIniOut;
class TPlusLabel;
}  // namespace ctl

namespace viewer {

class TAssocDialog : public cl::TForm {
  CL_CLASS(TAssocDialog, cl::TForm)
 public:
  explicit TAssocDialog(cl::TComponent* owner) : TForm(owner) {}
  void BeforeDestruction() override;

  ctl::TPlusLabel* PlusLabel1 = nullptr;
  cl::TButton* Button1 = nullptr;      // "&Yes"
  cl::TButton* Button2 = nullptr;      // "&No"
  cl::TCheckBox* CheckBox1 = nullptr;  // never display this message again
  ctl::TIniOut* IniOut1 = nullptr;

  // Makes program the one that opens files of the extension (HKEY_CLASSES_ROOT records). A program file that does
  // not exist is reported and nothing is written; a record that cannot be written raises the registry error.
  static void MakeAssociation(const std::string& extension, const std::string& program);
  // Writes the string value under name ("" for the key's default value) in key, created under root when missing;
  // raises the registry error when the key cannot be opened or the value not written.
  static void SetValInReg(HKEY root, const std::string& key, const std::string& value, const std::string& name);

 protected:
  void CreateComponents() override;

 private:
  void FormCreate(cl::TObject* sender);
  void FormDestroy(cl::TObject* sender);
  void Button1Click(cl::TObject* sender);
  void Button2Click(cl::TObject* sender);
};

// The program's association dialog, once Application->CreateForm made it.
extern TAssocDialog* AssocDialog;

// The check when the viewer starts: shows dialog modally at the first image extension that program does not
// open, unless its box says not to; then or otherwise the check ends. The keys it reads are created when missing.
void OfferAssociation(TAssocDialog& dialog, const std::string& program);

}  // namespace viewer
