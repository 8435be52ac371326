#include "logic/item-properties.h"

#include <cstdio>

#include "analysis/address.h"
#include "text/cp932.h"

namespace murlo::gui {

std::string fileSizeText(std::int64_t size) {
  if (size == 0) return "不明";
  char text[64];
  const double kb = static_cast<double>(size) / 1024;
  const double mb = static_cast<double>(size) / 1048576;
  if (mb > 0.8) {
    std::snprintf(text, sizeof text, "%.2f MB", mb);
  } else if (kb > 0.8) {
    std::snprintf(text, sizeof text, "%.2f KB", kb);
  } else {
    std::snprintf(text, sizeof text, "%lld ﾊﾞｲﾄ", static_cast<long long>(size));
  }
  char bytes[40];
  std::snprintf(bytes, sizeof bytes, "   (%lld byte)", static_cast<long long>(size));
  return std::string(text) + bytes;
}

std::string editedItemText(const std::string& original, const std::string& shown) {
  return displayText(original) == shown ? original : shown;
}

void applyItemEdit(ItemList& list, int row, const ItemEdit& edit) {
  list.setText(row, kColFileName, edit.fileName);
  list.setText(row, kColUrl, edit.url);
  list.setText(row, kColReferrer, edit.referrer);
  list.setText(row, kColExtension,
               edit.fileName == kIndexMarker ? "" : linkExtension(edit.fileName));
}

}  // namespace murlo::gui
