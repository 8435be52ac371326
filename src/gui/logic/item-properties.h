// What the item properties dialog shows and writes back, without its window.
#pragma once

#include <cstdint>
#include <string>

#include "items/item-list.h"

namespace murlo::gui {

// Shown in the size field until the information has been fetched.
inline constexpr const char* kSizeUnconfirmed = "未確認";
// Shown in the size field when the fetch failed.
inline constexpr const char* kFileMissing = "このﾌｧｲﾙは存在しません";

// The size field for a fetched size: "不明" for 0, else bytes, KB or MB (two decimals, the
// larger unit once the quotient exceeds 0.8), followed by three blanks and "(N byte)".
std::string fileSizeText(std::int64_t size);

// The item text to store for a field that held `original` and now shows `shown` (UTF-8): the
// original bytes when it was left as shown, so untouched CP932 texts keep their bytes.
std::string editedItemText(const std::string& original, const std::string& shown);

// The editable columns as OK accepted them, in item bytes.
struct ItemEdit {
  std::string fileName;
  std::string url;
  std::string referrer;
};

// Writes an accepted edit into `row` and sets its extension from the new file name: the
// text after its first ".", the whole name without ".", nothing for "(index.htm)".
void applyItemEdit(ItemList& list, int row, const ItemEdit& edit);

}  // namespace murlo::gui
