// The file-type association: "Yes" writes the records of the eight image extensions (in registry roots private to
// this test program), the start-up check offers the dialog only while the viewer does not open them and its box
// allows it, the box is kept per user, and a missing program writes nothing. A screenshot of the dialog.
#include "viewer/assoc_dialog.h"

#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/stdctrls.h"
#include "controls/win/registry_probe.h"
#include "controls/ctl_application.h"
#include "controls/plus_label.h"
#include "frame_fixture.h"
#include "private_root.h"
#include "support/screenshot.h"
#include "viewer/core/association.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/settings.h"
#include "viewer/start_up.h"

namespace viewer {
namespace {

using ctl::test::KeyExists;
using ctl::test::RawString;

class AssociationTest : public ::testing::Test {
 protected:
  void SetUp() override { FDialog = cl::New<TAssocDialog>(nullptr); }
  void TearDown() override { cl::Free(FDialog); }

  // Runs the start-up check; the dialog, if it shows, is answered by pressing button. True when it showed.
  bool CheckAtStart(cl::TButton* button) {
    const size_t shown = FResponder.ModalForms.size();
    FResponder.OnModal = [button](cl::TForm&) {
      return cl::seam::ModalAnswer::RunScript([button] { button->Click(); });
    };
    OfferAssociation(*FDialog, Program());
    return FResponder.ModalForms.size() > shown;
  }
  // The dialog made again, as at the next start.
  void NextStart() {
    cl::Free(FDialog);
    FDialog = cl::New<TAssocDialog>(nullptr);
  }
  static std::string Program() { return cl::Application->ExeName(); }
  static void WriteDefault(const std::string& key, const std::string& value) {
    TAssocDialog::SetValInReg(HKEY_CLASSES_ROOT, key, value, "");
  }

  test::PrivateRoot FClasses{HKEY_CLASSES_ROOT, "Classes"};
  test::PrivateRoot FUser{HKEY_CURRENT_USER, "User"};
  cl::test::Responder FResponder;
  TAssocDialog* FDialog = nullptr;
};

TEST_F(AssociationTest, YesWritesTheRecordsOfEveryExtensionAndTheNextStartAsksNothing) {
  EXPECT_TRUE(CheckAtStart(FDialog->Button1));
  for (const char* extension : kAssociatedExtensions)
    for (const ClassesRecord& record : AssociationRecords(extension, Program()))
      EXPECT_EQ(RawString(HKEY_CLASSES_ROOT, record.Key, ""), record.Value) << record.Key;
  EXPECT_EQ(RawString(HKEY_CLASSES_ROOT, "Orlanto\\shell\\open\\command", ""), "\"" + Program() + "\" \"%1\"");
  NextStart();
  EXPECT_FALSE(CheckAtStart(FDialog->Button2));
}

TEST_F(AssociationTest, TheOlderUnquotedCommandCountsAndAnotherProgramsDoesNot) {
  for (const char* extension : kAssociatedExtensions) WriteDefault(ExtensionClassKey(extension), "Orlanto");
  WriteDefault(kOpenCommandKey, Program() + " %1");
  EXPECT_FALSE(CheckAtStart(FDialog->Button2));
  WriteDefault(kOpenCommandKey, "\"C:\\Other\\viewer.exe\" \"%1\"");
  EXPECT_TRUE(CheckAtStart(FDialog->Button2));
  // "No" wrote nothing.
  EXPECT_EQ(RawString(HKEY_CLASSES_ROOT, kOpenCommandKey, ""), "\"C:\\Other\\viewer.exe\" \"%1\"");
}

TEST_F(AssociationTest, NeverDisplayIsKeptPerUserAndStopsTheDialogWhileTheKeysItReadsAreMade) {
  EXPECT_FALSE(FDialog->CheckBox1->Checked());
  FDialog->CheckBox1->SetChecked(true);
  NextStart();
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, "SOFTWARE\\Marbeck\\Quenmark", "ShowAssocDialog"), "1");
  EXPECT_TRUE(FDialog->CheckBox1->Checked());
  EXPECT_FALSE(CheckAtStart(FDialog->Button1));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ".tif"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kOpenCommandKey));
  EXPECT_EQ(RawString(HKEY_CLASSES_ROOT, kOpenCommandKey, ""), std::nullopt);
}

TEST_F(AssociationTest, AMissingProgramIsReportedForEachExtensionAndNothingIsWritten) {
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  const std::string missing = "C:\\nowhere\\orvane.exe";
  for (const char* extension : kAssociatedExtensions) TAssocDialog::MakeAssociation(extension, missing);
  ASSERT_EQ(FResponder.MessageDlgs.size(), kAssociatedExtensions.size());
  EXPECT_EQ(FResponder.MessageDlgs.front().Text, "Error: Program not found: C:\\nowhere\\orvane.exe");
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".bmp"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Orlanto"));
}

// "No" without the box ticked: the next start asks again. That start restores the frame's placement, which the
// first one saved, and so shows the frame while it is being made, before the program's other forms.
TEST_F(AssociationTest, EveryStartAsksWhenTheFrameIsFirstShownUntilTheBoxIsTicked) {
  ctl::InitControlLibrary();
  ForgetHandedOverFiles();
  // Showing the frame opens the test program's own command line: a name that does not exist, which is reported.
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  FResponder.OnModal = [](cl::TForm&) {
    return cl::seam::ModalAnswer::RunScript([] { AssocDialog->Button2->Click(); });
  };
  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE(start);
    FResponder.ModalForms.clear();
    CreateStartUpForms();
    cl::Application->MainForm()->Show();  // as the message loop begins
    cl::test::PumpFor(200);
    EXPECT_EQ(FResponder.ModalForms, std::vector<std::string>{"TAssocDialog"});
    for (TEditForm* window : ImageWindows()) window->Free();
    std::vector<cl::TForm*> forms;
    for (int i = 0; i < cl::Application->ComponentCount(); ++i)
      if (auto* form = dynamic_cast<cl::TForm*>(cl::Application->Components(i))) forms.push_back(form);
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) (*it)->Free();
  }
}

TEST_F(AssociationTest, Screenshot) {
  FDialog->Show();
  cl::test::PumpFor(300);
  std::printf("%s\n", testsupport::SaveScreenshot("orvane_association_dialog").c_str());
  EXPECT_LE(FDialog->Button2->Left() + FDialog->Button2->Width(), FDialog->ClientWidth());
  // The question, the label's last line, shows whole above the check box.
  ctl::TPlusLabel* label = FDialog->PlusLabel1;
  EXPECT_LE(label->GetLineCount() * label->LineHeight(), label->Height());
  EXPECT_LE(label->Top() + label->Height(), FDialog->CheckBox1->Top());
  FDialog->Hide();
}

}  // namespace
}  // namespace viewer
