// Logical timers on one base tick: the timer pool's items and scheduling, and the numbered timer slots programs
// lend to their controls. The base tick itself (a window timer) comes from the Win32 side through StartTicks and
// StopTicks.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "classlib/core/events.h"
#include "controls/core/ctl_objects.h"

namespace ctl {

class TCtlCustomTimerPool;

// Ident and counter of the pool's own event, fired for items without an event of their own.
using TCtlTimerPoolEvent = cl::Event<void(cl::TObject* Sender, uint16_t Ident, int32_t Counter)>;

// One logical timer of a pool. It removes itself from the pool's list when freed.
class TCtlTimerItem : public cl::TObject {
  CL_CLASS(TCtlTimerItem, cl::TObject)
 public:
  // Both the pool and its list are required: EInvalidOperation "<class>: Invalid Owner or List" otherwise.
  TCtlTimerItem(TCtlCustomTimerPool* pool, uint16_t ident, std::vector<TCtlTimerItem*>* list);
  void BeforeDestruction() override;

  // -1: unlimited; the item disables itself when its counter reaches the count.
  int32_t CallCount() const { return FCallCount; }
  void SetCallCount(int32_t count) { FCallCount = count; }
  int32_t Counter() const { return FCounter; }
  bool Enabled() const { return FEnabled; }
  // Taken only when disabling or when the call count is not 0; resets the counter.
  void SetEnabled(bool enabled);
  uint16_t Ident() const { return FIdent; }
  uint16_t Interval() const { return FInterval; }
  // A value that is not a multiple of the pool's MinInterval is ignored; 0 means MinInterval. Resets the counter.
  void SetInterval(uint16_t interval);
  // The number of base ticks between two firings.
  int32_t Divisor() const { return FDivisor; }
  TCtlCustomTimerPool* Pool() const { return FPool; }
  const cl::TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const cl::TNotifyEvent& handler) { FOnTimer = handler; }

 private:
  friend class TCtlCustomTimerPool;
  // Counts one firing and calls the item's event, or the pool's.
  void Fire();

  int32_t FCallCount = -1;
  int32_t FCounter = 0;
  bool FEnabled = true;
  uint16_t FIdent;
  uint16_t FInterval = 1000;
  int32_t FDivisor;
  std::vector<TCtlTimerItem*>* FList;
  TCtlCustomTimerPool* FPool;
  cl::TNotifyEvent FOnTimer;
};

// The pool: items that fire every n-th base tick of MinInterval milliseconds. The base tick runs while any item is
// enabled; a handler may add or remove timers during a tick without another item being skipped or fired twice.
class TCtlCustomTimerPool : public TCtlComponent {
  CL_CLASS(TCtlCustomTimerPool, TCtlComponent)
 public:
  static constexpr uint16_t kMinIntervalLow = 50, kMinIntervalHigh = 10000;

  // minInterval is the base tick (within 50..10000 ms); it cannot be changed once the pool runs.
  explicit TCtlCustomTimerPool(cl::TComponent* owner, uint16_t minInterval = 1000);
  void BeforeDestruction() override;

  uint16_t MinInterval() const { return FMinInterval; }
  // Taken only while loading; at run time a new value is ignored.
  void SetMinInterval(uint16_t interval);
  const TCtlTimerPoolEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const TCtlTimerPoolEvent& handler) { FOnTimer = handler; }
  bool Running() const { return FRunning; }
  bool Busy() const { return FBusy; }
  int32_t TickCounter() const { return FTickCounter; }
  int EnabledCount() const;
  int Count() const { return static_cast<int>(FItems.size()); }
  TCtlTimerItem* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }

  // Stops the base tick and, when run and an item is enabled, starts it again from tick 1.
  void UpdateTimer(bool run);
  // Adds a timer of ident and returns its index. A duplicate ident raises "List index out of bounds (%d)"; an
  // interval below MinInterval or not a multiple of it raises "Interval does'nt fit to given MinInterval!".
  int AddTimer(uint16_t ident, uint16_t interval, const cl::TNotifyEvent& handler);
  // Removes the timer of ident (EListError when there is none); the base tick stops with the last one.
  void RemoveTimer(uint16_t ident);
  // The first item of ident, or null; its index, or -1.
  TCtlTimerItem* GetTimer(uint16_t ident) const;
  int IndexOfTimer(uint16_t ident) const;

  // One base tick as the window timer delivers it: ignored while busy or paused. A handler that raises leaves the
  // pool busy for good: no restart clears it, so its timers fire no more.
  void TimerTick();

 protected:
  // The base tick: start it at the interval, stop it. The core pool has none.
  virtual void StartTicks(uint16_t interval) {}
  virtual void StopTicks() {}

 private:
  void Tick();

  uint16_t FMinInterval;
  TCtlTimerPoolEvent FOnTimer;
  bool FRunning = false;
  bool FBusy = false;
  bool FPaused = false;
  int32_t FTickCounter = 0;
  std::vector<TCtlTimerItem*> FItems;
};

// The 250 numbered timer slots of a program: slot s lends the pool's timer of identifier 0xFD00 + s.
class TCtlTimerSlots {
 public:
  static constexpr uint16_t kFirstIdent = 0xFD00;
  static constexpr int kSlots = 250;

  // Takes the lowest free slot for a new timer of the pool and returns its identifier; 0 when every slot is taken
  // or the pool refuses with -1. The pool's errors (an interval that does not fit) leave the slot free and pass on.
  uint16_t AddTimer(TCtlCustomTimerPool& pool, uint16_t interval, const cl::TNotifyEvent& handler);
  // Removes the timer of a taken slot and frees the slot; other identifiers are ignored.
  void RemoveTimer(TCtlCustomTimerPool& pool, uint16_t ident);
  bool Taken(uint16_t ident) const;

 private:
  std::array<bool, kSlots + 1> FTaken{};  // index 0 unused
};

// The multimedia timer's interval rule: a value outside the device's period range becomes 1000.
uint16_t HiTimerInterval(uint16_t requested, uint32_t minimumPeriod, uint32_t maximumPeriod);

}  // namespace ctl
