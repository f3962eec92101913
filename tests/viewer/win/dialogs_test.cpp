// The viewer's dialogs: the rotate dialog's degree buttons follow the direction, the dialogs keep what was chosen
// from one use to the next, the preferences also from one run to the next; and screenshots of each dialog.
#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/colors.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/page_control.h"
#include "classlib/win/stdctrls.h"
#include "controls/ctl_application.h"
#include "support/screenshot.h"
#include "viewer/adjust_form.h"
#include "viewer/glyph_spin.h"
#include "viewer/ctl_spin_edit.h"
#include "viewer/pref_form.h"
#include "viewer/quality_form.h"
#include "viewer/rk_buttons.h"
#include "viewer/rotate_form.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ctl::InitControlLibrary();
    RotateFrm = cl::New<TRotateFrm>(nullptr);
    AdjustFrm = cl::New<TAdjustFrm>(nullptr);
  }
  void TearDown() override {
    if (RotateFrm) RotateFrm->Free();
    if (AdjustFrm) AdjustFrm->Free();
    if (PrefFrm) cl::FreeAndNil(PrefFrm);
    if (QualityFrm) cl::FreeAndNil(QualityFrm);
  }
  // Runs form modally; script acts on it once it shows, then the form closes with result (mrNone: as the script
  // left it).
  void RunModal(cl::TForm* form, const std::function<void()>& script, int result) {
    FResponder.OnModal = [script, form, result](cl::TForm&) {
      return cl::seam::ModalAnswer::RunScript([script, form, result] {
        script();
        if (result != cl::mrNone) form->SetModalResult(result);
      });
    };
    form->ShowModal();
  }

  cl::test::Responder FResponder;
};

TEST_F(DialogsTest, TheRotateDirectionOffersItsDegreesAndBackToRightWithFreeChecked90IsChecked) {
  TRotateFrm* dialog = RotateFrm;
  const auto offered = [dialog] {
    return std::vector<bool>{dialog->RadioButton1->Enabled(), dialog->RadioButton2->Enabled(),
                             dialog->RadioButton3->Enabled(), dialog->RadioButton4->Enabled(),
                             dialog->Edit1->Enabled()};
  };
  EXPECT_EQ(offered(), (std::vector<bool>{true, true, true, false, false}));
  dialog->RadioButton2->SetChecked(true);
  dialog->RadioGroup1->SetItemIndex(1);
  EXPECT_EQ(offered(), (std::vector<bool>{true, false, false, true, true}));
  EXPECT_TRUE(dialog->RadioButton1->Checked());
  EXPECT_EQ(dialog->Edit1->Color(), cl::clWindow);

  dialog->RadioButton4->SetChecked(true);
  dialog->RadioGroup1->SetItemIndex(0);
  EXPECT_EQ(offered(), (std::vector<bool>{true, true, true, false, false}));
  EXPECT_TRUE(dialog->RadioButton1->Checked());
  EXPECT_FALSE(dialog->RadioButton4->Checked());
  EXPECT_EQ(dialog->Edit1->Color(), cl::clBtnFace);
}

TEST_F(DialogsTest, TheRotateAndAdjustDialogsShowWhatWasChosenLastTime) {
  RunModal(
      RotateFrm,
      [] {
        RotateFrm->RadioGroup1->SetItemIndex(1);
        RotateFrm->RadioButton4->SetChecked(true);
        RotateFrm->Edit1->SetText("45");
      },
      cl::mrOk);
  RunModal(
      AdjustFrm,
      [] {
        AdjustFrm->SpinEdit1->SetValue(-40);
        AdjustFrm->SpinEdit2->SetValue(250);
      },
      cl::mrCancel);
  EXPECT_FALSE(AdjustFrm->AdjustAccepted());

  std::vector<std::string> seen;
  RunModal(
      RotateFrm,
      [&seen] {
        seen.push_back(std::to_string(RotateFrm->RadioGroup1->ItemIndex()));
        seen.push_back(RotateFrm->RadioButton4->Checked() ? "free" : "not free");
        seen.push_back(RotateFrm->Edit1->Text());
      },
      cl::mrCancel);
  RunModal(
      AdjustFrm,
      [&seen] {
        seen.push_back(AdjustFrm->SpinEdit1->Text());
        seen.push_back(AdjustFrm->SpinEdit2->Text());
      },
      cl::mrCancel);
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "free", "45", "-40", "100"}));
}

TEST_F(DialogsTest, OkInTheAdjustDialogAcceptsItsValues) {
  RunModal(
      AdjustFrm, [] { AdjustFrm->RkOkButton1->Click(); }, cl::mrNone);
  EXPECT_TRUE(AdjustFrm->AdjustAccepted());
}

TEST_F(DialogsTest, ThePreferencesAreStoredOnOkRestoredOnCancelAndReadBackByTheNextRun) {
  constexpr const char* kValues[] = {"AutoSizeLI", "Update", "ActivateUsing", "HotKey", "MinimizeOnCapture"};
  cl::TRegistry settings;
  OpenSettings(settings);
  for (const char* value : kValues) settings.DeleteValue(value);
  const auto shown = [] {
    return std::vector<int>{PrefFrm->CheckBox1->Checked(), PrefFrm->CheckBox2->Checked(),
                            PrefFrm->RadioGroup1->ItemIndex(), PrefFrm->RadioGroup2->ItemIndex(),
                            PrefFrm->CheckBox3->Checked()};
  };
  const auto change = [](bool fit, bool gray, int activate, int hotKey, bool minimize) {
    PrefFrm->CheckBox1->SetChecked(fit);
    PrefFrm->CheckBox2->SetChecked(gray);
    PrefFrm->RadioGroup1->SetItemIndex(activate);
    PrefFrm->RadioGroup2->SetItemIndex(hotKey);
    PrefFrm->CheckBox3->SetChecked(minimize);
  };

  PrefFrm = cl::New<TPrefFrm>(nullptr);
  EXPECT_EQ(shown(), (std::vector<int>{0, 0, 0, 3, 1}));  // a first run
  RunModal(
      PrefFrm,
      [&] {
        change(true, true, 1, 1, false);
        PrefFrm->RkOkButton1->Click();
      },
      cl::mrNone);
  std::vector<std::string> stored;
  for (const char* value : kValues) stored.push_back(settings.ReadString(value));
  EXPECT_EQ(stored, (std::vector<std::string>{"1", "1", "1", "1", "0"}));
  RunModal(
      PrefFrm,
      [&] {
        change(false, false, 0, 2, true);
        PrefFrm->RkCancelButton1->Click();
      },
      cl::mrNone);
  EXPECT_EQ(shown(), (std::vector<int>{1, 1, 1, 1, 0}));

  cl::FreeAndNil(PrefFrm);
  PrefFrm = cl::New<TPrefFrm>(nullptr);
  EXPECT_EQ(shown(), (std::vector<int>{1, 1, 1, 1, 0}));
  cl::FreeAndNil(PrefFrm);
  for (const char* value : kValues) settings.DeleteValue(value);
}

TEST_F(DialogsTest, TheJpegQualityIsKeptUnderItsOwnKeyPath) {
  cl::TRegistry machine;
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Marbeck\\Orlanto";
  machine.DeleteKey(key);
  QualityFrm = cl::New<TQualityFrm>(nullptr);
  EXPECT_EQ(QualityFrm->CtlSpinEdit1->Value(), 85);
  cl::FreeAndNil(QualityFrm);
  ASSERT_TRUE(machine.OpenKey(key, false));
  EXPECT_EQ(machine.ReadString("JPGQuality"), "85");
  machine.WriteString("JPGQuality", "40");
  QualityFrm = cl::New<TQualityFrm>(nullptr);
  EXPECT_EQ(QualityFrm->CtlSpinEdit1->Value(), 40);
  QualityFrm->CtlSpinEdit1->SetValue(70);
  RunModal(
      QualityFrm, [] { QualityFrm->Button1->Click(); }, cl::mrNone);
  EXPECT_EQ(machine.ReadString("JPGQuality"), "70");
  cl::FreeAndNil(QualityFrm);
  machine.CloseKey();
  machine.DeleteKey(key);
}

TEST_F(DialogsTest, ScreenshotsOfEachDialog) {
  PrefFrm = cl::New<TPrefFrm>(nullptr);
  // Each dialog shows its last button whole inside its client area.
  const auto shoot = [](cl::TForm* dialog, cl::TControl* lastButton, const char* name) {
    dialog->Show();
    cl::test::PumpFor(300);
    std::printf("%s\n", testsupport::SaveScreenshot(name).c_str());
    EXPECT_LE(lastButton->Left() + lastButton->Width(), dialog->ClientWidth()) << name;
    EXPECT_LE(lastButton->Top() + lastButton->Height(), dialog->ClientHeight()) << name;
    dialog->Hide();
  };
  AdjustFrm->SpinEdit1->SetValue(25);
  shoot(AdjustFrm, AdjustFrm->RkCancelButton1, "orvane_adjust_dialog");
  RotateFrm->RadioGroup1->SetItemIndex(1);
  RotateFrm->RadioButton4->SetChecked(true);
  RotateFrm->Edit1->SetText("30");
  shoot(RotateFrm, RotateFrm->Button2, "orvane_rotate_dialog");
  shoot(PrefFrm, PrefFrm->RkCancelButton1, "orvane_preferences_viewing");
  PrefFrm->PageControl1->SetActivePage(PrefFrm->TabSheet2);
  shoot(PrefFrm, PrefFrm->RkCancelButton1, "orvane_preferences_capture");
  cl::FreeAndNil(PrefFrm);
  QualityFrm = cl::New<TQualityFrm>(nullptr);
  shoot(QualityFrm, QualityFrm->Button1, "orvane_quality_dialog");
  cl::FreeAndNil(QualityFrm);
}

}  // namespace
}  // namespace viewer
