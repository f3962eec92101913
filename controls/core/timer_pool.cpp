#include "controls/core/timer_pool.h"

#include <algorithm>
#include <climits>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"

namespace ctl {
namespace {

constexpr uint16_t kDefaultItemInterval = 1000;

// Counters run up to the largest Integer and wrap to 0.
int32_t NextCount(int32_t counter) {
  return counter == INT32_MAX ? 0 : counter + 1;
}

}  // namespace

TCtlTimerItem::TCtlTimerItem(TCtlCustomTimerPool* pool, uint16_t ident, std::vector<TCtlTimerItem*>* list)
    : FIdent(ident), FList(list), FPool(pool) {
  if (!pool || !list) throw cl::EInvalidOperation(ClassName() + ": Invalid Owner or List");
  FDivisor = kDefaultItemInterval / pool->MinInterval();
}

void TCtlTimerItem::BeforeDestruction() {
  FEnabled = false;
  FOnTimer = nullptr;
  std::erase(*FList, this);
  inherited::BeforeDestruction();
}

void TCtlTimerItem::SetEnabled(bool enabled) {
  if (enabled == FEnabled || (enabled && FCallCount == 0)) return;
  FEnabled = enabled;
  FCounter = 0;
}

void TCtlTimerItem::SetInterval(uint16_t interval) {
  const uint16_t base = FPool->MinInterval();
  if (interval == 0) interval = base;
  if (interval == FInterval || interval % base != 0) return;
  FInterval = interval;
  FDivisor = interval / base;
  FCounter = 0;
}

void TCtlTimerItem::Fire() {
  if (!FEnabled) return;
  FCounter = NextCount(FCounter);
  if (FCounter == FCallCount) FEnabled = false;
  if (FOnTimer) {
    FOnTimer(FPool);
  } else if (FPool->OnTimer()) {
    FPool->OnTimer()(FPool, FIdent, FCounter);
  }
}

TCtlCustomTimerPool::TCtlCustomTimerPool(cl::TComponent* owner, uint16_t minInterval)
    : TCtlComponent(owner), FMinInterval(std::clamp(minInterval, kMinIntervalLow, kMinIntervalHigh)) {}

void TCtlCustomTimerPool::BeforeDestruction() {
  UpdateTimer(false);
  while (!FItems.empty()) cl::Free(FItems.back());
  inherited::BeforeDestruction();
}

void TCtlCustomTimerPool::SetMinInterval(uint16_t interval) {
  if (ComponentState().Contains(cl::csLoading)) FMinInterval = std::clamp(interval, kMinIntervalLow, kMinIntervalHigh);
}

int TCtlCustomTimerPool::EnabledCount() const {
  return static_cast<int>(std::count_if(FItems.begin(), FItems.end(), [](TCtlTimerItem* i) { return i->Enabled(); }));
}

void TCtlCustomTimerPool::UpdateTimer(bool run) {
  FRunning = false;
  StopTicks();
  if (run && EnabledCount() > 0) {
    StartTicks(FMinInterval);
    FTickCounter = 1;
    FRunning = true;
  }
}

int TCtlCustomTimerPool::AddTimer(uint16_t ident, uint16_t interval, const cl::TNotifyEvent& handler) {
  const int existing = IndexOfTimer(ident);
  if (existing >= 0) throw cl::Exception(cl::Format("List index out of bounds (%d)", {existing}));
  if (interval < FMinInterval || interval % FMinInterval != 0)
    throw cl::Exception("Interval does'nt fit to given MinInterval!");
  auto* item = cl::New<TCtlTimerItem>(this, ident, &FItems);
  FItems.push_back(item);
  item->SetInterval(interval);
  item->SetOnTimer(handler);
  UpdateTimer(true);
  return static_cast<int>(FItems.size()) - 1;
}

void TCtlCustomTimerPool::RemoveTimer(uint16_t ident) {
  // Ticks wait meanwhile; a removal from inside a tick leaves the tick's own guard as it was.
  const bool wasBusy = FBusy;
  FBusy = true;
  try {
    const int index = IndexOfTimer(ident);
    if (index < 0) throw cl::EListError(cl::Format("List index out of bounds (%d)", {index}));
    TCtlTimerItem* item = FItems[static_cast<size_t>(index)];
    item->SetEnabled(false);
    item->SetOnTimer(nullptr);
    cl::Free(item);
    if (FItems.empty()) UpdateTimer(false);
  } catch (...) {
    FBusy = wasBusy;
    throw;
  }
  FBusy = wasBusy;
}

TCtlTimerItem* TCtlCustomTimerPool::GetTimer(uint16_t ident) const {
  const int index = IndexOfTimer(ident);
  return index < 0 ? nullptr : FItems[static_cast<size_t>(index)];
}

int TCtlCustomTimerPool::IndexOfTimer(uint16_t ident) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (FItems[i]->Ident() == ident) return static_cast<int>(i);
  }
  return -1;
}

void TCtlCustomTimerPool::TimerTick() {
  if (FBusy) return;
  FBusy = true;
  Tick();  // an exception leaves the pool busy, and nothing clears it: its ticks stop for good
  FBusy = false;
}

void TCtlCustomTimerPool::Tick() {
  if (FPaused) return;
  // The items of this tick, taken before any handler runs: one that a handler removes is skipped, one it adds
  // waits for the next tick, and every other fires exactly once.
  std::vector<cl::Weak<TCtlTimerItem>> due;
  due.reserve(FItems.size());
  for (TCtlTimerItem* item : FItems) due.emplace_back(item);
  for (const cl::Weak<TCtlTimerItem>& weak : due) {
    TCtlTimerItem* item = weak.get();
    if (!item || !item->Enabled()) continue;
    if (FTickCounter % std::max(item->Divisor(), 1) == 0) item->Fire();
  }
  FTickCounter = NextCount(FTickCounter);
}

uint16_t TCtlTimerSlots::AddTimer(TCtlCustomTimerPool& pool, uint16_t interval, const cl::TNotifyEvent& handler) {
  for (int slot = 1; slot <= kSlots; ++slot) {
    if (FTaken[slot]) continue;
    const auto ident = static_cast<uint16_t>(kFirstIdent + slot);
    if (pool.AddTimer(ident, interval, handler) < 0) return 0;
    FTaken[slot] = true;
    return ident;
  }
  return 0;
}

void TCtlTimerSlots::RemoveTimer(TCtlCustomTimerPool& pool, uint16_t ident) {
  if (!Taken(ident)) return;
  FTaken[ident - kFirstIdent] = false;
  pool.RemoveTimer(ident);
}

bool TCtlTimerSlots::Taken(uint16_t ident) const {
  return ident > kFirstIdent && ident <= kFirstIdent + kSlots && FTaken[ident - kFirstIdent];
}

uint16_t HiTimerInterval(uint16_t requested, uint32_t minimumPeriod, uint32_t maximumPeriod) {
  constexpr uint16_t kFallback = 1000;
  return requested < minimumPeriod || requested > maximumPeriod ? kFallback : requested;
}

}  // namespace ctl
