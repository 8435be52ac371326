// Byte-string helpers for texts in CP932 (Shift-JIS) and UTF-8.
//
// Addresses, page texts and item columns are raw 8-bit strings. A search in such a text
// must not take the trail byte of a CP932 double-byte character for an ASCII byte ("/" or
// "." inside a kanji). UTF-8 never hides an ASCII byte inside a character, so a text that
// is valid UTF-8 is searched byte by byte.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace murlo {

// How a text is searched: CP932 lead bytes take their trail byte with them, or plain bytes.
enum class TextEncoding { Cp932, Utf8 };

constexpr bool isCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isValidUtf8(std::string_view text);

// Utf8 for a text that is valid UTF-8, Cp932 for any other text.
inline TextEncoding detectEncoding(std::string_view text) {
  return isValidUtf8(text) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

// Searches that only match at character boundaries of the given encoding. They return
// std::string_view::npos when there is no match. `from` must be a character boundary.
std::size_t findChar(std::string_view text, char ch, TextEncoding enc, std::size_t from = 0);
std::size_t findLastChar(std::string_view text, char ch, TextEncoding enc);
std::size_t findText(std::string_view text, std::string_view pattern, TextEncoding enc,
                     std::size_t from = 0);

// The same, with the encoding detected from the text itself (used for single addresses).
std::size_t findChar(std::string_view text, char ch);
std::size_t findLastChar(std::string_view text, char ch);
std::size_t findText(std::string_view text, std::string_view pattern);

// ASCII-only case folding: other bytes, CP932 and UTF-8 included, stay as they are.
constexpr char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);
bool startsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix);
bool endsWithIgnoreAsciiCase(std::string_view text, std::string_view suffix);
// Three-way comparison with ASCII letters folded, other bytes compared as unsigned values.
int compareIgnoreAsciiCase(std::string_view a, std::string_view b);

// What a conversion puts in place of an input unit it cannot convert, and how many input
// bytes that unit has (at least 1).
struct Substitute {
  std::string text;
  std::size_t skip = 1;
};
using SubstituteFor = std::function<Substitute(std::string_view rest)>;

// Converts `input` from the iconv encoding `from` to `to`. At each unit it cannot convert,
// `substitute` gets the input from that unit on. Nothing when iconv lacks the conversion.
std::optional<std::string> convertText(std::string_view input, const char* from, const char* to,
                                       const SubstituteFor& substitute);

// Conversions through iconv. They replace what cannot be converted by "?" and never fail.
std::string utf16leToCp932(std::string_view utf16le);
std::string cp932ToUtf8(std::string_view cp932);
std::string utf8ToCp932(std::string_view utf8);
// An item text for display: as it is when valid UTF-8, else decoded from CP932.
std::string displayText(std::string_view itemText);

}  // namespace murlo
