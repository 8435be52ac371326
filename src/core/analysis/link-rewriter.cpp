#include "analysis/link-rewriter.h"

#include <algorithm>

namespace murlo {

namespace {

// `text` with the characters that end or start a reference or an attribute value written as
// character references.
std::string withCharacterReferences(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string rewriteLinks(std::string_view content, std::vector<LinkSpan> spans,
                         const LinkReplacement& replace) {
  std::stable_sort(spans.begin(), spans.end(),
                   [](const LinkSpan& a, const LinkSpan& b) { return a.offset < b.offset; });
  std::string out;
  out.reserve(content.size());
  std::size_t copied = 0;
  for (const LinkSpan& span : spans) {
    if (span.offset < copied || span.offset > content.size() ||
        span.length > content.size() - span.offset) {
      continue;
    }
    const std::optional<std::string> replacement = replace(span);
    if (!replacement) continue;
    out.append(content.substr(copied, span.offset - copied));
    out.append(span.characterReferences ? withCharacterReferences(*replacement) : *replacement);
    copied = span.offset + span.length;
  }
  out.append(content.substr(copied));
  return out;
}

}  // namespace murlo
