#include "text/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace murlo {

bool isValidUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    // Fast path over ASCII, eight bytes at a time.
    while (end - p >= 8) {
      std::uint64_t block;
      std::memcpy(&block, p, 8);
      if (block & 0x8080808080808080ULL) break;
      p += 8;
    }
    if (p >= end) break;
    unsigned char c = *p;
    if (c < 0x80) {
      ++p;
      continue;
    }
    int extra;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      if (c == 0xE0) lo = 0xA0;
      if (c == 0xED) hi = 0x9F;  // no UTF-16 surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (end - p <= extra) return false;
    if (p[1] < lo || p[1] > hi) return false;
    for (int i = 2; i <= extra; ++i) {
      if (p[i] < 0x80 || p[i] > 0xBF) return false;
    }
    p += extra + 1;
  }
  return true;
}

namespace {

// Returns the first character boundary at or after `from` where `pred` holds, walking CP932
// characters (a lead byte takes the byte after it along).
template <typename Pred>
std::size_t walkCp932(std::string_view text, std::size_t from, Pred pred) {
  const std::size_t n = text.size();
  std::size_t i = from;
  while (i < n) {
    if (pred(i)) return i;
    i += isCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::size_t findChar(std::string_view text, char ch, TextEncoding enc, std::size_t from) {
  if (enc == TextEncoding::Utf8) return text.find(ch, from);
  return walkCp932(text, from, [&](std::size_t i) { return text[i] == ch; });
}

std::size_t findLastChar(std::string_view text, char ch, TextEncoding enc) {
  if (enc == TextEncoding::Utf8) return text.rfind(ch);
  std::size_t last = std::string_view::npos;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == static_cast<unsigned char>(ch)) last = i;
    i += isCp932LeadByte(c) ? 2 : 1;
  }
  return last;
}

std::size_t findText(std::string_view text, std::string_view pattern, TextEncoding enc,
                     std::size_t from) {
  if (pattern.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (enc == TextEncoding::Utf8) return text.find(pattern, from);
  // The first byte is tested inline: a call to compare at every character would cost more
  // than the walk itself.
  return walkCp932(text, from, [&](std::size_t i) {
    return text[i] == pattern[0] && text.compare(i, pattern.size(), pattern) == 0;
  });
}

std::size_t findChar(std::string_view text, char ch) {
  return findChar(text, ch, detectEncoding(text));
}
std::size_t findLastChar(std::string_view text, char ch) {
  return findLastChar(text, ch, detectEncoding(text));
}
std::size_t findText(std::string_view text, std::string_view pattern) {
  return findText(text, pattern, detectEncoding(text));
}

bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

bool endsWithIgnoreAsciiCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         equalsIgnoreAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

bool startsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         equalsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

int compareIgnoreAsciiCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(asciiLower(a[i]));
    const auto cb = static_cast<unsigned char>(asciiLower(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::optional<std::string> convertText(std::string_view input, const char* from, const char* to,
                                       const SubstituteFor& substitute) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  out.reserve(input.size() * 2);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: put the substitute in place of the unit and go on after it.
      const Substitute replaced = substitute(std::string_view(in, inLeft));
      out.append(replaced.text);
      const std::size_t skip = std::clamp<std::size_t>(replaced.skip, 1, inLeft);
      in += skip;
      inLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

namespace {

// Converts with iconv, putting `replacement` for every input unit it cannot convert.
std::string convert(std::string_view input, const char* from, const char* to, std::size_t unitSize,
                    std::string_view replacement) {
  return convertText(input, from, to,
                     [&](std::string_view) {
                       return Substitute{std::string(replacement), unitSize};
                     })
      .value_or(std::string(input));
}

}  // namespace

std::string utf16leToCp932(std::string_view utf16le) {
  return convert(utf16le, "UTF-16LE", "CP932", 2, "?");
}

std::string cp932ToUtf8(std::string_view cp932) {
  return convert(cp932, "CP932", "UTF-8", 1, "\xEF\xBF\xBD");
}

std::string utf8ToCp932(std::string_view utf8) { return convert(utf8, "UTF-8", "CP932", 1, "?"); }

std::string displayText(std::string_view itemText) {
  return isValidUtf8(itemText) ? std::string(itemText) : cp932ToUtf8(itemText);
}

}  // namespace murlo
