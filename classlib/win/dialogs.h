// Message dialogs: MessageDlg builds a small modal form of the library (so any set of buttons works) and returns
// the modal result of the button pressed; ShowMessage shows text with OK. Both ask the test responder first.
#pragma once

#include <string>

#include "classlib/core/set.h"
#include "classlib/win/forms.h"

namespace cl {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = Set<TMsgDlgBtn>;

// "Warning", "Error", "Information", "Confirm", or the application's title for mtCustom.
std::string MessageDlgTitle(TMsgDlgType type);
// The dialog form, not yet shown: caption, the icon of the type (none for mtCustom), the text, buttons (default
// OK or Yes, else the first; Esc gives Cancel, No or the last), laid out from the font's measures so that all of
// it shows whole. The caller frees it.
TForm* CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
void ShowMessage(const std::string& text);

}  // namespace cl
