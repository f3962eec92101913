// MessageDlg: answered by the responder, or run as a real modal form whose buttons follow the default and
// cancel rules, laid out so that its icon, text and buttons show whole.
#include "classlib/win/dialogs.h"

#include <gtest/gtest.h>

#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/icon.h"
#include "classlib/win/picture.h"
#include "classlib/win/stdctrls.h"

namespace {

using namespace cl;

std::vector<TButton*> Buttons(TForm* form) {
  std::vector<TButton*> buttons;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* button = dynamic_cast<TButton*>(form->Components(i))) buttons.push_back(button);
  return buttons;
}

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
  const std::vector<TButton*> buttons = Buttons(form);
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_TRUE(buttons[0]->Default());
  EXPECT_TRUE(buttons[1]->Cancel());
  Free(form);
}

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

TEST(MessageDlg, EverythingShowsWholeWithTheIconOfItsType) {
  const std::string longText(60, 'x');
  struct Case {
    TMsgDlgType Type;
    std::string Text;
    bool HasIcon;
  };
  for (const Case& c :
       {Case{mtInformation, "C:\\Pictures\\holiday.bmp-unable to load", true},
        Case{mtConfirmation, "Delete file?", true}, Case{mtWarning, "Careful", true},
        Case{mtError, longText + " " + longText + " " + longText, true}, Case{mtCustom, "Plain", false}}) {
    SCOPED_TRACE(c.Text);
    TForm* form = CreateMessageDialog(c.Text, c.Type, {mbYes, mbNo, mbCancel, mbYesToAll});
    const TRect client = form->ClientRect();
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("Message"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(Inside(label->BoundsRect(), client));
    for (TButton* button : Buttons(form)) {
      EXPECT_TRUE(Inside(button->BoundsRect(), client)) << button->Caption();
      EXPECT_GE(button->Top(), label->Top() + label->Height());
    }
    auto* image = dynamic_cast<TImage*>(form->FindComponent("Image"));
    EXPECT_EQ(image != nullptr, c.HasIcon);
    if (image) {
      EXPECT_FALSE(image->Picture()->Icon()->Empty());
      EXPECT_TRUE(Inside(image->BoundsRect(), client));
      EXPECT_GE(label->Left(), image->Left() + image->Width());
    }
    Free(form);
  }
}

TEST(MessageDlg, LongTextBreaksIntoLines) {
  const std::string word(40, 'w');
  TForm* oneLine = CreateMessageDialog(word, mtCustom, {mbOK});
  TForm* form = CreateMessageDialog(word + " " + word + " " + word + " " + word + " " + word, mtCustom, {mbOK});
  const auto label = [](TForm* dialog) { return dynamic_cast<TLabel*>(dialog->FindComponent("Message")); };
  EXPECT_LE(form->Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_GE(label(form)->Height(), 3 * label(oneLine)->Height());
  Free(form);
  Free(oneLine);
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
