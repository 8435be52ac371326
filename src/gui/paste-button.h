// The "&P" button beside an address field: pastes the clipboard's text into the field.
#pragma once

#include <wx/bmpbuttn.h>
#include <wx/textctrl.h>

namespace murlo::gui {

class PasteButton : public wxBitmapButton {
 public:
  // Control identifier shared by every dialog that has the button.
  static constexpr int kId = 1032;

  PasteButton(wxWindow* parent, wxTextEntry* target);

  // Replaces the field's text by the clipboard's plain text; nothing without text.
  void paste();

 private:
  wxTextEntry* target_;
};

}  // namespace murlo::gui
