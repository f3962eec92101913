// The bookkeeping of the shared window hooks and the layouts' list sort.
#include "toolbars/core/hook_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "toolbars/core/list_sort.h"

namespace tbr {
namespace {

using Callback = void (*)();
void First() {}
void Second() {}
void Third() {}

class FakeInstaller : public HookInstaller {
 public:
  bool Install(THookSlot slot) override {
    Log.push_back("+" + std::to_string(slot));
    return !Failing;
  }
  void Uninstall(THookSlot slot) override { Log.push_back("-" + std::to_string(slot)); }
  std::vector<std::string> Log;
  bool Failing = false;
};

class HookRegistryTest : public testing::Test {
 protected:
  FakeInstaller installer;
  HookRegistry<Callback> registry{installer};
  const THookEventKinds toolWindowKinds{hkActivateApp, hkWindowPosChanged, hkWindowDestroying};
};

TEST_F(HookRegistryTest, ACallbackRegisteredTwiceStaysUntilRemovedTwice) {
  registry.Add(First, toolWindowKinds, false);
  registry.Add(First, toolWindowKinds, false);
  EXPECT_EQ(installer.Log, (std::vector<std::string>{"+0", "+1"}));
  registry.Remove(First);
  EXPECT_TRUE(registry.IsRegistered(First));
  EXPECT_EQ(registry.UseCount(hsCallWndProc), 1);
  EXPECT_EQ(registry.UseCount(hsCbt), 1);
  EXPECT_TRUE(registry.Installed(hsCallWndProc));
  registry.Remove(First);
  EXPECT_TRUE(registry.Empty());
  EXPECT_EQ(installer.Log, (std::vector<std::string>{"+0", "+1", "-0", "-1"}));
}

TEST_F(HookRegistryTest, KindsOfOneHookRaiseItsCountOnce) {
  registry.Add(First, {hkActivateApp, hkWindowPosChanged}, false);
  EXPECT_EQ(registry.UseCount(hsCallWndProc), 1);
  EXPECT_EQ(registry.UseCount(hsCbt), 0);
  registry.Add(Second, {hkActivateApp, hkMouseMove}, false);
  EXPECT_EQ(registry.UseCount(hsCallWndProc), 2);
  EXPECT_EQ(registry.UseCount(hsGetMessage), 1);
  registry.Remove(First);
  EXPECT_TRUE(registry.Installed(hsCallWndProc));
  registry.Remove(Second);
  EXPECT_FALSE(registry.Installed(hsCallWndProc));
  EXPECT_FALSE(registry.Installed(hsGetMessage));
}

TEST_F(HookRegistryTest, ADesignRegistrationInstallsNothingAndItsRemovalLowersNothingBelowZero) {
  registry.Add(First, toolWindowKinds, true);
  EXPECT_TRUE(registry.IsRegistered(First));
  EXPECT_TRUE(installer.Log.empty());
  registry.Add(Second, {hkActivateApp}, false);
  registry.Remove(First);  // lowers the call-window-procedure count that Second raised
  EXPECT_EQ(registry.UseCount(hsCallWndProc), 0);
  EXPECT_EQ(registry.UseCount(hsCbt), 0);
  registry.Remove(Second);
  EXPECT_EQ(registry.UseCount(hsCallWndProc), 0);
}

TEST_F(HookRegistryTest, RemovingAnUnknownCallbackChangesNothing) {
  registry.Add(First, {hkMouseMove}, false);
  registry.Remove(Second);
  EXPECT_TRUE(registry.IsRegistered(First));
  EXPECT_EQ(registry.UseCount(hsGetMessage), 1);
  EXPECT_EQ(installer.Log, (std::vector<std::string>{"+2"}));
}

TEST_F(HookRegistryTest, AgainRegisteredWithOtherKindsKeepsTheFirstKindsForCountsAndEvents) {
  registry.Add(First, {hkMouseMove}, false);
  registry.Add(First, {hkWindowDestroying}, false);
  EXPECT_EQ(registry.UseCount(hsGetMessage), 2);
  EXPECT_EQ(registry.UseCount(hsCbt), 0);
  EXPECT_TRUE(registry.ClientsOf(hkWindowDestroying).empty());
  registry.Remove(First);
  registry.Remove(First);
  EXPECT_FALSE(registry.Installed(hsGetMessage));
}

TEST_F(HookRegistryTest, AHookThatFailedToInstallIsTriedAgainByTheNextRegistration) {
  installer.Failing = true;
  registry.Add(First, {hkMouseMove}, false);
  EXPECT_FALSE(registry.Installed(hsGetMessage));
  installer.Failing = false;
  registry.Add(Second, {hkMouseMove}, false);
  EXPECT_TRUE(registry.Installed(hsGetMessage));
  registry.Remove(First);
  registry.Remove(Second);
  EXPECT_EQ(installer.Log, (std::vector<std::string>{"+2", "+2", "-2"}));
}

TEST_F(HookRegistryTest, ClearRemovesEveryHookWhateverTheCounts) {
  registry.Add(First, toolWindowKinds, false);
  registry.Add(Second, {hkMouseMove}, false);
  registry.Clear();
  EXPECT_TRUE(registry.Empty());
  EXPECT_EQ(installer.Log, (std::vector<std::string>{"+0", "+1", "+2", "-0", "-1", "-2"}));
  EXPECT_EQ(registry.UseCount(hsGetMessage), 0);
}

TEST_F(HookRegistryTest, DeliveryWalksTheClientsOfAKindInRegistrationOrder) {
  registry.Add(First, {hkMouseMove}, false);
  registry.Add(Second, {hkActivateApp}, false);
  registry.Add(Third, {hkMouseMove, hkActivateApp}, false);
  std::vector<Callback> called;
  registry.Deliver(hkMouseMove, [&](Callback c) { called.push_back(c); });
  EXPECT_EQ(called, (std::vector<Callback>{First, Third}));
}

TEST_F(HookRegistryTest, ClientsJoiningOrLeavingDuringDeliveryMakeNoneSkippedOrRepeated) {
  registry.Add(First, {hkMouseMove}, false);
  registry.Add(Second, {hkMouseMove}, false);
  registry.Add(Third, {hkMouseMove}, false);
  std::vector<Callback> called;
  registry.Deliver(hkMouseMove, [&](Callback c) {
    called.push_back(c);
    if (c == First) {
      registry.Remove(First);                      // itself, before the others' turn
      registry.Remove(Second);                     // a later one: not called any more
      registry.Add(Second, {hkMouseMove}, false);  // back at the end of the list
    }
  });
  EXPECT_EQ(called, (std::vector<Callback>{First, Second, Third}));
  called.clear();
  registry.Deliver(hkMouseMove, [&](Callback c) {
    called.push_back(c);
    if (c == Second) registry.Remove(Third);  // the last one removes one already called
  });
  EXPECT_EQ(called, (std::vector<Callback>{Third, Second}));
}

struct Item {
  int Key;
  char Name;
};

std::string Names(const std::vector<Item>& items) {
  std::string names;
  for (const Item& item : items) names += item.Name;
  return names;
}

int CompareKeys(const Item& a, const Item& b) {
  return a.Key < b.Key ? -1 : (a.Key > b.Key ? 1 : 0);
}

TEST(SortListWithContextTest, OrdersEqualItemsAsTheQuicksortLeavesThem) {
  // Traced by hand: the middle item is the pivot, and exchanges move equal items past each other.
  std::vector<Item> items{{2, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}};
  SortListWithContext(items, CompareKeys);
  EXPECT_EQ(Names(items), "dbac");
  std::vector<Item> single{{5, 'x'}};
  SortListWithContext(single, CompareKeys);
  EXPECT_EQ(Names(single), "x");
}

TEST(SortListWithContextTest, SortsLikeStdSortUnderATotalOrder) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<int> values(static_cast<size_t>(random() % 40));
    for (int& v : values) v = static_cast<int>(random() % 1000);
    std::vector<int> expected = values;
    std::sort(expected.begin(), expected.end());
    const int offset = round;  // context carried by the comparison
    SortListWithContext(values, [offset](int a, int b) { return (a + offset) - (b + offset); });
    EXPECT_EQ(values, expected);
  }
}

}  // namespace
}  // namespace tbr
