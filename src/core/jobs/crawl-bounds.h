// CrawlBounds: what keeps a recursive analysis finite on a server that answers any address.
// A careless server serves a folder's page for every deeper path, so a link "sub/" leads
// one folder deeper on every page, or its links lengthen the name they were found under;
// the crawl would follow them for ever. A page row beyond a bound stays in the list as an
// item; it is only not fetched and scanned. Real sites stay far inside both bounds.
#pragma once

#include <cstddef>
#include <string_view>

#include "items/item-record.h"

namespace murlo {

class CrawlBounds {
 public:
  // The longest full address of a page that is followed, in bytes (many servers refuse
  // longer request lines anyway).
  static constexpr std::size_t kMaxAddressLength = 2048;
  // How many folders below the start page's folder a followed page may lie.
  static constexpr int kMaxFoldersBelowStart = 32;

  // `startUrl`: the url (directory address) of the start page.
  explicit CrawlBounds(std::string_view startUrl = {});

  // Whether the page of `row` lies within both bounds.
  bool allows(const ItemRecord& row) const;

 private:
  int maxDepth_;
};

}  // namespace murlo
