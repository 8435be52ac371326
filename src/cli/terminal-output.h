// The texts murlo-cli prints that carry item, page or user texts, in the terminal's
// encoding with their control characters escaped (see text/terminal-text.h).
#pragma once

#include <string>
#include <string_view>

namespace murlo::cli {

// The encoding of the user's locale. Read on the first call, which main makes before any
// other thread runs (the locale is switched for a moment).
const std::string& terminalCodeset();

// A UTF-8 message; "\r\n" ends a line.
std::string showMessage(std::string_view message);
// An item or page text (CP932 or UTF-8), on one line.
std::string showItemText(std::string_view text);

}  // namespace murlo::cli
