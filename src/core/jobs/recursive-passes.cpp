#include "jobs/recursive-passes.h"

#include <vector>

namespace murlo {

namespace {

// The url's length first, so that no two different pairs give the same key.
std::string rowKey(const ItemRecord& row) {
  return std::to_string(row.url.size()) + ':' + row.url + row.fileName;
}

}  // namespace

void RecursivePasses::run(ItemList& list) {
  ItemList::Batch batch(list);
  const bool keysValid = list.revision() == revision_;
  // Deletes rows from the mark on only: the rows whose keys are known stay as they were.
  list.KeepContaining(mustContain_, rowMark_);
  if (!keysValid) {
    keys_.clear();
    rowMark_ = 0;
  }
  std::vector<int> duplicates;
  for (int i = rowMark_; i < list.count(); ++i) {
    if (!keys_.insert(rowKey(list.row(i))).second) duplicates.push_back(i);
  }
  // From the end, so that each deletion moves only the rows after it.
  for (auto it = duplicates.rbegin(); it != duplicates.rend(); ++it) list.deleteRow(*it);
  rowMark_ = list.count();
  revision_ = list.revision();
}

}  // namespace murlo
