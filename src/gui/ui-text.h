// Interface texts are UTF-8 in the source; wxWidgets takes them through this.
#pragma once

#include <wx/string.h>

#include <string>

namespace murlo::gui {

inline wxString u8(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace murlo::gui
