// A program that terminates before Run (a second instance, say) never shows its main form.
#include "classlib/win/application.h"

#include <gtest/gtest.h>

#include "classlib/win/forms.h"

namespace {

class TMainForm : public cl::TForm {
  CL_CLASS(TMainForm, cl::TForm)
 public:
  explicit TMainForm(cl::TComponent* owner) : TForm(owner) {}
};

TMainForm* MainForm = nullptr;

TEST(ApplicationTerminate, TerminateBeforeRunShowsNothing) {
  cl::Application->CreateForm(MainForm);
  int shows = 0;
  MainForm->SetOnShow(cl::TNotifyEvent([&](cl::TObject*) { ++shows; }));
  cl::Application->Terminate();
  EXPECT_TRUE(cl::Application->Terminated());
  cl::Application->Run();
  EXPECT_EQ(shows, 0);
  EXPECT_FALSE(MainForm->Visible());
}

}  // namespace
