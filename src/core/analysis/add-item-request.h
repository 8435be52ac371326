// Items added by hand through the add-item dialog or `murlo-cli add --range`: one typed
// address, or a numbered series of file names in the directory of that address. The checks
// run in a fixed order and stop at the first failure; nothing is added before all pass.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/number-range.h"
#include "items/item-list.h"

namespace murlo {

struct AddItemRequest {
  std::string address;
  std::string referrer;
  bool useRange = false;    // make a numbered series instead of one item
  std::string baseAddress;  // the directory every item of the series goes to
  int increment = 1;
  int digits = 0;  // zeros added in front, see formatNumber
  std::string rangeText;
  std::string fileFormat;  // a file name with "&" where the number goes
};

// The largest digit count a series accepts.
inline constexpr int kMaxDigits = 10;
// More items than this at once are added only after the user agreed.
inline constexpr std::uint64_t kAskAboveItemCount = 10000;
// More items than this at once are refused: they would exhaust memory.
inline constexpr std::uint64_t kMaxItemCount = 1000000;

// The address up to and including its last "/"; nothing when it holds no "/".
std::optional<std::string> baseAddressOf(std::string_view address);

struct AddItemCheck {
  std::string error;  // the message of the first failed check; empty when all passed
  NumberRange range;  // the parsed range of a series
  std::uint64_t itemCount = 0;
};

// Checks a request: the address must hold a "/"; a series needs a non-zero increment, a
// range of the right form, a file format with "&" and at most kMaxItemCount items.
AddItemCheck checkAddItemRequest(const AddItemRequest& request);

// The file names of a series for the numbers 0, 1 and 2, joined by blanks: the preview the
// user confirms, whatever the range.
std::string formatPreview(const AddItemRequest& request);

// The question asked before `count` items are added at once.
std::string manyItemsQuestion(std::uint64_t count);

// Adds a checked request's items to the list with the tag "ADD" and returns how many were
// added. One item: the address split at its last "/", with the extension after the first
// "." of its name. A series: one item per number of `range`, named by the file format, in
// the base address, with the extension after the last "." of its name.
int addRequestedItems(ItemList& list, const AddItemRequest& request, const NumberRange& range);

// What the add bar and `murlo-cli add` say of text that is no address.
inline constexpr const char* kNoAddressText = "URLが指定されていません";
inline constexpr const char* kNotAnAddressText = "入力された文字列はURLではありません";

// Text typed as one address, trimmed and cleaned, ready to be added; nothing when it holds
// no "." (then kNotAnAddressText).
std::optional<std::string> typedAddress(std::string_view typed);
// Appends a typedAddress() as an "ADD" row, split at its last "/"; false when the list
// refused it.
bool addTypedAddress(ItemList& list, const std::string& address);

}  // namespace murlo
