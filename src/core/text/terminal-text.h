// Texts for a terminal. Item and page texts come from lists and pages of any origin: a
// control character in them could retitle, recolour or clear the terminal, so every one is
// shown as an escape, and the text is converted to the terminal's encoding.
#pragma once

#include <string>
#include <string_view>

namespace murlo {

// A UTF-8 message (which may quote addresses) as the terminal with the locale encoding
// `codeset` (nl_langinfo(CODESET)) shows it. "\n" or "\r\n" ends a line; other control characters
// (C0 with tab and ESC, DEL, C1) become "\x1b" or "\u009b", bytes that are not UTF-8 "\xNN";
// what the terminal's encoding cannot show becomes "\uXXXX".
std::string messageForTerminal(std::string_view message, std::string_view codeset);

// An item or page text, UTF-8 when valid and CP932 otherwise, shown the same way on one line.
std::string itemTextForTerminal(std::string_view text, std::string_view codeset);

}  // namespace murlo
