// TMenuItemBitmaps: gives a menu item the glyphs its menu shows for its checked and unchecked states, from
// bitmaps or bitmap resources of the program, by setting the check-mark bitmaps of the item's native entry. The
// menus apply every such component of a form again before they open, since a native menu that is rebuilt forgets
// them.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/component.h"

namespace cl {
class TBitmap;
class TMenuItem;
}  // namespace cl

namespace tbr::menus {

class TMenuItemBitmaps : public cl::TComponent {
  CL_CLASS(TMenuItemBitmaps, cl::TComponent)
 public:
  explicit TMenuItemBitmaps(cl::TComponent* owner);
  void BeforeDestruction() override;

  // Off: the item's entry gets no bitmaps (the system's check marks show).
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  // The setters copy and forget the resource name; with SingleBitmap the other bitmap becomes the same.
  cl::TBitmap* CheckedBitmap() const { return FCheckedBitmap; }
  void SetCheckedBitmap(const cl::TBitmap* bitmap);
  cl::TBitmap* UncheckedBitmap() const { return FUncheckedBitmap; }
  void SetUncheckedBitmap(const cl::TBitmap* bitmap);
  // The item whose entry shows the bitmaps; cleared when it is freed.
  cl::TMenuItem* MenuItem() const { return FMenuItem; }
  void SetMenuItem(cl::TMenuItem* item);
  // One bitmap for both states: turning it on copies the unchecked bitmap over an empty checked one, else the
  // checked one over the unchecked one.
  bool SingleBitmap() const { return FSingleBitmap; }
  void SetSingleBitmap(bool single);
  // A bitmap resource of the program: a name, or "#" and its number. A "#" name that is no number shows an
  // error box and leaves the bitmap empty.
  const std::string& CheckedBmpResource() const { return FCheckedBmpResource; }
  void SetCheckedBmpResource(const std::string& name);
  const std::string& UncheckedBmpResource() const { return FUncheckedBmpResource; }
  void SetUncheckedBmpResource(const std::string& name);

  // Sets the bitmaps on the item's entry in its parent's native menu (when enabled and the item has a parent).
  void ApplyBitmaps();

 protected:
  void Notification(cl::TComponent* component, cl::TOperation operation) override;

 private:
  void LoadResource(cl::TBitmap* bitmap, const std::string& name);
  // Sets both bitmaps of the item's entry.
  void SetEntryBitmaps(HBITMAP unchecked, HBITMAP checked);

  bool FEnabled = true;
  cl::TBitmap* FCheckedBitmap;
  cl::TBitmap* FUncheckedBitmap;
  cl::TMenuItem* FMenuItem = nullptr;
  bool FSingleBitmap = false;
  std::string FCheckedBmpResource;
  std::string FUncheckedBmpResource;
};

}  // namespace tbr::menus
