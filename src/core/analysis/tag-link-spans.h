// Where the tag scanner's links stand in the bytes of a page file, for rewriting them.
#pragma once

#include <string_view>
#include <vector>

#include "analysis/link-rewriter.h"

namespace murlo {

// The links the tag scanner finds in `content`, a page file's bytes, with its four tag kinds
// on, in page order with their places in `content`. Only a link that stands there as it was
// found, as the double-quoted value of an href, src or background attribute, is given: the
// scanner's other finds (the text up to a later quote after an unquoted value, say) are
// page text, never addresses to rewrite.
std::vector<LinkSpan> findTagLinkSpans(std::string_view content);

}  // namespace murlo
