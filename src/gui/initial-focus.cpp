#include "initial-focus.h"

namespace murlo::gui {

void focusFieldOnOpen(wxDialog& dialog, wxTextCtrl& field) {
  // A dialog is initialised each time it is shown, after its controls exist.
  dialog.Bind(wxEVT_INIT_DIALOG, [&field](wxInitDialogEvent& event) {
    event.Skip();
    field.SetFocus();
    field.SelectAll();
  });
}

}  // namespace murlo::gui
