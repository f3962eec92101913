// MessageDlg: answered by the responder, or run as a real modal form whose buttons follow the default and
// cancel rules.
#include "classlib/win/dialogs.h"

#include <gtest/gtest.h>

#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/stdctrls.h"

namespace {

using namespace cl;

TEST(MessageDlg, TheResponderAnswersWithTitleAndButtons) {
  test::Responder responder;
  responder.OnMessageDlg = [](const test::MessageDlgCall&) -> std::optional<int> { return mrRetry; };
  EXPECT_EQ(MessageDlg("Cannot delete the file.", mtError, {mbAbort, mbRetry}, 0), mrRetry);
  ASSERT_EQ(responder.MessageDlgs.size(), 1u);
  EXPECT_EQ(responder.MessageDlgs[0].Caption, "Error");
  EXPECT_EQ(responder.MessageDlgs[0].Buttons, (TMsgDlgButtons{mbAbort, mbRetry}).Mask());
}

TEST(MessageDlg, FormHasTheButtonsInOrderWithDefaultAndCancel) {
  TForm* form = CreateMessageDialog("Overwrite?", mtConfirmation, {mbYes, mbNo, mbCancel});
  EXPECT_EQ(form->Caption(), "Confirm");
  std::vector<std::string> captions;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    if (auto* button = dynamic_cast<TButton*>(form->Components(i))) {
      captions.push_back(button->Caption() + (button->Default() ? " default" : "") +
                         (button->Cancel() ? " cancel" : ""));
    }
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"&Yes default", "&No", "Cancel cancel"}));
  Free(form);

  // Abort and Retry: Enter gives the first, Esc the last.
  form = CreateMessageDialog("Drive not ready", mtError, {mbAbort, mbRetry});
  auto* abort = dynamic_cast<TButton*>(form->Components(1));
  auto* retry = dynamic_cast<TButton*>(form->Components(2));
  EXPECT_TRUE(abort->Default());
  EXPECT_TRUE(retry->Cancel());
  Free(form);
}

TEST(MessageDlg, RunsAsAModalFormWhenTheResponderLetsIt) {
  test::Responder responder;
  responder.OnMessageDlg = [](const test::MessageDlgCall&) -> std::optional<int> { return std::nullopt; };
  responder.OnModal = [](TForm& form) {
    return seam::ModalAnswer::RunScript([&form] {
      // Esc presses the No button of a Yes/No dialog.
      for (int i = 0; i < form.ComponentCount(); ++i) {
        if (auto* button = dynamic_cast<TButton*>(form.Components(i)); button && button->Cancel()) {
          PostMessageA(button->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        }
      }
    });
  };
  EXPECT_EQ(MessageDlg("Save changes?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
  EXPECT_EQ(responder.ModalForms.size(), 1u);
}

}  // namespace
