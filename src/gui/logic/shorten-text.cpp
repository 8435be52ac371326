#include "logic/shorten-text.h"

#include <vector>

#include "text/cp932.h"

namespace murlo::gui {

std::string shortenText(const std::string& text, int width, int margin,
                        const std::function<int(const std::string&)>& measure) {
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

}  // namespace murlo::gui
