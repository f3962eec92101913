// Helpers of the menu tests: items that record their clicks by name, and menu texts read back from an HMENU.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/menus.h"
#include "classlib/win/timer.h"

namespace menutest {

// A new item of owner, named name, added to parent; each click appends label (default: the name) to clicks.
inline cl::TMenuItem* AddItem(cl::TComponent* owner, cl::TMenuItem* parent, const std::string& name,
                              const std::string& caption, std::vector<std::string>& clicks,
                              const std::string& label = "") {
  auto* item = cl::Make<cl::TMenuItem>(owner, name);
  item->SetCaption(caption);
  const std::string recorded = label.empty() ? name : label;
  item->SetOnClick(cl::TNotifyEvent([&clicks, recorded](cl::TObject*) { clicks.push_back(recorded); }));
  parent->Add(item);
  return item;
}

inline std::string MenuText(HMENU menu, UINT position) {
  char text[128] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

// The texts of all entries, separators as "-".
inline std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const bool separator = GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR;
    texts.push_back(separator ? "-" : MenuText(menu, i));
  }
  return texts;
}

// Runs an action once, delayMs after it is made, from whatever loop is handling messages then: inside an open
// menu's own loop, the only way a test reaches the menu without blocking.
class TLaterAction : public cl::TTimer {
  CL_CLASS(TLaterAction, cl::TTimer)
 public:
  TLaterAction(cl::TComponent* owner, std::function<void()> action, unsigned delayMs = 50)
      : TTimer(owner), FAction(std::move(action)) {
    SetInterval(delayMs);
    SetOnTimer(cl::TNotifyEvent([this](cl::TObject*) {
      SetEnabled(false);
      FAction();
    }));
  }

 private:
  std::function<void()> FAction;
};

// Posts key presses into the thread's queue, where an open menu's loop reads them.
inline void PostKeys(const std::vector<WORD>& keys) {
  for (WORD key : keys) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
  }
}

}  // namespace menutest
