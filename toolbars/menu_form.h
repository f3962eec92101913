// The menus' TForm: the class library's form whose caption clicks open its owner-drawn system menu (a
// TSystemMenuEx, made when the form has loaded): a click on the icon opens it below the icon, a right click on
// the caption at the mouse, and an iconic form's caption click too. It also keeps the native menu a menu bar took
// from it.
#pragma once

#include "classlib/win/forms.h"
#include "toolbars/system_menu_ex.h"

namespace cl {
class TMainMenu;
}

namespace tbr::menus {

class TForm : public cl::TForm {
  CL_CLASS(TForm, cl::TForm)
 public:
  explicit TForm(cl::TComponent* owner) : cl::TForm(owner) {}

  // The owner-drawn system menu; null for a form made without loading (CreateNew) until one is given, and once
  // it is freed. Without one, caption clicks are the system's.
  TSystemMenuEx* SystemMenu() const { return FSystemMenu.get(); }
  void SetSystemMenu(TSystemMenuEx* menu) { FSystemMenu = menu; }
  // The native menu a menu bar took from the form.
  cl::TMainMenu* NativeMenu() const { return FNativeMenu.get(); }
  void SetNativeMenu(cl::TMainMenu* menu) { FNativeMenu = menu; }

  // Opens the system menu at the remembered point (nothing for a window without a system menu).
  virtual void ShowSystemMenu();
  // Opens it at a screen point, or below the form's icon with fromIcon (at the top-left of the client area, or
  // below the caption of an iconic form); nothing while a menu is open.
  virtual void ShowSystemMenuAt(int x, int y, bool fromIcon);

  void Dispatch(cl::TMessage& message) override;

 protected:
  // Makes the system menu when the form has none.
  void Loaded() override;

 private:
  // Whether caption clicks go to the owner-drawn system menu.
  bool SystemMenuEnabled() const;
  bool NonClientLeftDown(cl::TMessage& message);
  bool NonClientLeftUp(cl::TMessage& message);

  cl::Weak<TSystemMenuEx> FSystemMenu;
  cl::Weak<cl::TMainMenu> FNativeMenu;
  cl::TPoint FPopupPoint{};
  bool FFromIcon = false;
  // Set when a caption press posted itself an icon press to skip.
  bool FSkipSystemPress = false;
};

// Takes the native menu bar off form (a form owned by another form keeps its menu): the menus' TForm keeps the
// menu for later. Nothing for null or a form without a menu.
void RemoveNativeMenu(cl::TComponent* form);

}  // namespace tbr::menus
