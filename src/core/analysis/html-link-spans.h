// Where the HTML link finder's links stand in the bytes of a page file, for rewriting them.
#pragma once

#include <string_view>
#include <vector>

#include "analysis/link-rewriter.h"

namespace murlo {

// Every place of every link the HTML link finder finds in `content`, a page file's bytes,
// with its four tag kinds on: each srcset candidate, lazy-loading attribute and CSS url() on
// its own, whatever the quoting. A link written with character references is given by its
// decoded address, the span covering the bytes as written. Each span carries the page's
// <base href> in effect where it stands, and the base's own value is a span. A UTF-16 page
// has none.
std::vector<LinkSpan> findHtmlLinkSpans(std::string_view content);

}  // namespace murlo
