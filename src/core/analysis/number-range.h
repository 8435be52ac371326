// Numbered series of file names: the number range text typed for them ("1-20,25"), the
// numbers it stands for, and the file name made for each number ("img&.jpg" -> "img7.jpg").
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace murlo {

// One entry of a parsed range, walked from `first` towards `last`. A single value v is the
// entry (v, v). Values are never negative.
struct RangeEntry {
  int first = 0;
  int last = 0;
  bool operator==(const RangeEntry&) const = default;
};
using NumberRange = std::vector<RangeEntry>;

// Whether the text has the form of a range: it holds a "-" or a ",", and its last character
// is neither. A single number alone does not.
bool isRangeForm(std::string_view text);

// Cuts the text at every "," and "-" into tokens and reads each as a base-10 integer: leading
// white space and a sign are allowed, reading stops at the first other character, a token
// without digits is 0 and values are clamped to the 32-bit range. A token followed by "-"
// starts a range ending at the next token; a chain such as 1-3-5 is one range from its first
// token to its last (1 to 5).
NumberRange parseNumberRange(std::string_view text);

// How many numbers the entries yield with `increment`. A positive increment counts a range
// up and yields nothing when first > last; a negative one counts it down and yields nothing
// when first < last; increment 0 yields nothing. Computed without walking the numbers.
std::uint64_t countNumbers(const NumberRange& range, int increment);

// Calls `visit` with every number of the entries, in order, as `countNumbers` counts them.
void forEachNumber(const NumberRange& range, int increment, const std::function<void(int)>& visit);

// The file name for `number` (not negative): the format with its first "&" replaced by the
// number in decimal, with zeros in front so that a number of at most digits + 1 digits is
// digits + 1 characters long (digits 2: 7 -> 007, 100 -> 100). Further "&" stay.
std::string formatNumber(std::string_view fileFormat, int number, int digits);

}  // namespace murlo
