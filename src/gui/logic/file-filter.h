// The wildcard a file dialog is given for the program's filter texts. The desktop's file
// chooser matches patterns as written, case and dots included, where the program's filters
// mean "any file" by "*.*" and any case by "*.htm"; this bridges the two.
#pragma once

#include <string>

namespace murlo::gui {

// "label|patterns|label|patterns||" as the program writes it -> the same without the closing
// "|" marks, each "*.*" as "*", and every pattern with letters followed by a copy that
// matches them in either case ("*.wav" -> "*.wav;*.[wW][aA][vV]"); the pattern as written
// stays first, because the dialog takes a saved file's extension from it. Empty for an
// empty filter.
std::string fileDialogWildcard(const std::string& filter);

}  // namespace murlo::gui
