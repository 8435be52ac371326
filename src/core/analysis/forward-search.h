// ForwardSearch: repeated searches for one pattern in one page, from starts that only move
// forward.
//
// The link scanners search "the rest of the page" for a keyword or a quote again and again.
// Searching afresh each time costs the length of the rest, which makes a page full of tags
// that lack their keyword quadratic. Remembering the last match keeps every search inside
// the bytes between the previous match and the next one, so a whole scan stays linear.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/cp932.h"

namespace murlo {

class ForwardSearch {
 public:
  // `text` and `pattern` must outlive the search.
  ForwardSearch(std::string_view text, std::string_view pattern, TextEncoding encoding)
      : text_(text), pattern_(pattern), encoding_(encoding) {}

  // The first match at or after `from`, or std::string_view::npos. `from` must be a
  // character boundary of the text in its encoding.
  std::size_t find(std::size_t from);

 private:
  std::string_view text_;
  std::string_view pattern_;
  TextEncoding encoding_;
  bool searched_ = false;
  std::size_t searchedFrom_ = 0;
  std::size_t match_ = std::string_view::npos;
};

}  // namespace murlo
