// TApplication: exception reporting rules, guards, help requests, the application window and utility windows.
#include "classlib/win/application.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "classlib/core/paths.h"
#include "classlib/test/counters.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/command_line.h"
#include "classlib/win/guard.h"
#include "classlib/win/util_window.h"

namespace {

using cl::Application;

template <class E>
void ReportThrown(const E& exception, cl::TObject* sender = nullptr) {
  try {
    throw exception;
  } catch (...) {
    Application->HandleException(sender);
  }
}

TEST(HandleException, ShowsTheMessageUnchangedAndIgnoresAbort) {
  cl::test::Responder responder;
  responder.OnShowException = [](const std::string&) {};
  ReportThrown(cl::Exception("Cannot open file x.bmp"));
  ReportThrown(cl::EAbort());
  ReportThrown(std::runtime_error("plain failure"));
  EXPECT_EQ(responder.Exceptions, (std::vector<std::string>{"Cannot open file x.bmp", "plain failure"}));
}

TEST(HandleException, OnExceptionReplacesTheBox) {
  cl::test::Responder responder;
  cl::TObject* seenSender = nullptr;
  std::string seenMessage;
  Application->SetOnException(cl::TExceptionEvent([&](cl::TObject* sender, cl::Exception& e) {
    seenSender = sender;
    seenMessage = e.Message();
  }));
  ReportThrown(cl::EConvertError("'x' is not a valid integer value"), Application);
  Application->SetOnException(nullptr);
  EXPECT_EQ(seenSender, Application);
  EXPECT_EQ(seenMessage, "'x' is not a valid integer value");
  EXPECT_TRUE(responder.Exceptions.empty());
}

TEST(HandleException, ExceptionWhileTheBoxIsUpIsDropped) {
  cl::test::Responder responder;
  responder.OnShowException = [](const std::string&) { ReportThrown(cl::Exception("second")); };
  ReportThrown(cl::Exception("first"));
  EXPECT_EQ(responder.Exceptions, std::vector<std::string>{"first"});
  EXPECT_EQ(responder.DroppedExceptions, std::vector<std::string>{"second"});
  // The box is gone: the next exception shows again.
  ReportThrown(cl::Exception("third"));
  EXPECT_EQ(responder.Exceptions.back(), "third");
}

TEST(HandleException, MessageBoxGoesThroughTheResponderWithTheTitle) {
  cl::test::Responder responder;
  responder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDYES; };
  EXPECT_EQ(Application->MessageBox("Delete file?", "Delete File", MB_YESNOCANCEL), IDYES);
  ASSERT_EQ(responder.MessageBoxes.size(), 1u);
  EXPECT_EQ(responder.MessageBoxes[0].Caption, "Delete File");
  EXPECT_EQ(cl::test::CancelAnswer(MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(cl::test::CancelAnswer(MB_YESNO), IDNO);
  EXPECT_EQ(cl::test::CancelAnswer(MB_OK), IDOK);
}

TEST(Guards, ReportOrConvertExceptions) {
  cl::test::Responder responder;
  responder.OnShowException = [](const std::string&) {};
  cl::Guard(nullptr, [] { throw cl::Exception("in a callback"); });
  EXPECT_EQ(cl::Guard(nullptr, 7, []() -> int { throw cl::Exception("with fallback"); }), 7);
  EXPECT_EQ(cl::Guard(nullptr, 7, [] { return 3; }), 3);
  cl::GuardSilent([] { throw cl::Exception("swallowed"); });
  EXPECT_EQ(responder.Exceptions, (std::vector<std::string>{"in a callback", "with fallback"}));

  EXPECT_EQ(cl::GuardHr([] { return S_FALSE; }), S_FALSE);
  EXPECT_EQ(cl::GuardHr([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
  EXPECT_EQ(cl::GuardHr([]() -> HRESULT { throw cl::EOutOfMemory(); }), E_OUTOFMEMORY);
  EXPECT_EQ(cl::GuardHr([]() -> HRESULT { throw 1; }), E_UNEXPECTED);
}

TEST(ApplicationWindow, IsAHiddenTopLevelWindowFoundByClassAndTitle) {
  HWND wnd = Application->Handle();
  ASSERT_TRUE(IsWindow(wnd));
  EXPECT_FALSE(IsWindowVisible(wnd));
  EXPECT_EQ(GetParent(wnd), nullptr);
  const std::string programName = cl::ChangeFileExt(cl::ExtractFileName(cl::ParamStr(0)), "");
  EXPECT_EQ(Application->Title(), programName);
  EXPECT_EQ(FindWindowA("TApplication", programName.c_str()), wnd);

  Application->SetTitle("Tarnby -[C:\\]");
  EXPECT_EQ(FindWindowA("TApplication", "Tarnby -[C:\\]"), wnd);
  Application->SetTitle(programName);
  EXPECT_EQ(Application->ExeName(), cl::ParamStr(0));
}

TEST(Help, OnHelpSeesEachRequestAndMayKeepWinHelpOut) {
  std::vector<std::pair<UINT, ULONG_PTR>> requests;
  Application->SetOnHelp(cl::THelpEvent([&](UINT command, ULONG_PTR data, bool& callHelp) {
    requests.emplace_back(command, data);
    callHelp = false;
    return true;
  }));
  Application->SetHelpFile("orvane.hlp");
  EXPECT_TRUE(Application->HelpContext(42));
  EXPECT_TRUE(Application->HelpCommand(HELP_CONTEXTPOPUP, 7));
  EXPECT_EQ(requests, (std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_CONTEXT, 42}, {HELP_CONTEXTPOPUP, 7}}));
  // Without a help file and without a handler there is no help to give.
  Application->SetOnHelp(nullptr);
  Application->SetHelpFile("");
  EXPECT_FALSE(Application->HelpContext(42));
}

TEST(UtilWindow, ExceptionInTheMethodReachesTheGuardAndLaterMessagesStillArrive) {
  cl::test::Responder responder;
  responder.OnShowException = [](const std::string&) {};
  int handled = 0;
  HWND wnd = cl::AllocateHWnd([&](cl::TMessage& m) {
    if (m.Msg == WM_USER) throw cl::Exception("tick failed");
    if (m.Msg == WM_USER + 1) {
      ++handled;
      m.Result = 5;
      return;
    }
    m.Result = DefWindowProcA(nullptr, m.Msg, m.WParam, m.LParam);
  });
  EXPECT_EQ(SendMessageA(wnd, WM_USER, 0, 0), 0);
  EXPECT_EQ(SendMessageA(wnd, WM_USER + 1, 0, 0), 5);
  PostMessageA(wnd, WM_USER, 0, 0);
  PostMessageA(wnd, WM_USER + 1, 0, 0);
  EXPECT_TRUE(cl::test::PumpUntil([&] { return handled == 2; }));
  EXPECT_EQ(responder.Exceptions, (std::vector<std::string>{"tick failed", "tick failed"}));
  cl::DeallocateHWnd(wnd);
  EXPECT_FALSE(IsWindow(wnd));
}

TEST(UtilWindow, DeallocateInsideTheMethodKeepsTheCallableAliveUntilItReturns) {
  struct Witness {
    bool* destroyed;
    ~Witness() { *destroyed = true; }
  };
  bool destroyed = false;
  bool aliveAfterDeallocate = false;
  const int windowsBefore = cl::test::ThreadWindowCount();
  std::shared_ptr<Witness> witness(new Witness{&destroyed});
  HWND wnd = nullptr;
  wnd = cl::AllocateHWnd([&, witness](cl::TMessage& m) {
    if (m.Msg == WM_USER) {
      cl::DeallocateHWnd(wnd);
      aliveAfterDeallocate = !destroyed && witness->destroyed == &destroyed;
    }
  });
  witness.reset();
  EXPECT_EQ(cl::test::ThreadWindowCount(), windowsBefore + 1);
  SendMessageA(wnd, WM_USER, 0, 0);
  EXPECT_TRUE(aliveAfterDeallocate);
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(cl::test::ThreadWindowCount(), windowsBefore);
}

}  // namespace
