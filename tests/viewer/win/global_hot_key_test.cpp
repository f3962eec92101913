// TCtlGlobalHotKey against the system's hot keys: what it holds is refused to another window, the pressed key
// reaches OnKeyDown, and every key it gave up can be taken again.
#include "viewer/global_hot_key.h"

#include <gtest/gtest.h>

#include <vector>

#include "classlib/test/pump.h"
#include "classlib/win/menus.h"
#include "classlib/win/util_window.h"

namespace viewer {
namespace {

constexpr uint16_t kCtrlF10 = cl::scCtrl | VK_F10;

class GlobalHotKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FOther =
        cl::AllocateHWnd([this](cl::TMessage& m) { m.Result = DefWindowProcA(FOther, m.Msg, m.WParam, m.LParam); });
    FKey = cl::Make<TCtlGlobalHotKey>(nullptr, "");
    FKey->SetOnKeyDown(cl::TKeyEvent([this](cl::TObject* sender, WORD& key, cl::TShiftState shift) {
      EXPECT_EQ(sender, FKey);
      Presses.push_back({key, shift});
    }));
  }
  void TearDown() override {
    if (FKey) FKey->Free();
    cl::DeallocateHWnd(FOther);
  }

  // Whether another window can take the combination (it gives it back at once).
  bool Free(UINT modifiers, UINT key) {
    if (!RegisterHotKey(FOther, 1, modifiers, key)) return false;
    UnregisterHotKey(FOther, 1);
    return true;
  }
  // Presses and releases the combination through the system's input.
  void Press(std::vector<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(KeyInput(key, 0));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) inputs.push_back(KeyInput(*it, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }
  static INPUT KeyInput(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
  }

  struct KeyPress {
    WORD Key;
    cl::TShiftState Shift;
  };
  std::vector<KeyPress> Presses;
  HWND FOther = nullptr;
  TCtlGlobalHotKey* FKey = nullptr;
};

TEST_F(GlobalHotKeyTest, AnActiveKeyIsHeldAndItsPressRaisesOnKeyDownOnce) {
  EXPECT_TRUE(FKey->Active());
  FKey->SetHotKey(kCtrlF10);
  EXPECT_FALSE(Free(MOD_CONTROL, VK_F10));
  EXPECT_TRUE(Free(0, VK_F10));  // Ctrl+F10 only
  FKey->SetActive(true);         // already active: nothing changes
  Press({VK_CONTROL, VK_F10});
  cl::test::PumpUntil([this] { return !Presses.empty(); }, 3000);
  cl::test::PumpFor(100);
  ASSERT_EQ(Presses.size(), 1u);
  EXPECT_EQ(Presses[0].Key, VK_F10);
  EXPECT_EQ(Presses[0].Shift, cl::TShiftState({cl::ssCtrl}));
}

TEST_F(GlobalHotKeyTest, AnInactiveKeyIsGivenBackAndRaisesNothing) {
  FKey->SetHotKey(kCtrlF10);
  FKey->SetActive(false);
  EXPECT_TRUE(Free(MOD_CONTROL, VK_F10));
  Press({VK_CONTROL, VK_F10});
  cl::test::PumpFor(200);
  EXPECT_TRUE(Presses.empty());
  FKey->SetActive(true);
  EXPECT_FALSE(Free(MOD_CONTROL, VK_F10));
}

TEST_F(GlobalHotKeyTest, ANewKeyGivesTheOldOneBackAndDestructionGivesBackTheLast) {
  FKey->SetHotKey(VK_F11);
  FKey->SetHotKey(kCtrlF10);
  EXPECT_TRUE(Free(0, VK_F11));
  EXPECT_FALSE(Free(MOD_CONTROL, VK_F10));
  Press({VK_F11});
  cl::test::PumpFor(200);
  EXPECT_TRUE(Presses.empty());
  cl::FreeAndNil(FKey);
  EXPECT_TRUE(Free(MOD_CONTROL, VK_F10));
}

TEST_F(GlobalHotKeyTest, AKeyHeldByAnotherProgramIsNamedAndLeavesTheComponentInactive) {
  ASSERT_TRUE(RegisterHotKey(FOther, 1, MOD_CONTROL, VK_F10));
  FKey->SetActive(false);
  FKey->SetHotKey(kCtrlF10);
  try {
    FKey->SetActive(true);
    ADD_FAILURE() << "no error";
  } catch (const EHotKeyError& error) {
    EXPECT_NE(error.Message().find("Ctrl+F10"), std::string::npos) << error.Message();
  }
  EXPECT_FALSE(FKey->Active());
  UnregisterHotKey(FOther, 1);
  FKey->SetActive(true);
  EXPECT_FALSE(Free(MOD_CONTROL, VK_F10));
}

}  // namespace
}  // namespace viewer
