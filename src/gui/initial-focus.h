// Dialogs open with the keyboard in their first text field and its text selected, so what
// the user types right after opening replaces it.
#pragma once

#include <wx/dialog.h>
#include <wx/textctrl.h>

namespace murlo::gui {

void focusFieldOnOpen(wxDialog& dialog, wxTextCtrl& field);

}  // namespace murlo::gui
