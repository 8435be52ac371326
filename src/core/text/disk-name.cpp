#include "text/disk-name.h"

#include <optional>

#include "text/cp932.h"

namespace murlo {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string percentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = text[i] == '%' && i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
    const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
    if (low >= 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// UTF-8 text as it is; other text decoded from CP932, with `undecodable` for each byte
// that does not decode.
std::string toUtf8(std::string_view text, const char* undecodable) {
  if (isValidUtf8(text)) return std::string(text);
  const std::optional<std::string> decoded =
      convertText(text, "CP932", "UTF-8", [undecodable](std::string_view) {
        return Substitute{undecodable, 1};
      });
  return decoded.value_or(std::string(text));
}

// The CP932 form of the UTF-8 text `path`, when it converts there and back unchanged.
std::optional<std::string> exactCp932(std::string_view path) {
  std::string cp932 = utf8ToCp932(path);
  if (cp932ToUtf8(cp932) != path) return std::nullopt;
  return cp932;
}

}  // namespace

std::string diskName(std::string_view name) {
  std::string decoded = toUtf8(percentDecoded(name), "_");
  for (char& c : decoded) {
    if (c == '/' || c == '\0') c = '_';
  }
  return decoded;
}

std::string diskPath(std::string_view path) { return toUtf8(path, "_"); }

std::string itemTextOfPath(std::string_view path) {
  if (!isValidUtf8(path)) return std::string(path);
  return exactCp932(path).value_or(std::string(path));
}

std::string itemTextWithPath(std::string_view prefix, std::string_view path) {
  if (!isValidUtf8(path)) return std::string(prefix) + std::string(path);
  if (std::optional<std::string> cp932 = exactCp932(path)) return std::string(prefix) + *cp932;
  // The path holds characters CP932 lacks: the prefix follows it into UTF-8.
  return cp932ToUtf8(prefix) + std::string(path);
}

}  // namespace murlo
