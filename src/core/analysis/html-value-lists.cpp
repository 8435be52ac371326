#include "analysis/html-value-lists.h"

#include "text/cp932.h"

namespace murlo {

namespace {

constexpr auto npos = std::string_view::npos;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view trimSpace(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The position after the descriptors of a candidate: the first "," outside parentheses.
std::size_t skipDescriptors(std::string_view srcset, std::size_t pos) {
  bool inParentheses = false;
  for (; pos < srcset.size(); ++pos) {
    const char c = srcset[pos];
    if (c == '(') inParentheses = true;
    if (c == ')') inParentheses = false;
    if (c == ',' && !inParentheses) return pos + 1;
  }
  return pos;
}

}  // namespace

void forEachSrcsetCandidate(std::string_view srcset, const AddressFound& found) {
  std::size_t pos = 0;
  while (true) {
    while (pos < srcset.size() && (isSpace(srcset[pos]) || srcset[pos] == ',')) ++pos;
    if (pos >= srcset.size()) return;
    const std::size_t start = pos;
    while (pos < srcset.size() && !isSpace(srcset[pos])) ++pos;
    std::string_view address = srcset.substr(start, pos - start);
    if (address.back() == ',') {
      while (!address.empty() && address.back() == ',') address.remove_suffix(1);
    } else {
      pos = skipDescriptors(srcset, pos);
    }
    if (!address.empty()) found(address);
  }
}

void forEachCssUrl(std::string_view css, const AddressFound& found) {
  std::size_t pos = 0;
  while (pos + 4 <= css.size()) {
    if (css[pos] == '/' && css[pos + 1] == '*') {
      const std::size_t end = css.find("*/", pos + 2);
      if (end == npos) return;
      pos = end + 2;
      continue;
    }
    if (!startsWithIgnoreAsciiCase(css.substr(pos, 4), "url(")) {
      ++pos;
      continue;
    }
    pos += 4;
    while (pos < css.size() && isSpace(css[pos])) ++pos;
    if (pos >= css.size()) return;
    const bool quoted = css[pos] == '"' || css[pos] == '\'';
    const char close = quoted ? css[pos++] : ')';
    const std::size_t end = css.find(close, pos);
    if (end == npos) return;
    const std::string_view address = trimSpace(css.substr(pos, end - pos));
    if (!address.empty()) found(address);
    pos = end + 1;
  }
}

}  // namespace murlo
