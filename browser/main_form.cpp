#include "browser/main_form.h"

namespace brw {

TTarnby* Tarnby = nullptr;

void TTarnby::CreateComponents() {
  SetCaption("Tarnby");
  SetBounds(202, 110, 544, 375);
}

}  // namespace brw
