#include "toolbars/system_menu_ex.h"

#include "classlib/core/exceptions.h"
#include "toolbars/menu_form.h"

namespace tbr::menus {

void TSystemMenuEx::AfterConstruction() {
  inherited::AfterConstruction();
  auto* form = dynamic_cast<TForm*>(Owner());
  if (!form) {
    throw cl::Exception(
        "Error: Owner if TSystemMenuEx component is not an MenusEx.TForm. Possible reason: MenusEx unit doesn't "
        "placed at the end of uses clause of your form's unit");
  }
  form->SetSystemMenu(this);
}

bool TSystemMenuEx::OpensFromFormIcon() const {
  return dynamic_cast<TForm*>(PopupComponent()) != nullptr;
}

}  // namespace tbr::menus
