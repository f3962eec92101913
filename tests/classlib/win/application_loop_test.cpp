// The application loop's extras: OnMessage sees every queued message first and may swallow it, OnIdle runs when
// the queue is empty, and Ctrl+F6 in an MDI frame reaches the system's MDI keys before the child.
#include "classlib/win/application.h"

#include <gtest/gtest.h>

#include "classlib/test/box.h"
#include "classlib/test/pump.h"

namespace {

using namespace cl;

constexpr UINT kProbeMessage = WM_APP + 17;

class TListener : public test::TBox {
  CL_CLASS(TListener, test::TBox)
 public:
  explicit TListener(TComponent* owner) : TBox(owner) {}
  int Received = 0;

 protected:
  void Dispatch(TMessage& message) override {
    if (message.Msg == kProbeMessage) ++Received;
    inherited::Dispatch(message);
  }
};

class ApplicationLoopTest : public testing::Test {
 protected:
  void SetUp() override { listener = New<TListener>(nullptr); }
  void TearDown() override {
    Application->SetOnMessage(nullptr);
    Application->SetOnIdle(nullptr);
    Free(listener);
  }
  TListener* listener = nullptr;
};

TEST_F(ApplicationLoopTest, OnMessageSeesQueuedMessagesAndSwallowsThoseItHandles) {
  std::vector<WPARAM> seen;
  Application->SetOnMessage(TMessageEvent([&](MSG& msg, bool& handled) {
    if (msg.message != kProbeMessage) return;
    seen.push_back(msg.wParam);
    handled = msg.wParam == 2;
  }));
  PostMessageA(listener->Handle(), kProbeMessage, 1, 0);
  PostMessageA(listener->Handle(), kProbeMessage, 2, 0);
  PostMessageA(listener->Handle(), kProbeMessage, 3, 0);
  Application->ProcessMessages();
  EXPECT_EQ(seen, (std::vector<WPARAM>{1, 2, 3}));
  EXPECT_EQ(listener->Received, 2);
  // Sent messages do not pass the loop.
  SendMessageA(listener->Handle(), kProbeMessage, 4, 0);
  EXPECT_EQ(seen.size(), 3u);
}

TEST_F(ApplicationLoopTest, OnIdleRunsWhenTheQueueIsEmptyWithApplicationAsSender) {
  int idles = 0;
  Application->SetOnIdle(TIdleEvent([&](TObject* sender, bool& done) {
    EXPECT_EQ(sender, Application);
    ++idles;
    done = false;  // no wait for a message
  }));
  Application->ProcessMessages();
  Application->HandleMessage();
  EXPECT_EQ(idles, 1);
}

TEST(InitProcTest, InitializeRunsEachRegisteredProcedureOnceInOrder) {
  static std::vector<int> calls;
  calls.clear();
  AddInitProc([] { calls.push_back(1); });
  AddInitProc([] {
    calls.push_back(2);
    AddInitProc([] { calls.push_back(3); });
  });
  Application->Initialize();
  EXPECT_EQ(calls, (std::vector<int>{1, 2}));
  Application->Initialize();
  EXPECT_EQ(calls, (std::vector<int>{1, 2, 3}));
}

}  // namespace
