// The menus' TMenuItem: the class library's item, whose changes also reach the menu bar that shows it as a
// top-level item. A change that shows on the item's bar button refreshes that button alone; GroupIndex and
// Visible rebuild the bar. While a menu bar exists, any item's change gives its form's item bitmaps to the
// rebuilt native menu again. Forms built on the owner-drawn menus make their items of this class
// (cl::AddMenuItem<tbr::menus::TMenuItem>).
#pragma once

#include "classlib/win/menus.h"

namespace tbr::menus {

class TMenuItem : public cl::TMenuItem {
  CL_CLASS(TMenuItem, cl::TMenuItem)
 public:
  explicit TMenuItem(cl::TComponent* owner) : cl::TMenuItem(owner) {}

  void SetBreak(bool lineBreak) override;
  void SetCaption(const std::string& caption) override;
  void SetChecked(bool checked) override;
  void SetDefault(bool isDefault) override;
  void SetEnabled(bool enabled) override;
  void SetGroupIndex(uint8_t groupIndex) override;
  void SetHint(const std::string& hint) override;
  void SetRadioItem(bool radioItem) override;
  void SetShortCut(cl::TShortCut shortCut) override;
  void SetVisible(bool visible) override;
  void SetOnClick(const cl::TNotifyEvent& handler) override;

 private:
  enum TBarChange { bcButton, bcRebuild };
  // Sets a value through set and brings the bar that shows the item up to date.
  template <class Set>
  void Change(TBarChange change, Set set);
};

// An unowned item with these values, as menus built in code make them.
TMenuItem* NewMenuItem(const std::string& caption, cl::TShortCut shortCut, bool checked, bool enabled, int helpContext,
                       const std::string& name, const cl::TNotifyEvent& onClick);

}  // namespace tbr::menus
