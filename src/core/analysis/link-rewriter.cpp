#include "analysis/link-rewriter.h"

#include <algorithm>

namespace murlo {

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
    const std::optional<std::string> replacement = replace(span.link);
    if (!replacement) continue;
    out.append(content.substr(copied, span.offset - copied));
    out.append(*replacement);
    copied = span.offset + span.length;
  }
  out.append(content.substr(copied));
  return out;
}

}  // namespace murlo
