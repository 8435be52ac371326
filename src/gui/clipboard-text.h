// Plain text from the clipboard. UI thread only.
#pragma once

#include <wx/string.h>

#include <optional>

namespace murlo::gui {

// The clipboard's text, or nothing when it holds none. The caller holds the clipboard open
// (wxClipboardLocker).
std::optional<wxString> heldClipboardText();

}  // namespace murlo::gui
