#include "items/item-list.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "text/cp932.h"

namespace murlo {

ItemList::Batch::~Batch() {
  if (--list_.batchDepth_ == 0 && list_.pendingChange_) {
    list_.pendingChange_ = false;
    if (list_.listener_) list_.listener_();
  }
}

void ItemList::changed() {
  if (batchDepth_ > 0) {
    pendingChange_ = true;
    return;
  }
  if (listener_) listener_();
}

void ItemList::edited() {
  ++revision_;
  changed();
}

void ItemList::removed() {
  edited();
  if (removalListener_) removalListener_();
}

bool ItemList::AddItem(std::string fileName, std::string url, std::string tag,
                       std::string extension, std::string info, std::string referrer) {
  if (fileName.empty() || url.empty()) return false;
  ItemRecord& r = rows_.emplace_back();
  r.fileName = std::move(fileName);
  r.url = std::move(url);
  r.tag = std::move(tag);
  r.extension = std::move(extension);
  r.info = std::move(info);
  r.referrer = std::move(referrer);
  r.id = nextId_++;
  changed();
  return true;
}

int ItemList::FindPrevSelected(int skip) const {
  for (int i = std::min(count() - skip, count() - 1); i >= 0; --i) {
    if (rows_[static_cast<std::size_t>(i)].selected) return i;
  }
  return -1;
}

namespace {

struct KeyHash {
  std::size_t operator()(const std::pair<std::string_view, std::string_view>& k) const {
    const std::size_t a = std::hash<std::string_view>{}(k.first);
    const std::size_t b = std::hash<std::string_view>{}(k.second);
    return a ^ (b + 0x9E3779B97F4A7C15ULL + (a << 6) + (a >> 2));
  }
};

}  // namespace

bool ItemList::RemoveDuplicates() {
  // Keeping the first occurrence of every (url, fileName) pair gives the same rows as
  // comparing each row with all later ones and deleting the later copies.
  std::unordered_set<std::pair<std::string_view, std::string_view>, KeyHash> seen;
  seen.reserve(rows_.size());
  std::vector<bool> drop(rows_.size(), false);
  bool any = false;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!seen.emplace(rows_[i].url, rows_[i].fileName).second) {
      drop[i] = true;
      any = true;
    }
  }
  if (!any) return false;
  std::size_t out = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (drop[i]) continue;
    if (out != i) rows_[out] = std::move(rows_[i]);
    ++out;
  }
  rows_.resize(out);
  recountSelected();
  removed();
  return true;
}

void ItemList::KeepContaining(const std::string& text, int firstRow) {
  if (text.empty()) return;
  const std::size_t first = static_cast<std::size_t>(std::max(firstRow, 0));
  if (first >= rows_.size()) return;
  const auto lacksText = [&](const ItemRecord& r) { return !urlContains(r, text); };
  const auto tail =
      std::remove_if(rows_.begin() + static_cast<std::ptrdiff_t>(first), rows_.end(), lacksText);
  if (tail == rows_.end()) return;
  rows_.erase(tail, rows_.end());
  recountSelected();
  removed();
}

void ItemList::setText(int index, int column, std::string value) {
  rows_.at(static_cast<std::size_t>(index)).column(column) = std::move(value);
  ++revision_;
}

void ItemList::setImage(int index, int image) {
  rows_.at(static_cast<std::size_t>(index)).image = image;
}

void ItemList::setSelected(int index, bool selected) {
  bool& flag = rows_.at(static_cast<std::size_t>(index)).selected;
  selectedCount_ += static_cast<int>(selected) - static_cast<int>(flag);
  flag = selected;
}

void ItemList::recountSelected() {
  selectedCount_ = static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](const ItemRecord& r) { return r.selected; }));
}

void ItemList::deleteRow(int index) {
  if (index < 0 || index >= count()) throw std::out_of_range("item row");
  if (rows_[static_cast<std::size_t>(index)].selected) --selectedCount_;
  rows_.erase(rows_.begin() + index);
  removed();
}

void ItemList::deleteAll() {
  rows_.clear();
  selectedCount_ = 0;
  removed();
}

void ItemList::deleteIf(const std::function<bool(const ItemRecord&)>& pred) {
  const auto tail = std::remove_if(rows_.begin(), rows_.end(), pred);
  if (tail == rows_.end()) return;
  rows_.erase(tail, rows_.end());
  recountSelected();
  removed();
}

void ItemList::swapTexts(int a, int b) {
  ItemRecord& ra = rows_.at(static_cast<std::size_t>(a));
  ItemRecord& rb = rows_.at(static_cast<std::size_t>(b));
  for (int col = 0; col < kColumnCount; ++col) std::swap(ra.column(col), rb.column(col));
  std::swap(ra.id, rb.id);
  ++revision_;
}

int ItemList::findById(std::uint64_t id) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

void ItemList::sortByColumn(int column, bool descending) {
  std::stable_sort(rows_.begin(), rows_.end(), [&](const ItemRecord& a, const ItemRecord& b) {
    const int c = compareIgnoreAsciiCase(a.column(column), b.column(column));
    return descending ? c > 0 : c < 0;
  });
  edited();
}

bool urlContains(const ItemRecord& row, const std::string& text) {
  return row.url.size() >= text.size() && findText(row.url, text) != std::string_view::npos;
}

std::string itemCountText(int count) { return "ｱｲﾃﾑ数 ： " + std::to_string(count); }

bool ColumnSortState::click(int column) {
  descending_ = (column == lastColumn_) ? !descending_ : false;
  lastColumn_ = column;
  return descending_;
}

}  // namespace murlo
