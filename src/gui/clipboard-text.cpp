#include "clipboard-text.h"

#include <wx/clipbrd.h>

namespace murlo::gui {

std::optional<wxString> heldClipboardText() {
  if (!wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && !wxTheClipboard->IsSupported(wxDF_TEXT)) {
    return std::nullopt;
  }
  wxTextDataObject data;
  if (!wxTheClipboard->GetData(data)) return std::nullopt;
  return data.GetText();
}

bool isDroppableAddress(const std::string& text) { return text.rfind("http", 0) == 0; }

}  // namespace murlo::gui
