// The multimedia timer and the window-timer pool with real ticks: both deliver on the GUI thread, stop as the
// components say, and the application object lends numbered timers. Counts have wide margins: ticks come late on
// a busy machine.
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/core/exceptions.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "controls/ctl_application.h"
#include "controls/hi_timer.h"
#include "controls/timer_pool.h"

namespace {

using namespace ctl;

class TimersTest : public testing::Test {
 protected:
  void SetUp() override { InitControlLibrary(); }
};

TEST_F(TimersTest, MultimediaTicksArriveOnTheGuiThread) {
  cl::Owned<TCtlHiTimer> timer = cl::MakeOwned<TCtlHiTimer>(nullptr);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000);
  int ticks = 0;
  bool foreignThread = false;
  timer->SetInterval(20);
  timer->SetOnTimer(cl::TNotifyEvent([&](cl::TObject* sender) {
    ++ticks;
    foreignThread |= GetCurrentThreadId() != GetWindowThreadProcessId(cl::Application->Handle(), nullptr);
    EXPECT_EQ(sender, timer.get());
  }));
  cl::test::PumpFor(100);
  EXPECT_EQ(ticks, 0);  // not enabled yet
  timer->SetEnabled(true);
  EXPECT_TRUE(cl::test::PumpUntil([&] { return ticks >= 3; }));
  EXPECT_FALSE(foreignThread);
  timer->SetEnabled(false);
  cl::test::PumpFor(50);
  const int stopped = ticks;
  cl::test::PumpFor(150);
  EXPECT_EQ(ticks, stopped);
}

// Counts the ticks that reach the timer, whether or not it has a handler.
class TCountingTimer : public TCtlHiTimer {
  CL_CLASS(TCountingTimer, TCtlHiTimer)
 public:
  using TCtlHiTimer::TCtlHiTimer;
  int Ticks = 0;

 protected:
  void Timer() override {
    ++Ticks;
    inherited::Timer();
  }
};

TEST_F(TimersTest, MultimediaTimerNeedsAHandlerAndAFittingInterval) {
  cl::Owned<TCountingTimer> timer = cl::MakeOwned<TCountingTimer>(nullptr);
  timer->SetInterval(20);
  timer->SetEnabled(true);
  cl::test::PumpFor(100);
  EXPECT_EQ(timer->Ticks, 0) << "without a handler the timer does not run";
  timer->SetOnTimer(cl::TNotifyEvent([](cl::TObject*) {}));
  EXPECT_TRUE(cl::test::PumpUntil([&] { return timer->Ticks > 0; }));
  timer->SetInterval(0);  // outside the device's range
  EXPECT_EQ(timer->Interval(), 1000);
}

TEST_F(TimersTest, MultimediaTickThatRaisesStopsUntilRestarted) {
  cl::test::Responder responder;
  responder.OnShowException = [](const std::string&) {};
  cl::Owned<TCtlHiTimer> timer = cl::MakeOwned<TCtlHiTimer>(nullptr);
  int ticks = 0;
  timer->SetInterval(10);
  timer->SetOnTimer(cl::TNotifyEvent([&](cl::TObject*) {
    ++ticks;
    throw cl::Exception("tick failed");
  }));
  timer->SetEnabled(true);
  EXPECT_TRUE(cl::test::PumpUntil([&] { return ticks == 1; }));
  cl::test::PumpFor(150);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(responder.Exceptions, std::vector<std::string>{"tick failed"});
  timer->SetEnabled(true);
  EXPECT_TRUE(cl::test::PumpUntil([&] { return ticks == 2; }));
  timer->SetEnabled(false);
}

TEST_F(TimersTest, PoolTicksOnItsWindowTimerAndStopsWithItsLastTimer) {
  cl::Owned<TCtlTimerPool> pool = cl::MakeOwned<TCtlTimerPool>(nullptr, 50);
  int ticks = 0;
  pool->AddTimer(1, 100, cl::TNotifyEvent([&](cl::TObject* sender) {
                   ++ticks;
                   EXPECT_EQ(sender, pool.get());
                 }));
  EXPECT_TRUE(cl::test::PumpUntil([&] { return ticks >= 2; }));
  pool->RemoveTimer(1);
  EXPECT_FALSE(pool->Running());
  const int stopped = ticks;
  cl::test::PumpFor(250);
  EXPECT_EQ(ticks, stopped);
}

TEST_F(TimersTest, ApplicationLendsNumberedTimersOfItsPool) {
  TCtlTimerPool* pool = CtlApplication->TimerPool();
  ASSERT_NE(pool, nullptr);
  EXPECT_EQ(pool->MinInterval(), 50);
  int ticks = 0;
  const uint16_t first = CtlApplication->AddTimer(100, cl::TNotifyEvent([&](cl::TObject*) { ++ticks; }));
  const uint16_t second = CtlApplication->AddTimer(300, nullptr);
  EXPECT_EQ(first, 0xFD01);
  EXPECT_EQ(second, 0xFD02);
  EXPECT_EQ(CtlApplication->GetTimer(second)->Interval(), 300);
  EXPECT_TRUE(cl::test::PumpUntil([&] { return ticks >= 2; }));
  EXPECT_THROW(CtlApplication->AddTimer(75, nullptr), cl::Exception);
  CtlApplication->RemoveTimer(first);
  EXPECT_EQ(CtlApplication->GetTimer(first), nullptr);
  EXPECT_EQ(CtlApplication->AddTimer(50, nullptr), 0xFD01);
  CtlApplication->RemoveTimer(5);
  CtlApplication->RemoveTimer(0xFD01);
  CtlApplication->RemoveTimer(second);
  EXPECT_EQ(pool->Count(), 0);
  EXPECT_FALSE(pool->Running());
}

}  // namespace
