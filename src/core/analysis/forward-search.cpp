#include "analysis/forward-search.h"

namespace murlo {

std::size_t ForwardSearch::find(std::size_t from) {
  // The remembered match is still the first one at or after `from` when `from` lies between
  // the start of the remembered search and its match (CP932 boundaries of both starts lie
  // on the same character grid, so the walk from the earlier start passes `from`).
  const bool reusable =
      searched_ && from >= searchedFrom_ && (match_ == std::string_view::npos || match_ >= from);
  if (!reusable) {
    match_ = findText(text_, pattern_, encoding_, from);
    searchedFrom_ = from;
    searched_ = true;
  }
  return match_;
}

}  // namespace murlo
