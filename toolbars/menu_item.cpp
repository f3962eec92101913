#include "toolbars/menu_item.h"

#include "toolbars/menu_engine.h"
#include "toolbars/menu_form.h"

namespace tbr::menus {

namespace {

// The component that holds the item's bitmaps and menu: the item's owner, or for an unowned item the owner of
// the menu it is in (the form).
cl::TComponent* OwnerOf(const cl::TMenuItem* item) {
  if (cl::TComponent* owner = item->Owner()) return owner;
  const cl::TMenu* menu = item->Menu();
  return menu ? menu->Owner() : nullptr;
}

}  // namespace

template <class Set>
void TMenuItem::Change(TBarChange change, Set set) {
  MenuBar* bar = MenuBarShowing(this);
  const bool batch = bar && !bar->Updating();
  if (batch) bar->BeginUpdate();
  set();
  if (batch) {
    if (change == bcRebuild) {
      bar->EndUpdate();
    } else {
      bar->UpdateItemButton(this);
    }
  }
  if (!AnyMenuBar()) return;
  // A bar stands in for the form's own menu, which an item change must not bring back; and the native menu that
  // the change rebuilt has forgotten its item bitmaps (a submenu filled when it opens shows them too).
  cl::TComponent* owner = OwnerOf(this);
  RemoveNativeMenu(batch ? bar->OwnerForm() : owner);
  ApplyItemBitmaps(owner);
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
