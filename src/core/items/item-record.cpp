#include "items/item-record.h"

#include <stdexcept>

namespace murlo {

const std::string& ItemRecord::column(int col) const {
  switch (col) {
    case kColFileName: return fileName;
    case kColUrl: return url;
    case kColTag: return tag;
    case kColExtension: return extension;
    case kColInfo: return info;
    case kColReferrer: return referrer;
    default: throw std::out_of_range("item column");
  }
}

std::string& ItemRecord::column(int col) {
  return const_cast<std::string&>(static_cast<const ItemRecord&>(*this).column(col));
}

std::string fullAddress(const ItemRecord& item) {
  if (item.fileName == kIndexMarker) return item.url;
  return item.url + item.fileName;
}

}  // namespace murlo
