// The forms the viewer makes at start, in their order.
#pragma once

namespace viewer {

// Makes the frame, the program's main form, and then the dialogs the program keeps for its whole run: TAdjustFrm,
// TAllScrFrm, TPrefFrm, TQualityFrm, TFrmRepaint, TRotateFrm and TAssocDialog. When the frame found another
// instance running (it handed this start's files over and asked the program to end), nothing more is made.
void CreateStartUpForms();

}  // namespace viewer
