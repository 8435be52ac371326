#include "analysis/html-charset.h"

#include <array>
#include <optional>

#include "text/cp932.h"

namespace murlo {

namespace {

// A <meta> charset must stand within this many bytes of the start, as browsers require.
constexpr std::size_t kPrescanLength = 1024;

struct CharsetName {
  std::string_view name;
  PageCharset charset;
};

constexpr std::array<CharsetName, 14> kCharsetNames{{
    {"utf-8", PageCharset::kUtf8},
    {"utf8", PageCharset::kUtf8},
    {"shift_jis", PageCharset::kShiftJis},
    {"shift-jis", PageCharset::kShiftJis},
    {"sjis", PageCharset::kShiftJis},
    {"x-sjis", PageCharset::kShiftJis},
    {"windows-31j", PageCharset::kShiftJis},
    {"cp932", PageCharset::kShiftJis},
    {"euc-jp", PageCharset::kEucJp},
    {"x-euc-jp", PageCharset::kEucJp},
    {"iso-8859-1", PageCharset::kLatin1},
    {"latin1", PageCharset::kLatin1},
    {"windows-1252", PageCharset::kLatin1},
    {"us-ascii", PageCharset::kLatin1},
}};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// The charset a "charset=" in `tag` names: nothing when there is none; kUnknown when it
// names one of no concern here.
enum class Declared { kNone, kUnknown, kKnown };

Declared charsetInTag(std::string_view tag, PageCharset& charset) {
  constexpr std::string_view kKey = "charset";
  for (std::size_t at = 0; at + kKey.size() < tag.size(); ++at) {
    if (!startsWithIgnoreAsciiCase(tag.substr(at), kKey)) continue;
    std::size_t pos = at + kKey.size();
    while (pos < tag.size() && isSpace(tag[pos])) ++pos;
    if (pos >= tag.size() || tag[pos] != '=') continue;
    ++pos;
    while (pos < tag.size() && (isSpace(tag[pos]) || tag[pos] == '"' || tag[pos] == '\'')) ++pos;
    std::size_t end = pos;
    while (end < tag.size() && !isSpace(tag[end]) &&
           std::string_view("\"';/").find(tag[end]) == std::string_view::npos) {
      ++end;
    }
    const std::string_view name = tag.substr(pos, end - pos);
    for (const CharsetName& known : kCharsetNames) {
      if (equalsIgnoreAsciiCase(name, known.name)) {
        charset = known.charset;
        return Declared::kKnown;
      }
    }
    return Declared::kUnknown;
  }
  return Declared::kNone;
}

// The charset the first <meta> with a "charset=" declares, if it is one of ours.
std::optional<PageCharset> declaredCharset(std::string_view head) {
  for (std::size_t at = 0;
       (at = findText(head, "<", TextEncoding::Utf8, at)) != std::string_view::npos; ++at) {
    if (!startsWithIgnoreAsciiCase(head.substr(at + 1), "meta")) continue;
    const std::size_t end = head.find('>', at);
    PageCharset charset = PageCharset::kUtf8;
    switch (
        charsetInTag(head.substr(at, end == std::string_view::npos ? end : end - at), charset)) {
      case Declared::kKnown: return charset;
      case Declared::kUnknown: return std::nullopt;
      case Declared::kNone: break;
    }
  }
  return std::nullopt;
}

const char* iconvName(PageCharset charset) {
  switch (charset) {
    case PageCharset::kShiftJis: return "CP932";
    case PageCharset::kEucJp: return "EUC-JP";
    case PageCharset::kLatin1: return "CP1252";
    case PageCharset::kUtf8: break;
  }
  return "UTF-8";
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

CharsetOfPage detectPageCharset(std::string_view content) {
  CharsetOfPage result;
  if (content.substr(0, 3) == "\xEF\xBB\xBF") {
    result.bomLength = 3;
    return result;
  }
  const std::string_view bom = content.substr(0, 2);
  if (bom == "\xFF\xFE" || bom == "\xFE\xFF") {
    const char* from = bom == "\xFF\xFE" ? "UTF-16LE" : "UTF-16BE";
    result.convertedUtf16 = convertText(content.substr(2), from, "UTF-8", [](std::string_view) {
                              return Substitute{"?", 2};
                            }).value_or(std::string());
    return result;
  }
  if (const std::optional<PageCharset> declared =
          declaredCharset(content.substr(0, kPrescanLength))) {
    result.charset = *declared;
    return result;
  }
  result.charset =
      detectEncoding(content) == TextEncoding::Utf8 ? PageCharset::kUtf8 : PageCharset::kShiftJis;
  return result;
}

void appendCodePoint(std::string& out, char32_t codePoint, PageCharset charset) {
  if (codePoint < 0x80 || charset == PageCharset::kUtf8) {
    appendUtf8(out, codePoint);
    return;
  }
  std::string utf8;
  appendUtf8(utf8, codePoint);
  out += convertText(utf8, "UTF-8", iconvName(charset), [](std::string_view rest) {
           std::size_t skip = 1;
           while (skip < rest.size() && (static_cast<unsigned char>(rest[skip]) & 0xC0) == 0x80) {
             ++skip;
           }
           return Substitute{"?", skip};
         }).value_or("?");
}

}  // namespace murlo
