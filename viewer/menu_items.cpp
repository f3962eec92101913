#include "viewer/menu_items.h"

namespace viewer {

RecentFileItems AddRecentFileItems(cl::TMenuItem* parent, int firstNumber, const cl::TNotifyEvent& onClick) {
  RecentFileItems items{};
  for (int i = 0; i < kRecentFileCount; ++i)
    items[i] = AddMenuItem(parent, "N" + std::to_string(firstNumber + i), " ", 0, onClick);
  return items;
}

void ShowRecentFileItems(const RecentFileItems& items, cl::TMenuItem* separator, const RecentFiles& names) {
  for (int i = 0; i < kRecentFileCount; ++i) {
    items[i]->SetCaption(names[i]);
    items[i]->SetVisible(!names[i].empty());
  }
  separator->SetVisible(items[0]->Visible());
}

}  // namespace viewer
