#include "analysis/number-range.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace murlo {

namespace {

bool isSeparator(char c) { return c == ',' || c == '-'; }

// Reads a token as the C library's string-to-integer conversion does, clamped to INT_MAX.
// A token never holds a "-" (it separates tokens), so only "+" can sign it.
int readToken(std::string_view token) {
  std::size_t i = 0;
  while (i < token.size() && (token[i] == ' ' || (token[i] >= '\t' && token[i] <= '\r'))) ++i;
  if (i < token.size() && token[i] == '+') ++i;
  std::int64_t value = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
    value = std::min<std::int64_t>(value * 10 + (token[i] - '0'), INT_MAX);
  }
  return static_cast<int>(value);
}

std::uint64_t entryCount(const RangeEntry& entry, int increment) {
  const std::int64_t span = std::int64_t{entry.last} - entry.first;
  if (increment == 0 || (increment > 0 && span < 0) || (increment < 0 && span > 0)) return 0;
  return static_cast<std::uint64_t>(std::abs(span) / std::abs(std::int64_t{increment})) + 1;
}

}  // namespace

bool isRangeForm(std::string_view text) {
  if (text.empty() || isSeparator(text.back())) return false;
  return text.find_first_of(",-") != std::string_view::npos;
}

NumberRange parseNumberRange(std::string_view text) {
  NumberRange range;
  bool inRange = false;  // the previous token was followed by "-"
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find_first_of(",-", start);
    const int value = readToken(text.substr(start, end - start));
    if (inRange) {
      range.back().last = value;
    } else {
      range.push_back({value, value});
    }
    if (end == std::string_view::npos) break;
    inRange = text[end] == '-';
    start = end + 1;
  }
  return range;
}

std::uint64_t countNumbers(const NumberRange& range, int increment) {
  std::uint64_t total = 0;
  for (const RangeEntry& entry : range) total += entryCount(entry, increment);
  return total;
}

void forEachNumber(const NumberRange& range, int increment, const std::function<void(int)>& visit) {
  for (const RangeEntry& entry : range) {
    const std::uint64_t count = entryCount(entry, increment);
    // 64-bit steps: the walk stays between first and last, so no value overflows.
    std::int64_t value = entry.first;
    for (std::uint64_t i = 0; i < count; ++i, value += increment) visit(static_cast<int>(value));
  }
}

std::string formatNumber(std::string_view fileFormat, int number, int digits) {
  std::string padded = std::to_string(number);
  const int zeros = digits - (static_cast<int>(padded.size()) - 1);
  if (zeros > 0) padded.insert(0, static_cast<std::size_t>(zeros), '0');
  std::string name(fileFormat);
  const std::size_t amp = name.find('&');
  if (amp != std::string::npos) name.replace(amp, 1, padded);
  return name;
}

}  // namespace murlo
