#include "toolbars/menu_item.h"

#include "toolbars/menu_engine.h"
#include "toolbars/menu_form.h"

namespace tbr::menus {

template <class Set>
void TMenuItem::Change(TBarChange change, Set set) {
  MenuBar* bar = MenuBarShowing(this);
  const bool batch = bar && !bar->Updating();
  if (batch) bar->BeginUpdate();
  set();
  if (!batch) return;
  if (change == bcRebuild) {
    bar->EndUpdate();
  } else {
    bar->UpdateItemButton(this);
  }
  // The bar stands in for the form's own menu, which an item change must not bring back.
  RemoveNativeMenu(bar->OwnerForm());
  ApplyItemBitmaps(Owner());
}

void TMenuItem::SetBreak(bool lineBreak) {
  Change(bcButton, [&] { inherited::SetBreak(lineBreak); });
}

void TMenuItem::SetCaption(const std::string& caption) {
  Change(bcButton, [&] { inherited::SetCaption(caption); });
}

void TMenuItem::SetChecked(bool checked) {
  Change(bcButton, [&] { inherited::SetChecked(checked); });
}

void TMenuItem::SetDefault(bool isDefault) {
  Change(bcButton, [&] { inherited::SetDefault(isDefault); });
}

void TMenuItem::SetEnabled(bool enabled) {
  Change(bcButton, [&] { inherited::SetEnabled(enabled); });
}

void TMenuItem::SetGroupIndex(uint8_t groupIndex) {
  Change(bcRebuild, [&] { inherited::SetGroupIndex(groupIndex); });
}

void TMenuItem::SetHint(const std::string& hint) {
  Change(bcButton, [&] { inherited::SetHint(hint); });
}

void TMenuItem::SetRadioItem(bool radioItem) {
  Change(bcButton, [&] { inherited::SetRadioItem(radioItem); });
}

void TMenuItem::SetShortCut(cl::TShortCut shortCut) {
  Change(bcButton, [&] { inherited::SetShortCut(shortCut); });
}

void TMenuItem::SetVisible(bool visible) {
  Change(bcRebuild, [&] { inherited::SetVisible(visible); });
}

void TMenuItem::SetOnClick(const cl::TNotifyEvent& handler) {
  Change(bcButton, [&] { inherited::SetOnClick(handler); });
}

TMenuItem* NewMenuItem(const std::string& caption, cl::TShortCut shortCut, bool checked, bool enabled, int helpContext,
                       const std::string& name, const cl::TNotifyEvent& onClick) {
  auto* item = cl::New<TMenuItem>(nullptr);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  item->SetChecked(checked);
  item->SetEnabled(enabled);
  item->SetHelpContext(helpContext);
  item->SetName(name);
  item->SetOnClick(onClick);
  return item;
}

}  // namespace tbr::menus
