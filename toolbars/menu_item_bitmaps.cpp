#include "toolbars/menu_item_bitmaps.h"

#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/menus.h"
#include "toolbars/core/menu_text.h"

namespace tbr::menus {

TMenuItemBitmaps::TMenuItemBitmaps(cl::TComponent* owner)
    : cl::TComponent(owner), FCheckedBitmap(cl::New<cl::TBitmap>()), FUncheckedBitmap(cl::New<cl::TBitmap>()) {}

void TMenuItemBitmaps::BeforeDestruction() {
  SetMenuItem(nullptr);
  inherited::BeforeDestruction();
  cl::FreeAndNil(FCheckedBitmap);
  cl::FreeAndNil(FUncheckedBitmap);
}

void TMenuItemBitmaps::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  if (enabled) {
    ApplyBitmaps();
  } else {
    SetEntryBitmaps(nullptr, nullptr);
  }
}

void TMenuItemBitmaps::SetCheckedBitmap(const cl::TBitmap* bitmap) {
  FCheckedBitmap->Assign(bitmap);
  FCheckedBmpResource.clear();
  if (FSingleBitmap) FUncheckedBitmap->Assign(FCheckedBitmap);
  ApplyBitmaps();
}

void TMenuItemBitmaps::SetUncheckedBitmap(const cl::TBitmap* bitmap) {
  FUncheckedBitmap->Assign(bitmap);
  FUncheckedBmpResource.clear();
  if (FSingleBitmap) FCheckedBitmap->Assign(FUncheckedBitmap);
  ApplyBitmaps();
}

void TMenuItemBitmaps::SetMenuItem(cl::TMenuItem* item) {
  if (item == FMenuItem) return;
  // The old item's entry keeps no bitmaps that are about to change or go.
  if (FEnabled) SetEntryBitmaps(nullptr, nullptr);
  if (FMenuItem) FMenuItem->RemoveFreeNotification(this);
  FMenuItem = item;
  if (FMenuItem) FMenuItem->FreeNotification(this);
  ApplyBitmaps();
}

void TMenuItemBitmaps::SetSingleBitmap(bool single) {
  FSingleBitmap = single;
  if (single) {
    if (FCheckedBitmap->Empty()) {
      FCheckedBitmap->Assign(FUncheckedBitmap);
    } else {
      FUncheckedBitmap->Assign(FCheckedBitmap);
    }
  }
  ApplyBitmaps();
}

void TMenuItemBitmaps::SetCheckedBmpResource(const std::string& name) {
  if (name == FCheckedBmpResource) return;
  FCheckedBmpResource = name;
  LoadResource(FCheckedBitmap, name);
  ApplyBitmaps();
}

void TMenuItemBitmaps::SetUncheckedBmpResource(const std::string& name) {
  if (name == FUncheckedBmpResource) return;
  FUncheckedBmpResource = name;
  LoadResource(FUncheckedBitmap, name);
  ApplyBitmaps();
}

void TMenuItemBitmaps::LoadResource(cl::TBitmap* bitmap, const std::string& name) {
  // The bitmap in use is taken off the entry before it goes.
  SetEntryBitmaps(nullptr, nullptr);
  bitmap->Assign(nullptr);
  if (name.empty()) return;
  const ResourceName resource = ParseResourceName(name);
  HINSTANCE program = GetModuleHandleA(nullptr);
  switch (resource.Kind) {
    case ResourceName::rnInvalid:
      cl::Application->MessageBox("'" + name + "' is not a valid resource name", "Error", MB_OK | MB_ICONERROR);
      return;
    case ResourceName::rnId:
      bitmap->LoadFromResourceID(program, resource.Id);
      return;
    case ResourceName::rnName:
      bitmap->LoadFromResourceName(program, resource.Name);
      return;
  }
}

void TMenuItemBitmaps::ApplyBitmaps() {
  if (!FEnabled) return;
  SetEntryBitmaps(FUncheckedBitmap->Handle(), FCheckedBitmap->Handle());
}

void TMenuItemBitmaps::SetEntryBitmaps(HBITMAP unchecked, HBITMAP checked) {
  if (!FMenuItem || !FMenuItem->Parent()) return;
  SetMenuItemBitmaps(FMenuItem->Parent()->Handle(), FMenuItem->Command(), MF_BYCOMMAND, unchecked, checked);
}

void TMenuItemBitmaps::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == cl::opRemove && component == FMenuItem) FMenuItem = nullptr;
}

}  // namespace tbr::menus
