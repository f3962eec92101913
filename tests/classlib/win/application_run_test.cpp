// The application loop as a program runs it: Run shows the main form, an exception in a window procedure is
// reported and the loop goes on, and closing the main form ends Run.
#include "classlib/win/application.h"

#include <gtest/gtest.h>

#include "classlib/test/responder.h"
#include "classlib/win/forms.h"
#include "classlib/win/util_window.h"

namespace {

class TMainForm : public cl::TForm {
  CL_CLASS(TMainForm, cl::TForm)
 public:
  explicit TMainForm(cl::TComponent* owner) : TForm(owner) {}
};

TMainForm* MainForm = nullptr;

TEST(ApplicationRun, WindowProcedureExceptionIsReportedAndClosingTheMainFormEndsTheLoop) {
  cl::test::Responder responder;
  responder.OnShowException = [](const std::string&) {};
  cl::Application->CreateForm(MainForm);
  EXPECT_FALSE(MainForm->Visible());
  std::vector<UINT> seen;
  bool mainFormShown = false;
  HWND wnd = cl::AllocateHWnd([&](cl::TMessage& m) {
    if (m.Msg < WM_USER) {
      m.Result = DefWindowProcA(nullptr, m.Msg, m.WParam, m.LParam);
      return;
    }
    seen.push_back(m.Msg);
    if (m.Msg == WM_USER) throw cl::EInvalidOperation("Invalid image size");
    if (m.Msg == WM_USER + 2) {
      mainFormShown = IsWindowVisible(MainForm->Handle()) != 0;
      MainForm->Close();
    }
  });
  PostMessageA(wnd, WM_USER, 0, 0);
  PostMessageA(wnd, WM_USER + 1, 0, 0);
  PostMessageA(wnd, WM_USER + 2, 0, 0);
  cl::Application->Run();
  EXPECT_TRUE(cl::Application->Terminated());
  EXPECT_TRUE(mainFormShown);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_USER + 2}));
  EXPECT_EQ(responder.Exceptions, std::vector<std::string>{"Invalid image size"});
  cl::DeallocateHWnd(wnd);
}

}  // namespace
