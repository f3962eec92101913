// Menu items of forms under test, found by their component names.
#pragma once

#include <string>

#include "classlib/win/menus.h"

namespace cl::test {

// The item named name at any depth below parent, or null.
inline TMenuItem* FindItemNamed(TMenuItem* parent, const std::string& name) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (item->Name() == name) return item;
    if (TMenuItem* found = FindItemNamed(item, name)) return found;
  }
  return nullptr;
}

}  // namespace cl::test
