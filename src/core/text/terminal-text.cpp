#include "text/terminal-text.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "text/cp932.h"

namespace murlo {

namespace {

std::string escape(const char* format, unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The length of the valid UTF-8 character `text` starts with; 0 when it starts with none.
std::size_t utf8CharLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return length <= text.size() && isValidUtf8(text.substr(0, length)) ? length : 0;
}

unsigned codePoint(std::string_view utf8Char) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8Char[i]); };
  if (utf8Char.size() == 1) return byte(0);
  unsigned value = byte(0) & (0x7F >> utf8Char.size());
  for (std::size_t i = 1; i < utf8Char.size(); ++i) value = (value << 6) | (byte(i) & 0x3F);
  return value;
}

// Escapes control characters and bytes that are not UTF-8; one line, UTF-8 out.
std::string escapeLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = utf8CharLength(text.substr(i));
    const auto lead = static_cast<unsigned char>(text[i]);
    if (length == 0 || lead < 0x20 || lead == 0x7F) {
      out += escape("\\x%02x", lead);
      ++i;
      continue;
    }
    const unsigned point = codePoint(text.substr(i, length));
    if (point >= 0x80 && point <= 0x9F) {
      out += escape("\\u%04x", point);
    } else {
      out.append(text.substr(i, length));
    }
    i += length;
  }
  return out;
}

bool isUtf8Terminal(std::string_view codeset) {
  // A terminal in the C locale (ASCII) shows UTF-8 as well as anything.
  return codeset.empty() || equalsIgnoreAsciiCase(codeset, "UTF-8") ||
         equalsIgnoreAsciiCase(codeset, "UTF8") ||
         equalsIgnoreAsciiCase(codeset, "ANSI_X3.4-1968") ||
         equalsIgnoreAsciiCase(codeset, "ASCII");
}

// Escaped UTF-8 in the terminal's encoding; what it lacks becomes "\uXXXX".
std::string toTerminalEncoding(std::string escaped, std::string_view codeset) {
  if (isUtf8Terminal(codeset)) return escaped;
  const std::string target(codeset);
  std::optional<std::string> converted =
      convertText(escaped, "UTF-8", target.c_str(), [](std::string_view rest) {
        const std::size_t length = std::max<std::size_t>(utf8CharLength(rest), 1);
        return Substitute{escape("\\u%04x", codePoint(rest.substr(0, length))), length};
      });
  return converted ? std::move(*converted) : escaped;
}

}  // namespace

std::string messageForTerminal(std::string_view message, std::string_view codeset) {
  std::string escaped;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = message.find('\n', start);
    std::string_view line =
        message.substr(start, end == std::string_view::npos ? end : end - start);
    if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
    escaped += escapeLine(line);
    if (end == std::string_view::npos) break;
    escaped += '\n';
    start = end + 1;
  }
  return toTerminalEncoding(std::move(escaped), codeset);
}

std::string itemTextForTerminal(std::string_view text, std::string_view codeset) {
  if (isValidUtf8(text)) return toTerminalEncoding(escapeLine(text), codeset);
  // CP932 bytes that do not decode stay as "\xNN".
  const std::optional<std::string> decoded =
      convertText(text, "CP932", "UTF-8", [](std::string_view rest) {
        return Substitute{escape("\\x%02x", static_cast<unsigned char>(rest[0])), 1};
      });
  return toTerminalEncoding(escapeLine(decoded.value_or(std::string(text))), codeset);
}

}  // namespace murlo
