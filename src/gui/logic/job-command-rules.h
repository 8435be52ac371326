// When the job commands are enabled, and the checks of the recursive-analysis dialog.
#pragma once

#include <optional>
#include <string>

#include "analysis/address.h"
#include "items/item-list.h"

namespace murlo::gui {

// "解析" needs selected rows whose names all look like pages: at least 5 bytes ending in
// ".htm", ".html", ".htm)", "shtml" or ".cgi" (any letter case).
bool canAnalyzeSelection(const ItemList& list);

// While the must-contain field is empty, an address with a "/" suggests itself up to and
// including its last "/".
std::optional<std::string> suggestMustContain(const std::string& address,
                                              const std::string& mustContain);

}  // namespace murlo::gui
