// Decoding of character references ("&amp;", "&#47;", "&#x2F;") in attribute values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/html-charset.h"

namespace murlo {

// The attribute value `raw` with its character references decoded as a browser decodes them
// in an attribute: numeric references always, named references from the set an address can
// hold (ASCII punctuation and "nbsp"). A reference without ";" followed by a letter, a digit
// or "=" stays as written ("?a=1&copy=2" keeps its "&copy"). Non-ASCII characters are
// written in `charset`, the page's own character set. With `rawOffsets`, that vector is set to
// the place in `raw` each byte of the result came from, and one entry more: `raw.size()`.
std::string decodeCharacterReferences(std::string_view raw, PageCharset charset,
                                      std::vector<std::size_t>* rawOffsets = nullptr);

}  // namespace murlo
