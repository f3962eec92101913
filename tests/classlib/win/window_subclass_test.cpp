// Window subclass hooks: messages reach the hooks newest first, any removal order keeps the chain, a hook goes
// with its window, and a failing handler still lets the window have its message.
#include "classlib/win/window_subclass.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/test/responder.h"

namespace {

using cl::TMessage;
using cl::TWindowSubclass;

constexpr UINT kProbe = WM_APP + 7;

class WindowSubclassTest : public testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
  }
  // A hook that notes its name and passes kProbe on, adding its mark to the answer.
  TWindowSubclass::THandler Recorder(TWindowSubclass& hook, const std::string& name, LRESULT mark) {
    return [this, &hook, name, mark](TMessage& m) {
      if (m.Msg == kProbe) calls.push_back(name);
      hook.CallPrevious(m);
      if (m.Msg == kProbe) m.Result += mark;
    };
  }
  HWND window = nullptr;
  std::vector<std::string> calls;
};

TEST_F(WindowSubclassTest, AnyRemovalOrderKeepsTheChain) {
  for (bool firstOut : {true, false}) {
    TWindowSubclass a, b;
    ASSERT_TRUE(a.Install(window, Recorder(a, "a", 1)));
    ASSERT_TRUE(b.Install(window, Recorder(b, "b", 10)));
    calls.clear();
    EXPECT_EQ(SendMessageA(window, kProbe, 0, 0), 11);
    EXPECT_EQ(calls, (std::vector<std::string>{"b", "a"}));
    (firstOut ? a : b).Uninstall();
    calls.clear();
    EXPECT_EQ(SendMessageA(window, kProbe, 0, 0), firstOut ? 10 : 1);
    EXPECT_EQ(calls.size(), 1u);
  }
  calls.clear();
  SendMessageA(window, kProbe, 0, 0);
  EXPECT_TRUE(calls.empty());
}

TEST_F(WindowSubclassTest, AHookGoesWithItsWindow) {
  TWindowSubclass hook;
  std::vector<UINT> seen;
  hook.Install(window, [&](TMessage& m) {
    seen.push_back(m.Msg);
    hook.CallPrevious(m);
  });
  DestroyWindow(window);
  EXPECT_FALSE(hook.Installed());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
  hook.Uninstall();  // nothing left to take off
  EXPECT_FALSE(hook.Install(window, [](TMessage&) {}));
}

TEST_F(WindowSubclassTest, AFailingHandlerStillPassesTheMessageOn) {
  cl::test::Responder responder;
  int shown = 0;
  responder.OnShowException = [&](const std::string&) { ++shown; };
  TWindowSubclass inner, outer;
  inner.Install(window, Recorder(inner, "inner", 5));
  outer.Install(window, [](TMessage& m) {
    if (m.Msg == kProbe) throw std::runtime_error("handler failed");
  });
  EXPECT_EQ(SendMessageA(window, kProbe, 0, 0), 5);
  EXPECT_EQ(calls, (std::vector<std::string>{"inner"}));
  EXPECT_EQ(shown, 1);
}

}  // namespace
