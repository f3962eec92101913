// The shared window hooks on real windows: each kind of event reaches the clients that asked for it with the
// message's arguments, a failing client stops nobody, the hooks go when the last client does, and the menus' own
// hook, made later, passes messages on to them.
#include "toolbars/toolbar_common.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "toolbars/menu_engine.h"

namespace tbr {
namespace {

struct Event {
  int Client;
  THookEventKind Kind;
  HWND Wnd;
  WPARAM WParam;
  LPARAM LParam;
  UINT PosFlags;  // the WINDOWPOS flags of a position change
};

std::vector<Event> events;

void Record(int client, THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam) {
  const UINT flags = kind == hkWindowPosChanged ? reinterpret_cast<const WINDOWPOS*>(lParam)->flags : 0;
  events.push_back(Event{client, kind, wnd, wParam, kind == hkWindowPosChanged ? 0 : lParam, flags});
}
void ClientA(THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam) {
  Record(1, kind, wnd, wParam, lParam);
}
void ClientB(THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam) {
  Record(2, kind, wnd, wParam, lParam);
}
void Failing(THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam) {
  Record(3, kind, wnd, wParam, lParam);
  throw std::runtime_error("client failure");
}

class HooksTest : public testing::Test {
 protected:
  void SetUp() override {
    events.clear();
    wnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
  }
  void TearDown() override {
    if (IsWindow(wnd)) DestroyWindow(wnd);
    for (int slot = 0; slot < kHookSlotCount; ++slot) {
      EXPECT_EQ(debug::HookUseCount(static_cast<THookSlot>(slot)), 0);
      EXPECT_FALSE(debug::HookInstalled(static_cast<THookSlot>(slot)));
    }
  }
  // Posts a message and takes it from the queue, as the message loop does.
  void PostAndRetrieve(UINT msg, WPARAM wParam, LPARAM lParam) {
    PostMessageA(wnd, msg, wParam, lParam);
    MSG m;
    while (PeekMessageA(&m, wnd, msg, msg, PM_REMOVE)) DispatchMessageA(&m);
  }

  HWND wnd = nullptr;
};

TEST_F(HooksTest, EachKindReachesItsClientsWithTheMessagesArguments) {
  AddHookClient(ClientA, {hkActivateApp, hkWindowPosChanged, hkWindowDestroying}, false);
  AddHookClient(ClientB, {hkActivateApp, hkMouseMove}, false);
  for (int slot = 0; slot < kHookSlotCount; ++slot) EXPECT_TRUE(debug::HookInstalled(static_cast<THookSlot>(slot)));
  EXPECT_EQ(debug::HookUseCount(hsCallWndProc), 2);

  SendMessageA(wnd, WM_ACTIVATEAPP, 1, 77);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].Client, 1);
  EXPECT_EQ(events[1].Client, 2);
  for (const Event& e : events) {
    EXPECT_EQ(e.Kind, hkActivateApp);
    EXPECT_EQ(e.Wnd, wnd);
    EXPECT_EQ(e.WParam, 1u);
    EXPECT_EQ(e.LParam, 77);
  }

  events.clear();
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].Client, 1);
  EXPECT_EQ(events[0].Kind, hkWindowPosChanged);
  EXPECT_EQ(events[0].Wnd, wnd);
  EXPECT_TRUE(events[0].PosFlags & SWP_SHOWWINDOW);

  events.clear();
  PostAndRetrieve(WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(3, 4));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].Client, 2);
  EXPECT_EQ(events[0].Kind, hkMouseMove);
  EXPECT_EQ(events[0].WParam, static_cast<WPARAM>(MK_SHIFT));
  EXPECT_EQ(events[0].LParam, MAKELPARAM(3, 4));

  events.clear();
  DestroyWindow(wnd);
  // The window goes first; hiding it on the way is a position change.
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events[0].Kind, hkWindowDestroying);
  EXPECT_EQ(events[0].Wnd, wnd);
  for (const Event& e : events) {
    EXPECT_EQ(e.Client, 1);
    if (e.Kind != hkWindowDestroying) {
      EXPECT_EQ(e.Kind, hkWindowPosChanged);
      continue;
    }
    EXPECT_EQ(e.WParam, 0u);
    EXPECT_EQ(e.LParam, 0);
  }

  RemoveHookClient(ClientA);
  RemoveHookClient(ClientB);
}

TEST_F(HooksTest, OtherMessagesReachNobody) {
  AddHookClient(ClientA, {hkActivateApp, hkWindowPosChanged, hkWindowDestroying, hkMouseMove}, false);
  SendMessageA(wnd, WM_SIZE, 0, MAKELPARAM(5, 5));
  SendMessageA(wnd, WM_MOVE, 0, MAKELPARAM(5, 5));
  PostAndRetrieve(WM_LBUTTONDOWN, 0, 0);
  SendMessageA(wnd, WM_MOUSEMOVE, 0, 0);  // sent, not retrieved from the queue
  EXPECT_TRUE(events.empty());
  RemoveHookClient(ClientA);
}

TEST_F(HooksTest, OtherWindowEventsReachNoDestroyingClient) {
  AddHookClient(ClientA, {hkWindowDestroying}, false);
  // Creating, activating, focusing, minimising and restoring a window are CBT events of other codes.
  HWND other = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW, 10, 10, 120, 80, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  ShowWindow(other, SW_SHOW);
  SetActiveWindow(other);
  SetFocus(other);
  ShowWindow(other, SW_MINIMIZE);
  ShowWindow(other, SW_RESTORE);
  EXPECT_TRUE(events.empty());
  DestroyWindow(other);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events[0].Kind, hkWindowDestroying);
  EXPECT_EQ(events[0].Wnd, other);
  RemoveHookClient(ClientA);
}

TEST_F(HooksTest, AFailingClientKeepsTheNextOneAndTheMessageGoing) {
  AddHookClient(Failing, {hkActivateApp}, false);
  AddHookClient(ClientB, {hkActivateApp}, false);
  SendMessageA(wnd, WM_ACTIVATEAPP, 0, 0);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].Client, 3);
  EXPECT_EQ(events[1].Client, 2);
  RemoveHookClient(Failing);
  RemoveHookClient(ClientB);
}

TEST_F(HooksTest, TheHooksGoWithTheLastClientAndNothingIsDeliveredAfterwards) {
  AddHookClient(ClientA, {hkActivateApp, hkMouseMove}, false);
  AddHookClient(ClientA, {hkActivateApp, hkMouseMove}, false);
  RemoveHookClient(ClientA);
  EXPECT_TRUE(debug::HookInstalled(hsGetMessage));
  SendMessageA(wnd, WM_ACTIVATEAPP, 1, 0);
  EXPECT_EQ(events.size(), 1u);
  RemoveHookClient(ClientA);
  EXPECT_FALSE(debug::HookInstalled(hsCallWndProc));
  EXPECT_FALSE(debug::HookInstalled(hsGetMessage));
  events.clear();
  SendMessageA(wnd, WM_ACTIVATEAPP, 1, 0);
  PostAndRetrieve(WM_MOUSEMOVE, 0, 0);
  EXPECT_TRUE(events.empty());
}

TEST_F(HooksTest, AppHasActiveWindowFollowsTheThreadsActiveWindow) {
  ShowWindow(wnd, SW_SHOW);
  SetActiveWindow(wnd);
  EXPECT_TRUE(AppHasActiveWindow());
  DestroyWindow(wnd);
  EXPECT_FALSE(AppHasActiveWindow());
}

// Runs last: the menus' hook stays for the rest of the program.
TEST_F(HooksTest, TheMenusHookMadeLaterPassesMessagesOnToTheToolbarsHook) {
  AddHookClient(ClientA, {hkMouseMove}, false);
  // Made after the toolbars' hook, the menus' hook sees every message first.
  menus::InstallMenuMessageHook();
  ASSERT_TRUE(menus::debug::MenuMessageHookInstalled());
  ShowWindow(wnd, SW_SHOW);
  SetActiveWindow(wnd);  // the menus' hook works while the program is active
  PostAndRetrieve(WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].Kind, hkMouseMove);
  EXPECT_EQ(events[0].LParam, MAKELPARAM(7, 8));
  RemoveHookClient(ClientA);
}

}  // namespace
}  // namespace tbr
