#include "viewer/repaint_form.h"

namespace viewer {

TFrmRepaint* FrmRepaint = nullptr;

void TFrmRepaint::BeforeDestruction() {
  if (FrmRepaint == this) FrmRepaint = nullptr;
  inherited::BeforeDestruction();
}

void TFrmRepaint::CreateComponents() {
  SetCaption("Repainting...");
}

}  // namespace viewer
