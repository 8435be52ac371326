// RecursivePasses: the passes a recursive analysis runs over the list after every page,
// the must-contain pass over the rows the page added and the duplicate removal, at the
// cost of the rows added since the previous run instead of the whole list.
//
//   RecursivePasses passes("http://host/dir/");
//   // after each page:
//   const int next = passes.run(items, pageRow + 1);
//
// It remembers the (url, fileName) keys of the rows it has passed. Those stay right as long
// as the list only gained rows at its end; any other change (a row deleted, edited, moved
// or sorted) shows in the list's revision and makes the next duplicate removal start over
// from row 0.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>

#include "items/item-list.h"

namespace murlo {

class RecursivePasses {
 public:
  // `mustContain`: the text a new row's url must contain; empty keeps every row.
  explicit RecursivePasses(std::string mustContain) : mustContain_(std::move(mustContain)) {}

  // Deletes the rows added since the previous run (all rows on the first run) whose url
  // lacks the must-contain text, then every row whose url and fileName equal those of an
  // earlier row, as ItemList::RemoveDuplicates does. The rows left keep their order.
  // Returns where the row that stood at index `follow` stands now or, when it was deleted,
  // the first row left of those after it; -1 when there is none.
  int run(ItemList& list, int follow);

 private:
  const std::string mustContain_;
  // The row count after the previous run: the rows before it are free of duplicates and
  // their keys are in keys_, unless the revision has changed since.
  int rowMark_ = 0;
  std::uint64_t revision_ = 0;
  std::unordered_set<std::string> keys_;
};

}  // namespace murlo
