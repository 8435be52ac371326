#include "logic/shorten-text.h"

#include <algorithm>
#include <vector>

namespace murlo::gui {

namespace {

// The list control's report rows: every cell keeps 8 pixels free at its right; column 0
// starts 2 pixels in and draws its 16-pixel icon and a 5-pixel gap before the label.
constexpr int kCellPadding = 8;
constexpr int kIconSpace = 2 + 16 + 5;
// The label's own insets of 2 pixels on each side make its width 4 more than the room.
constexpr int kLabelInsets = 4;
constexpr int kFirstMargin = 4;
constexpr int kOtherMargin = 12;

}  // namespace

std::string shortenText(const std::string& text, int width, int margin,
                        const TextMeasure& measure) {
  if (text.empty() || measure(text) + margin <= width) return text;
  // Character boundaries of the text (UTF-8 here: the list shows decoded texts).
  std::vector<std::size_t> ends;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    i = std::min(text.size(), i + len);
    ends.push_back(i);
  }
  const int dots = measure("...");
  // Binary search for the longest prefix that fits; widths grow with the prefix.
  std::size_t lo = 1, hi = ends.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi + 1) / 2;
    if (measure(text.substr(0, ends[mid - 1])) + dots + margin <= width) lo = mid;
    else hi = mid - 1;
  }
  return text.substr(0, ends[lo - 1]) + "...";
}

CellGeometry cellGeometry(int column, int columnWidth) {
  if (column == 0) {
    const int room = columnWidth - kCellPadding - kIconSpace;
    return {room + kLabelInsets, kFirstMargin, room};
  }
  return {columnWidth, kOtherMargin, columnWidth - kCellPadding};
}

std::string cellText(const std::string& text, const CellGeometry& cell, bool leftAligned,
                     const TextMeasure& measure) {
  std::string shown = shortenText(text, cell.width, cell.margin, measure);
  if (leftAligned || shown == text) return shown;
  // The control centres a text by the room it leaves: filled up, the text starts at the left.
  const int blank = measure(" ");
  if (blank <= 0) return shown;
  int blanks = std::max(0, (cell.room - measure(shown)) / blank);
  while (blanks > 0 && measure(shown + std::string(blanks, ' ')) > cell.room) --blanks;
  return shown + std::string(blanks, ' ');
}

}  // namespace murlo::gui
