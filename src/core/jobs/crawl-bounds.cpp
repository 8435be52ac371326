#include "jobs/crawl-bounds.h"

#include "analysis/address.h"

namespace murlo {

CrawlBounds::CrawlBounds(std::string_view startUrl)
    : maxDepth_(folderDepth(startUrl) + kMaxFoldersBelowStart) {}

bool CrawlBounds::allows(const ItemRecord& row) const {
  return fullAddress(row).size() <= kMaxAddressLength && folderDepth(row.url) <= maxDepth_;
}

}  // namespace murlo
