#include "viewer/core/hot_key_registration.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace viewer {
namespace {

constexpr uint16_t kF9 = 0x78, kF10 = 0x79;

// A system of hot keys: records the calls and refuses the combinations another program holds.
class FakeRegistrar : public HotKeyRegistrar {
 public:
  bool Register(HotKeyCombination combination) override {
    Calls.push_back("register " + std::to_string(combination.VirtualKey) + "/" + std::to_string(combination.Modifiers));
    return !Taken.contains(combination.VirtualKey);
  }
  void Unregister() override { Calls.push_back("unregister"); }
  std::vector<std::string> Calls;
  std::set<uint8_t> Taken;
};

TEST(HotKeySplit, TheModifierBitsBecomeTheSystemsFlags) {
  EXPECT_EQ(SplitHotKey(kHotKeyCtrl | kF10), (HotKeyCombination{kF10, kModControl}));
  EXPECT_EQ(SplitHotKey(kF9), (HotKeyCombination{kF9, 0}));
  EXPECT_EQ(SplitHotKey(kHotKeyShift | kHotKeyAlt | 'A'), (HotKeyCombination{'A', kModShift | kModAlt}));
}

class HotKeyRegistrationTest : public ::testing::Test {
 protected:
  FakeRegistrar system;
  HotKeyRegistration registration{system};
};

TEST_F(HotKeyRegistrationTest, AKeyIsRegisteredOnceWhileActive) {
  EXPECT_TRUE(registration.Active());
  EXPECT_TRUE(registration.SetActive(true));
  EXPECT_TRUE(system.Calls.empty());  // no key yet
  EXPECT_TRUE(registration.SetHotKey(kHotKeyCtrl | kF10));
  EXPECT_TRUE(registration.SetActive(true));
  EXPECT_TRUE(registration.SetHotKey(kHotKeyCtrl | kF10));
  EXPECT_EQ(system.Calls, (std::vector<std::string>{"register 121/2"}));
  EXPECT_TRUE(registration.Registered());
}

TEST_F(HotKeyRegistrationTest, DeactivatingGivesTheKeyBackAndActivatingTakesItAgain) {
  registration.SetHotKey(kF9);
  registration.SetActive(false);
  registration.SetActive(false);
  EXPECT_FALSE(registration.Registered());
  registration.SetActive(true);
  registration.Release();
  registration.Release();
  EXPECT_EQ(system.Calls, (std::vector<std::string>{"register 120/0", "unregister", "register 120/0", "unregister"}));
}

TEST_F(HotKeyRegistrationTest, ANewKeyReplacesTheOldOneAndZeroRegistersNothing) {
  registration.SetHotKey(kF9);
  registration.SetHotKey(kF10);
  registration.SetHotKey(0);
  EXPECT_EQ(system.Calls, (std::vector<std::string>{"register 120/0", "unregister", "register 121/0", "unregister"}));
  EXPECT_TRUE(registration.Active());
}

TEST_F(HotKeyRegistrationTest, AKeyHeldElsewhereLeavesTheRegistrationInactive) {
  system.Taken = {kF10};
  registration.SetActive(false);
  registration.SetHotKey(kF10);
  EXPECT_FALSE(registration.SetActive(true));
  EXPECT_FALSE(registration.Active());
  EXPECT_FALSE(registration.Registered());
  registration.Release();  // a refused key is not given back
  EXPECT_EQ(system.Calls, (std::vector<std::string>{"register 121/0"}));
  // Another key waits for the next activation.
  EXPECT_TRUE(registration.SetHotKey(kF9));
  EXPECT_TRUE(registration.SetActive(true));
  EXPECT_TRUE(registration.Registered());
}

}  // namespace
}  // namespace viewer
