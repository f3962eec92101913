// Menu windows sliding open and shut on real windows: the bounds each frame sets are the computed sequence, a
// menu at the bottom-right corner stays inside the work area with its submenu sliding leftward, closing ends at
// height 0, and tiny item heights still end both animations.
#include <gtest/gtest.h>

#include <vector>

#include "menu_test_kit.h"
#include "toolbars/core/popup_placement.h"
#include "toolbars/popup_menu_ex.h"

namespace tbr::menus {
namespace {

using test::MenuFormTest;

// Records the sizes each menu window is given, as the window procedure hears them.
class BoundsRecorder {
 public:
  BoundsRecorder() {
    current = this;
    FHook = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
  }
  ~BoundsRecorder() {
    UnhookWindowsHookEx(FHook);
    current = nullptr;
  }
  // The bounds wnd was given that show something; and the last it was given.
  std::vector<FrameBounds> Of(HWND wnd) const {
    std::vector<FrameBounds> frames;
    for (const auto& [window, bounds] : FRecords) {
      if (window == wnd && bounds.Width > 0 && bounds.Height > 0) frames.push_back(bounds);
    }
    return frames;
  }
  FrameBounds LastOf(HWND wnd) const {
    FrameBounds last;
    for (const auto& [window, bounds] : FRecords) {
      if (window == wnd) last = bounds;
    }
    return last;
  }
  void Clear() { FRecords.clear(); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current && message->message == WM_WINDOWPOSCHANGED) {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message->lParam);
      if (!(pos->flags & SWP_NOSIZE)) current->FRecords.push_back({message->hwnd, {pos->x, pos->y, pos->cx, pos->cy}});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline BoundsRecorder* current = nullptr;
  HHOOK FHook;
  std::vector<std::pair<HWND, FrameBounds>> FRecords;
};

class PopupAnimationTest : public MenuFormTest {
 protected:
  void SetUp() override {
    MenuFormTest::SetUp();
    menu = cl::Make<TPopupMenuEx>(form, "PopupMenuEx1");
    for (const char* name : {"Open1", "Save1", "Close1", "Print1", "Exit1"}) cl::AddMenuItem(menu->Items(), name, name);
    more = cl::AddMenuItem(menu->Items(), "More1", "More");
    cl::AddMenuItem(more, "Sub1", "Sub 1");
    cl::AddMenuItem(more, "Sub2", "Sub 2");
    window = menu->Window();
  }

  bool Popup(int x, int y) {
    menu->Popup(x, y);
    return menu->IsOpen();
  }
  FrameBounds Bounds(TPopupMenuExForm* form) const {
    return {form->Left(), form->Top(), form->Width(), form->Height()};
  }

  TPopupMenuEx* menu = nullptr;
  cl::TMenuItem* more = nullptr;
  TPopupMenuExForm* window = nullptr;
  BoundsRecorder recorder;
};

TEST_F(PopupAnimationTest, FramesAreTheComputedSequenceAndClosingEndsAtHeightZero) {
  ASSERT_TRUE(Popup(200, 150));
  const FrameBounds full = Bounds(window);
  ASSERT_EQ(full.Left, 200);
  ASSERT_EQ(full.Top, 150);
  // The default smart animation slides the top window down.
  const AnimationSteps steps = AnimationStepsFor(full.Width, full.Height, 19, false, anVSlide);
  EXPECT_EQ(window->HStep(), steps.HStep);
  EXPECT_EQ(window->VStep(), steps.VStep);
  OpenFrames expected = OpenFrameSequence({200, 150, false, false}, full.Width, full.Height, anVSlide, steps);
  ASSERT_GE(expected.Frames.size(), 3u);
  expected.Frames.push_back(expected.Final);
  EXPECT_EQ(recorder.Of(window->Handle()), expected.Frames);
  // Its submenus slide sideways from now on.
  EXPECT_EQ(window->OpenAnimation(), anHSlide);

  recorder.Clear();
  CloseAllMenus(true);
  std::vector<FrameBounds> closing = CloseFrameSequence(full, anVSlide, steps, false, false);
  ASSERT_GE(closing.size(), 3u);
  EXPECT_EQ(closing.back().Height, 0);
  closing.pop_back();
  EXPECT_EQ(recorder.Of(window->Handle()), closing);
  EXPECT_EQ(recorder.LastOf(window->Handle()).Height, 0);
  EXPECT_FALSE(menu->IsOpen());
}

TEST_F(PopupAnimationTest, AtTheBottomRightTheMenuStaysInsideAndItsSubmenuSlidesLeftward) {
  const cl::TRect work = MenuWorkArea();
  ASSERT_TRUE(Popup(work.Right - 20, work.Bottom - 20));
  const cl::TRect rect = window->BoundsRect();
  EXPECT_LE(rect.Right, work.Right);
  EXPECT_LE(rect.Bottom, work.Bottom + 1);
  EXPECT_GE(rect.Top, work.Top);
  EXPECT_TRUE(window->OpensUpward());
  // Opened upward from the point: its bottom edge is the point's (a pixel lower once full).
  EXPECT_EQ(rect.Bottom, work.Bottom - 20 + 1);

  recorder.Clear();
  window->SelectItem(5);
  window->OpenSubmenu();
  TPopupMenuExForm* submenu = window->Submenu();
  ASSERT_NE(submenu, nullptr);
  ASSERT_TRUE(submenu->IsOpen());
  EXPECT_TRUE(submenu->OpensLeftward());
  const std::vector<FrameBounds> frames = recorder.Of(submenu->Handle());
  ASSERT_GE(frames.size(), 2u);
  const int right = frames.front().Left + frames.front().Width;
  for (size_t i = 1; i < frames.size(); ++i) {
    EXPECT_GT(frames[i].Width, frames[i - 1].Width);
    EXPECT_EQ(frames[i].Height, frames[0].Height);
    EXPECT_EQ(frames[i].Left + frames[i].Width, right);
  }
  EXPECT_EQ(right, window->Left() + 6);
  EXPECT_LE(submenu->BoundsRect().Right, window->Left() + 6);

  CloseAllMenus(true);
  EXPECT_EQ(window->Height(), 0);
  EXPECT_EQ(window->Submenu(), nullptr);
}

TEST_F(PopupAnimationTest, TinyItemHeightsStillOpenAndCloseEveryAnimation) {
  for (int itemHeight : {0, 1, 2}) {
    for (TAnimation animation : {anVSlide, anHSlide, anUnfold, anPopup, anRandom, anNone}) {
      SCOPED_TRACE(testing::Message() << "item height " << itemHeight << ", animation " << animation);
      menu->Options()->SetItemHeight(itemHeight);
      menu->Options()->SetOpenAnimation(animation);
      menu->Options()->SetCloseAnimation(animation);
      ASSERT_TRUE(Popup(300, 200));
      EXPECT_GT(window->Width(), 0);
      EXPECT_GT(window->HStep(), 0);
      EXPECT_GT(window->VStep(), 0);
      CloseAllMenus(true);
      EXPECT_EQ(window->Height(), 0);
    }
  }
}

}  // namespace
}  // namespace tbr::menus
