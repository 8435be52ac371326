// RowCursor: the row a job works on, followed by its identity, so that rows deleted or
// moved while the job runs never make it update the wrong row.
#pragma once

#include <cstdint>

#include "items/item-list.h"

namespace murlo {

class RowCursor {
 public:
  void point(const ItemList& list, int index) {
    id_ = list.row(index).id;
    index_ = index;
  }
  void clear() { id_ = 0; }
  // The row's index now, or -1 when there is none or it was deleted.
  int find(const ItemList& list) {
    if (id_ == 0) return -1;
    // Rows before it are rarely deleted: look where it was first.
    if (index_ >= 0 && index_ < list.count() && list.row(index_).id == id_) return index_;
    const int index = list.findById(id_);
    if (index >= 0) index_ = index;
    return index;
  }
  // Where the search for the next row starts: after the row, or, when it was deleted, at
  // the index it had (where the row after it has moved up to).
  int next(const ItemList& list) {
    const int index = find(list);
    return index >= 0 ? index + 1 : index_;
  }

 private:
  std::uint64_t id_ = 0;
  int index_ = -1;
};

}  // namespace murlo
