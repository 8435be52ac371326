// Plain text from the clipboard or dropped by the user. UI thread only.
#pragma once

#include <wx/string.h>

#include <optional>
#include <string>

namespace murlo::gui {

// The clipboard's text, or nothing when it holds none. The caller holds the clipboard open
// (wxClipboardLocker).
std::optional<wxString> heldClipboardText();

// Accepts text beginning with "http" dropped onto the list or the wizard's address field.
bool isDroppableAddress(const std::string& text);

}  // namespace murlo::gui
