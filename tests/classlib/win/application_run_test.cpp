// The application loop as a program runs it: an exception in a window procedure is reported and Run goes on.
#include "classlib/win/application.h"

#include <gtest/gtest.h>

#include "classlib/test/responder.h"
#include "classlib/win/util_window.h"

namespace {

TEST(ApplicationRun, WindowProcedureExceptionIsReportedAndTheLoopGoesOn) {
  cl::test::Responder responder;
  responder.OnShowException = [](const std::string&) {};
  std::vector<UINT> seen;
  HWND wnd = cl::AllocateHWnd([&](cl::TMessage& m) {
    if (m.Msg < WM_USER) {
      m.Result = DefWindowProcA(nullptr, m.Msg, m.WParam, m.LParam);
      return;
    }
    seen.push_back(m.Msg);
    if (m.Msg == WM_USER) throw cl::EInvalidOperation("Invalid image size");
    if (m.Msg == WM_USER + 2) cl::Application->Terminate();
  });
  PostMessageA(wnd, WM_USER, 0, 0);
  PostMessageA(wnd, WM_USER + 1, 0, 0);
  PostMessageA(wnd, WM_USER + 2, 0, 0);
  cl::Application->Run();
  EXPECT_TRUE(cl::Application->Terminated());
  EXPECT_EQ(seen, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_USER + 2}));
  EXPECT_EQ(responder.Exceptions, std::vector<std::string>{"Invalid image size"});
  cl::DeallocateHWnd(wnd);
}

TEST(ApplicationRun, RunAfterTerminateReturnsAtOnce) {
  cl::test::Responder responder;
  cl::Application->Terminate();
  cl::Application->Run();
  EXPECT_TRUE(cl::Application->Terminated());
}

}  // namespace
