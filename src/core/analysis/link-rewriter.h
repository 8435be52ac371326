// Rewriting the addresses of a page in its own bytes: only the bytes of each address
// change, whatever the page's encoding, so any finder that knows where its links stand can
// feed it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace murlo {

// A link as it stands in a page: `length` bytes at `offset` hold it. `link` is the address
// those bytes mean (equal to them, or decoded, say, from character references).
struct LinkSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
  std::string link;
  // The bytes write the link with character references: its replacement is written with
  // "&amp;" for "&" and references for quotes as well.
  bool characterReferences = false;
  // The page's <base href> in effect where the link stands, as written; empty for none.
  std::string base{};
  // The span is the value of that <base href> itself.
  bool baseElement = false;
};

// Finds the links of a page file's bytes, with their places (tag-link-spans.h, say).
using LinkSpanFinder = std::function<std::vector<LinkSpan>(std::string_view content)>;

// The bytes to put in place of a link, or nothing to leave it as it is.
using LinkReplacement = std::function<std::optional<std::string>(const LinkSpan& span)>;

// `content` with the bytes of each span replaced by what `replace` gives for it. The
// spans are taken in the order of their offsets; a span that overlaps one before it or
// reaches past the end of `content` is left alone.
std::string rewriteLinks(std::string_view content, std::vector<LinkSpan> spans,
                         const LinkReplacement& replace);

}  // namespace murlo
