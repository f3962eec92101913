// The timer pool's scheduling on a base tick driven by the test, its items, and the numbered timer slots.
#include "controls/core/timer_pool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace ctl;
using testing::ElementsAre;

// A pool whose base tick is the test's: it records starts and stops.
class TTestPool : public TCtlCustomTimerPool {
  CL_CLASS(TTestPool, TCtlCustomTimerPool)
 public:
  explicit TTestPool(uint16_t minInterval = 50) : TCtlCustomTimerPool(nullptr, minInterval) {}
  std::vector<int> Starts;
  int Stops = 0;

 protected:
  void StartTicks(uint16_t interval) override { Starts.push_back(interval); }
  void StopTicks() override { ++Stops; }
};

class TimerPool : public testing::Test {
 protected:
  // The ticks (1-based) at which each firing happened, per identifier.
  cl::TNotifyEvent Recorder(uint16_t ident) {
    return cl::TNotifyEvent([this, ident](cl::TObject*) { fired.emplace_back(ident, pool->TickCounter()); });
  }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) pool->TimerTick();
  }
  cl::Owned<TTestPool> pool = cl::MakeOwned<TTestPool>();
  std::vector<std::pair<uint16_t, int>> fired;
};

TEST_F(TimerPool, ItemsFireOnEveryNthTick) {
  pool->AddTimer(1, 150, Recorder(1));
  pool->AddTimer(2, 50, Recorder(2));
  EXPECT_THAT(pool->Starts, ElementsAre(50, 50));
  EXPECT_TRUE(pool->Running());
  Ticks(6);
  std::vector<int> ticksOf1;
  for (auto [ident, tick] : fired)
    if (ident == 1) ticksOf1.push_back(tick);
  EXPECT_THAT(ticksOf1, ElementsAre(3, 6));
  EXPECT_EQ(fired.size(), 8u);
}

TEST_F(TimerPool, CallCountDisablesAfterItsFirings) {
  pool->AddTimer(1, 100, Recorder(1));
  pool->GetTimer(1)->SetCallCount(2);
  Ticks(10);
  EXPECT_EQ(fired.size(), 2u);
  EXPECT_FALSE(pool->GetTimer(1)->Enabled());
  EXPECT_EQ(pool->EnabledCount(), 0);
  // Enabling again is refused once the count is 0, taken otherwise with the counter reset.
  TCtlTimerItem* item = pool->GetTimer(1);
  item->SetCallCount(0);
  item->SetEnabled(true);
  EXPECT_FALSE(item->Enabled());
  item->SetCallCount(-1);
  item->SetEnabled(true);
  EXPECT_TRUE(item->Enabled());
  EXPECT_EQ(item->Counter(), 0);
}

TEST_F(TimerPool, ItemsWithoutAHandlerFireThePoolsEvent) {
  std::vector<std::pair<uint16_t, int32_t>> calls;
  pool->SetOnTimer(TCtlTimerPoolEvent(
      [&](cl::TObject* sender, uint16_t ident, int32_t counter) { calls.emplace_back(ident, counter); }));
  pool->AddTimer(7, 50, nullptr);
  Ticks(3);
  EXPECT_THAT(calls, ElementsAre(std::pair<uint16_t, int32_t>{7, 1}, std::pair<uint16_t, int32_t>{7, 2},
                                 std::pair<uint16_t, int32_t>{7, 3}));
}

TEST_F(TimerPool, AddingChecksIdentAndInterval) {
  EXPECT_EQ(pool->AddTimer(1, 100, nullptr), 0);
  EXPECT_EQ(pool->AddTimer(2, 100, nullptr), 1);
  try {
    pool->AddTimer(2, 100, nullptr);
    FAIL() << "duplicate accepted";
  } catch (const cl::Exception& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (1)");
  }
  for (uint16_t interval : {75, 25, 0}) {
    try {
      pool->AddTimer(3, interval, nullptr);
      FAIL() << interval << " accepted";
    } catch (const cl::Exception& e) {
      EXPECT_EQ(e.Message(), "Interval does'nt fit to given MinInterval!");
    }
  }
  EXPECT_EQ(pool->Count(), 2);
  EXPECT_EQ(pool->IndexOfTimer(2), 1);
  EXPECT_EQ(pool->IndexOfTimer(3), -1);
  EXPECT_EQ(pool->GetTimer(3), nullptr);
}

TEST_F(TimerPool, IntervalsOfItems) {
  pool->AddTimer(1, 200, Recorder(1));
  TCtlTimerItem* item = pool->GetTimer(1);
  EXPECT_EQ(item->Divisor(), 4);
  item->SetInterval(120);  // not a multiple of 50
  EXPECT_EQ(item->Interval(), 200);
  item->SetInterval(0);  // the base interval: every tick
  EXPECT_EQ(item->Interval(), 50);
  EXPECT_EQ(item->Divisor(), 1);
  Ticks(3);
  EXPECT_EQ(fired.size(), 3u);
}

TEST_F(TimerPool, RemovingTheLastTimerStopsTheBaseTick) {
  pool->AddTimer(1, 100, nullptr);
  pool->AddTimer(2, 100, nullptr);
  const int stops = pool->Stops;
  pool->RemoveTimer(1);
  EXPECT_TRUE(pool->Running());
  pool->RemoveTimer(2);
  EXPECT_FALSE(pool->Running());
  EXPECT_GT(pool->Stops, stops);
  EXPECT_THROW(pool->RemoveTimer(2), cl::EListError);
  EXPECT_FALSE(pool->Busy());
}

TEST_F(TimerPool, HandlersMayRemoveAndAddTimersDuringATick) {
  pool->AddTimer(1, 50, cl::TNotifyEvent([this](cl::TObject*) {
                   fired.emplace_back(1, pool->TickCounter());
                   pool->RemoveTimer(2);                // a later one: not fired this tick
                   pool->AddTimer(4, 50, Recorder(4));  // a new one: waits for the next tick
                   pool->RemoveTimer(1);                // itself
                 }));
  pool->AddTimer(2, 50, Recorder(2));
  pool->AddTimer(3, 50, Recorder(3));
  Ticks(1);
  EXPECT_THAT(fired, ElementsAre(std::pair<uint16_t, int>{1, 1}, std::pair<uint16_t, int>{3, 1}));
  EXPECT_FALSE(pool->Busy());
  Ticks(1);
  EXPECT_THAT(fired, ElementsAre(std::pair<uint16_t, int>{1, 1}, std::pair<uint16_t, int>{3, 1},
                                 std::pair<uint16_t, int>{3, 2}, std::pair<uint16_t, int>{4, 2}));
}

TEST_F(TimerPool, AHandlerThatRaisesStopsThePoolsTicksForGood) {
  pool->AddTimer(1, 50, cl::TNotifyEvent([this](cl::TObject*) {
                   fired.emplace_back(1, 0);
                   throw cl::Exception("tick failed");
                 }));
  EXPECT_THROW(Ticks(1), cl::Exception);
  EXPECT_TRUE(pool->Busy());
  Ticks(3);
  // Neither a restart of the base tick nor a new timer clears it.
  pool->UpdateTimer(true);
  pool->AddTimer(2, 50, cl::TNotifyEvent([this](cl::TObject*) { fired.emplace_back(2, 0); }));
  Ticks(3);
  EXPECT_TRUE(pool->Busy());
  EXPECT_EQ(fired.size(), 1u);
}

TEST_F(TimerPool, BaseIntervalIsFixedAtRunTimeAndClamped) {
  pool->SetMinInterval(200);
  EXPECT_EQ(pool->MinInterval(), 50);
  EXPECT_EQ(TTestPool(10).MinInterval(), 50);
  EXPECT_EQ(TTestPool(20000).MinInterval(), 10000);
}

TEST_F(TimerPool, ItemsNeedAPoolAndAList) {
  std::vector<TCtlTimerItem*> list;
  try {
    cl::New<TCtlTimerItem>(nullptr, uint16_t{1}, &list);
    FAIL() << "made without a pool";
  } catch (const cl::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "TCtlTimerItem: Invalid Owner or List");
  }
  EXPECT_THROW(cl::New<TCtlTimerItem>(pool.get(), uint16_t{1}, nullptr), cl::EInvalidOperation);
}

TEST(TimerSlots, LendTheLowestFreeSlot) {
  cl::Owned<TTestPool> pool = cl::MakeOwned<TTestPool>();
  TCtlTimerSlots slots;
  EXPECT_EQ(slots.AddTimer(*pool, 100, nullptr), 0xFD01);
  EXPECT_EQ(slots.AddTimer(*pool, 300, nullptr), 0xFD02);
  slots.RemoveTimer(*pool, 0xFD01);
  EXPECT_EQ(pool->GetTimer(0xFD01), nullptr);
  EXPECT_EQ(slots.AddTimer(*pool, 100, nullptr), 0xFD01);
  // A refused interval leaves the slot free.
  EXPECT_THROW(slots.AddTimer(*pool, 75, nullptr), cl::Exception);
  EXPECT_FALSE(slots.Taken(0xFD03));
  // Identifiers that are not lent are ignored.
  slots.RemoveTimer(*pool, 5);
  slots.RemoveTimer(*pool, 0xFD00 + 251);
  EXPECT_EQ(pool->Count(), 2);
}

TEST(TimerSlots, AFullTableAnswersZero) {
  cl::Owned<TTestPool> pool = cl::MakeOwned<TTestPool>();
  TCtlTimerSlots slots;
  for (int i = 1; i <= 250; ++i) ASSERT_EQ(slots.AddTimer(*pool, 50, nullptr), 0xFD00 + i);
  EXPECT_EQ(slots.AddTimer(*pool, 50, nullptr), 0);
  EXPECT_EQ(pool->Count(), 250);
}

TEST(HiTimerInterval, OutsideTheDeviceRangeBecomesOneSecond) {
  EXPECT_EQ(HiTimerInterval(500, 1, 65535), 500);
  EXPECT_EQ(HiTimerInterval(0, 1, 65535), 1000);
  EXPECT_EQ(HiTimerInterval(5, 10, 100), 1000);
  EXPECT_EQ(HiTimerInterval(101, 10, 100), 1000);
}

}  // namespace
