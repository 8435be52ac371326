// The character set of an HTML page, as the HTML link finder needs it: taken from the byte
// order mark or a <meta> charset near the top, else guessed from the bytes.
#pragma once

#include <string>
#include <string_view>

namespace murlo {

enum class PageCharset { kUtf8, kShiftJis, kEucJp, kLatin1 };

struct CharsetOfPage {
  PageCharset charset = PageCharset::kUtf8;
  // Bytes of a UTF-8 byte order mark at the start, which are not page text.
  std::size_t bomLength = 0;
  // Set for a UTF-16 page: the page converted to UTF-8, which is then searched instead.
  std::string convertedUtf16;
};

CharsetOfPage detectPageCharset(std::string_view content);

// Appends the code point `codePoint` to `out` in `charset`; "?" where it has no such
// character.
void appendCodePoint(std::string& out, char32_t codePoint, PageCharset charset);

}  // namespace murlo
