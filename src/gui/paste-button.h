// The "&P" button beside an address field: pastes the clipboard's text into the field.
#pragma once

#include <wx/bmpbuttn.h>
#include <wx/textctrl.h>

namespace murlo::gui {

class PasteButton : public wxBitmapButton {
 public:
  // Control identifier shared by every dialog that has the button.
  static constexpr int kId = 1032;

  // kReplace puts the clipboard's text in place of the field's; kAtCaret inserts it at the
  // caret over the selection, as the field's own paste does.
  enum class Mode { kReplace, kAtCaret };

  PasteButton(wxWindow* parent, wxTextEntry* target, Mode mode = Mode::kReplace);

  // Pastes the clipboard's plain text into the field; nothing without text.
  void paste();

 private:
  wxTextEntry* target_;
  Mode mode_;
};

}  // namespace murlo::gui
