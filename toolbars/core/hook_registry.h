// The bookkeeping behind the process's one shared set of window hooks: which clients asked for which kinds of
// event, how many registrations need each of the three hooks, and when a hook must be installed or removed. The
// Win32 side (toolbars/toolbar_common) installs what this decides and hands each event to the clients it lists.
#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "classlib/core/set.h"

namespace tbr {

enum THookEventKind { hkActivateApp, hkWindowPosChanged, hkWindowDestroying, hkMouseMove };
using THookEventKinds = cl::Set<THookEventKind>;

// The three hooks in table order: call-window-procedure, CBT, get-message.
enum THookSlot { hsCallWndProc, hsCbt, hsGetMessage };
constexpr int kHookSlotCount = 3;

// Activation and moves come from the call-window-procedure hook, destruction from the CBT hook, mouse moves from
// the get-message hook.
constexpr THookSlot HookSlotOfKind(THookEventKind kind) {
  switch (kind) {
    case hkActivateApp:
    case hkWindowPosChanged:
      return hsCallWndProc;
    case hkWindowDestroying:
      return hsCbt;
    case hkMouseMove:
      break;
  }
  return hsGetMessage;
}

// The slots a kind set needs, each once.
inline std::vector<THookSlot> HookSlotsOf(THookEventKinds kinds) {
  std::vector<THookSlot> slots;
  for (THookEventKind kind : {hkActivateApp, hkWindowPosChanged, hkWindowDestroying, hkMouseMove}) {
    const THookSlot slot = HookSlotOfKind(kind);
    if (kinds.Contains(kind) && std::find(slots.begin(), slots.end(), slot) == slots.end()) slots.push_back(slot);
  }
  return slots;
}

// Puts the real hook of a slot in place or takes it away. Install answers whether the hook is now in place.
class HookInstaller {
 public:
  virtual ~HookInstaller() = default;
  virtual bool Install(THookSlot slot) = 0;
  virtual void Uninstall(THookSlot slot) = 0;
};

// Registrations of TCallback values (plain routines, compared by identity). A callback registered again only
// counts up; each removal undoes one registration.
template <class TCallback>
class HookRegistry {
 public:
  explicit HookRegistry(HookInstaller& installer) : FInstaller(installer) {}

  // Registers callback for kinds. Unless designing (a component in design mode), every hook the kinds need counts
  // one more use and is installed when it is not yet.
  void Add(TCallback callback, THookEventKinds kinds, bool designing) {
    auto record = Find(callback);
    if (record != FRecords.end()) {
      ++record->References;
      // The kinds stored first stay in force for the hooks too, so that every removal lowers exactly the counts
      // an addition raised.
      kinds = record->Kinds;
    } else {
      FRecords.push_back(Record{callback, 1, kinds});
    }
    if (designing) return;
    for (THookSlot slot : HookSlotsOf(kinds)) {
      ++FUseCounts[slot];
      if (!FInstalled[slot]) FInstalled[slot] = FInstaller.Install(slot);
    }
  }

  // Undoes one registration of callback: its record goes when no registration is left, and every hook its kinds
  // need counts one use less (never below 0) and is removed at 0. An unknown callback changes nothing.
  void Remove(TCallback callback) {
    auto record = Find(callback);
    if (record == FRecords.end()) return;
    const THookEventKinds kinds = record->Kinds;  // read before the record may go
    if (--record->References == 0) FRecords.erase(record);
    for (THookSlot slot : HookSlotsOf(kinds)) {
      if (FUseCounts[slot] > 0) --FUseCounts[slot];
      if (FUseCounts[slot] == 0 && FInstalled[slot]) {
        FInstaller.Uninstall(slot);
        FInstalled[slot] = false;
      }
    }
  }

  // The clients of kind, in registration order: a copy, so that a client may register or leave while the caller
  // walks it (the caller skips those no longer registered).
  std::vector<TCallback> ClientsOf(THookEventKind kind) const {
    std::vector<TCallback> clients;
    for (const Record& record : FRecords) {
      if (record.Kinds.Contains(kind)) clients.push_back(record.Client);
    }
    return clients;
  }

  // Calls invoke(client) for each client of kind registered when the walk began that is still registered when
  // its turn comes, so that a client registering or leaving during the walk makes no other be skipped or repeated.
  template <class Invoke>
  void Deliver(THookEventKind kind, Invoke invoke) const {
    for (TCallback client : ClientsOf(kind)) {
      if (IsRegistered(client)) invoke(client);
    }
  }

  bool IsRegistered(TCallback callback) const {
    return std::any_of(FRecords.begin(), FRecords.end(), [&](const Record& r) { return r.Client == callback; });
  }
  bool Empty() const { return FRecords.empty(); }
  int UseCount(THookSlot slot) const { return FUseCounts[slot]; }
  bool Installed(THookSlot slot) const { return FInstalled[slot]; }

  // Removes every installed hook whatever the counts say and forgets every client (the unit's end).
  void Clear() {
    for (int slot = 0; slot < kHookSlotCount; ++slot) {
      if (FInstalled[slot]) FInstaller.Uninstall(static_cast<THookSlot>(slot));
      FInstalled[slot] = false;
      FUseCounts[slot] = 0;
    }
    FRecords.clear();
  }

 private:
  struct Record {
    TCallback Client;
    int References;
    THookEventKinds Kinds;
  };

  typename std::vector<Record>::iterator Find(TCallback callback) {
    return std::find_if(FRecords.begin(), FRecords.end(), [&](const Record& r) { return r.Client == callback; });
  }

  HookInstaller& FInstaller;
  std::vector<Record> FRecords;
  std::array<int, kHookSlotCount> FUseCounts{};
  std::array<bool, kHookSlotCount> FInstalled{};
};

}  // namespace tbr
