// ItemList: the one store of the item list's rows, addressed by row index.
//
// Runs on the front end's thread only; worker threads never see it. Every operation that
// adds or removes rows notifies the change listener once when it is done, so a front end
// can refresh its count text and redraw.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "items/item-record.h"

namespace murlo {

class ItemList {
 public:
  using ChangeListener = std::function<void()>;

  // Appends a row (image 0, state image 1, not selected). Refuses, adding nothing, when
  // fileName or url is empty. No duplicate test is made.
  bool AddItem(std::string fileName, std::string url, std::string tag, std::string extension,
               std::string info, std::string referrer);

  // Scans from row (count - skip) down to row 0 and returns the first selected row, or -1.
  int FindPrevSelected(int skip) const;

  // Deletes every later row whose url and fileName equal those of an earlier row (exact
  // bytes). Returns whether a row was removed. Linear time.
  bool RemoveDuplicates();

  // Deletes, from the last row down to `firstRow`, every row whose url does not contain
  // `text`. Does nothing when the text is empty.
  void KeepContaining(const std::string& text, int firstRow);

  int count() const { return static_cast<int>(rows_.size()); }
  const ItemRecord& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
  const std::string& text(int index, int column) const { return row(index).column(column); }
  void setText(int index, int column, std::string value);
  void setImage(int index, int image);
  void setSelected(int index, bool selected);
  // Kept as rows are selected and deleted: the commands' enabled states ask for it at every
  // idle moment, also of a list of 100,000 rows.
  int selectedCount() const { return selectedCount_; }
  void deleteRow(int index);
  void deleteAll();
  // Deletes every row for which `pred` holds, in one pass.
  void deleteIf(const std::function<bool(const ItemRecord&)>& pred);
  // Exchanges the six texts of two rows, as the move commands do. Images and selection stay
  // where they are; the identity goes with the texts, since it names the item.
  void swapTexts(int a, int b);

  // The row index of the row with the given identity, or -1 when it was deleted.
  int findById(std::uint64_t id) const;

  // Counts the changes other than appended rows, images and selections. While it stays the
  // same, the rows a caller has seen are all still there, in the same order and with the
  // same texts.
  std::uint64_t revision() const { return revision_; }

  // Sorts the rows by one column's text (ASCII letters folded); ties keep their order.
  void sortByColumn(int column, bool descending);

  void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }
  // Called at once after an operation removed rows, also inside a Batch: a running download
  // takes the rows the user deleted back from its worker before it fetches them. One
  // listener; a null one ends the notices.
  void setRemovalListener(ChangeListener listener) { removalListener_ = std::move(listener); }

  // Defers change notifications while it lives and sends at most one at its end.
  class Batch {
   public:
    explicit Batch(ItemList& list) : list_(list) { ++list_.batchDepth_; }
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    ItemList& list_;
  };

 private:
  void changed();
  // A change that is not only an appended row.
  void edited();
  // A change that removed rows.
  void removed();
  // After rows were removed in bulk: counts the selected rows anew.
  void recountSelected();

  // A deque: the download deletes the first row after every item, which must not move all
  // the others.
  std::deque<ItemRecord> rows_;
  std::uint64_t revision_ = 0;
  std::uint64_t nextId_ = 1;
  ChangeListener listener_;
  ChangeListener removalListener_;
  int batchDepth_ = 0;
  int selectedCount_ = 0;
  bool pendingChange_ = false;
};

// The must-contain test: whether the row's url contains `text`.
bool urlContains(const ItemRecord& row, const std::string& text);

// The status-bar text with the row count, in UTF-8.
std::string itemCountText(int count);

// Remembers the last sorted column and direction: clicking the same column again flips the
// direction, another column sorts ascending.
class ColumnSortState {
 public:
  // Records a click on `column` and returns whether the sort is descending.
  bool click(int column);

 private:
  int lastColumn_ = -1;
  bool descending_ = false;
};

}  // namespace murlo
