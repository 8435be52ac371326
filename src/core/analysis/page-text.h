// The text of a page as the link scanners search it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text/cp932.h"

namespace murlo {

struct PageText {
  std::string text;
  // How the scanners search it: byte by byte for a page that is valid UTF-8, else with
  // CP932 trail bytes skipped. Decided once from the page as it was loaded.
  TextEncoding encoding = TextEncoding::Cp932;
};

// Turns a page file's content into the scanned text: the text ends at the first NUL byte,
// the encoding is detected, and white space is normalised.
PageText preparePageText(std::string content);

// Replaces every CR together with the byte after it by one space (a CR LF pair becomes one
// space, a lone CR swallows the next byte), then every LF and every tab by a space.
void normaliseWhiteSpace(std::string& text);

// Where normaliseWhiteSpace(`text`) puts the spaces that stand for a CR and the byte after
// it, as offsets into the normalised text, ascending. With them an offset into the
// normalised text is mapped back to `text`: each such space before it stands for one more
// byte.
std::vector<std::size_t> collapsedCrSpaces(std::string_view text);

// Receives each link a scanner cuts out, with the tag of the scanner's test that found it,
// in the order found.
using LinkFound = std::function<void(std::string_view link, std::string_view tag)>;

}  // namespace murlo
