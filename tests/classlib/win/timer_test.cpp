// TTimer with real timers: ticks on the GUI thread, stops when disabled, and may free itself in its handler.
#include "classlib/win/timer.h"

#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "classlib/test/counters.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"

namespace {

using namespace cl;

TEST(Timer, TicksOnTheGuiThreadAndStopsWhenDisabledInItsHandler) {
  auto* timer = New<TTimer>(nullptr);
  timer->SetInterval(10);
  int ticks = 0;
  DWORD thread = 0;
  timer->SetOnTimer(TNotifyEvent([&](TObject* sender) {
    thread = GetCurrentThreadId();
    if (++ticks == 3) static_cast<TTimer*>(sender)->SetEnabled(false);
  }));
  EXPECT_TRUE(test::PumpUntil([&] { return ticks == 3; }));
  test::PumpFor(60);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(thread, GetCurrentThreadId());
  Free(timer);
}

TEST(Timer, RunsOnlyWithIntervalAndHandler) {
  auto* timer = New<TTimer>(nullptr);
  int ticks = 0;
  timer->SetInterval(0);
  timer->SetOnTimer(TNotifyEvent([&](TObject*) { ++ticks; }));
  test::PumpFor(40);
  EXPECT_EQ(ticks, 0);
  timer->SetInterval(5);
  EXPECT_TRUE(test::PumpUntil([&] { return ticks > 0; }));
  Free(timer);
}

TEST(Timer, MayFreeItselfInItsHandler) {
  const int windows = test::ThreadWindowCount();
  auto* timer = New<TTimer>(nullptr);
  Weak<TTimer> weak(timer);
  int ticks = 0;
  timer->SetInterval(5);
  timer->SetOnTimer(TNotifyEvent([&](TObject* sender) {
    ++ticks;
    Free(sender);
  }));
  EXPECT_TRUE(test::PumpUntil([&] { return !weak; }));
  test::PumpFor(40);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(test::ThreadWindowCount(), windows);
}

TEST(Timer, ExceptionGoesToHandleExceptionAndTicksGoOn) {
  test::Responder responder;
  responder.OnShowException = [](const std::string&) {};
  auto* timer = New<TTimer>(nullptr);
  timer->SetInterval(5);
  int ticks = 0;
  timer->SetOnTimer(TNotifyEvent([&](TObject*) {
    if (++ticks == 1) throw Exception("tick failed");
  }));
  EXPECT_TRUE(test::PumpUntil([&] { return ticks >= 2; }));
  EXPECT_EQ(responder.Exceptions, std::vector<std::string>{"tick failed"});
  Free(timer);
}

}  // namespace
