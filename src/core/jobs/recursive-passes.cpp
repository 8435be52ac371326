#include "jobs/recursive-passes.h"

#include <algorithm>
#include <vector>

namespace murlo {

namespace {

// The url's length first, so that no two different pairs give the same key.
std::string rowKey(const ItemRecord& row) {
  return std::to_string(row.url.size()) + ':' + row.url + row.fileName;
}

// Deletes the rows at the ascending indexes `rows`, the last one first so that each
// deletion moves only the rows after it. Returns where index `follow` has moved to.
int deleteRows(ItemList& list, const std::vector<int>& rows, int follow) {
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) list.deleteRow(*it);
  return follow -
         static_cast<int>(std::lower_bound(rows.begin(), rows.end(), follow) - rows.begin());
}

}  // namespace

int RecursivePasses::run(ItemList& list, int follow) {
  ItemList::Batch batch(list);
  const bool keysValid = list.revision() == revision_;
  // Only rows from the mark on are tested: the rows whose keys are known stay as they were.
  std::vector<int> lacking;
  if (!mustContain_.empty()) {
    for (int i = rowMark_; i < list.count(); ++i) {
      if (!urlContains(list.row(i), mustContain_)) lacking.push_back(i);
    }
  }
  follow = deleteRows(list, lacking, follow);
  if (!keysValid) {
    keys_.clear();
    rowMark_ = 0;
  }
  std::vector<int> duplicates;
  for (int i = rowMark_; i < list.count(); ++i) {
    if (!keys_.insert(rowKey(list.row(i))).second) duplicates.push_back(i);
  }
  follow = deleteRows(list, duplicates, follow);
  rowMark_ = list.count();
  revision_ = list.revision();
  return follow < list.count() ? follow : -1;
}

}  // namespace murlo
