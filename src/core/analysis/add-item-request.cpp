#include "analysis/add-item-request.h"

#include "analysis/address.h"
#include "items/item-record.h"
#include "items/item-tags.h"
#include "text/cp932.h"

namespace murlo {

namespace {

constexpr auto npos = std::string_view::npos;

std::string seriesExtension(std::string_view fileName) {
  const std::size_t dot = findLastChar(fileName, '.');
  return dot == npos ? std::string() : std::string(fileName.substr(dot + 1));
}

}  // namespace

std::optional<std::string> baseAddressOf(std::string_view address) {
  const std::size_t slash = findLastChar(address, '/');
  if (slash == npos) return std::nullopt;
  return std::string(address.substr(0, slash + 1));
}

AddItemCheck checkAddItemRequest(const AddItemRequest& request) {
  AddItemCheck check;
  if (!baseAddressOf(request.address)) {
    check.error = "指定のｱﾄﾞﾚｽが不正です";
  } else if (!request.useRange) {
    check.itemCount = 1;
  } else if (request.increment == 0) {
    check.error = "ｲﾝｸﾘﾒﾝﾄ値に 0 は指定できません";
  } else if (request.rangeText.empty()) {
    check.error = "数値範囲が指定されていません";
  } else if (!isRangeForm(request.rangeText)) {
    check.error = "数値範囲の書式が不正です";
  } else if (request.fileFormat.empty()) {
    check.error = "ﾌｧｲﾙ書式が指定されていません";
  } else if (request.fileFormat.find('&') == std::string::npos) {
    check.error = "ﾌｧｲﾙ書式が不正です";
  } else {
    check.range = parseNumberRange(request.rangeText);
    check.itemCount = countNumbers(check.range, request.increment);
    if (check.itemCount > kMaxItemCount) {
      check.error = "一度に追加できるｱｲﾃﾑは " + std::to_string(kMaxItemCount) + " 個までです";
    }
  }
  return check;
}

std::string formatPreview(const AddItemRequest& request) {
  std::string preview;
  for (int n = 0; n <= 2; ++n) {
    if (n > 0) preview += ' ';
    preview += formatNumber(request.fileFormat, n, request.digits);
  }
  return preview;
}

std::string manyItemsQuestion(std::uint64_t count) {
  return std::to_string(count) + " 個のｱｲﾃﾑを追加します。よろしいですか？";
}

int addRequestedItems(ItemList& list, const AddItemRequest& request, const NumberRange& range) {
  ItemList::Batch batch(list);
  if (!request.useRange) {
    SplitAddress split = splitUrl(request.address);
    std::string extension = split.fileName == kIndexMarker ? "" : linkExtension(split.fileName);
    return list.AddItem(std::move(split.fileName), std::move(split.url), kAddTag,
                        std::move(extension), "", request.referrer)
               ? 1
               : 0;
  }
  int added = 0;
  forEachNumber(range, request.increment, [&](int number) {
    std::string name = formatNumber(request.fileFormat, number, request.digits);
    std::string extension = seriesExtension(name);
    if (list.AddItem(std::move(name), request.baseAddress, kAddTag, std::move(extension), "",
                     request.referrer)) {
      ++added;
    }
  });
  return added;
}

std::optional<std::string> typedAddress(std::string_view typed) {
  std::string address = trimAddress(typed);
  if (address.find('.') == std::string::npos) return std::nullopt;
  cleanTypedAddress(address);
  return address;
}

bool addTypedAddress(ItemList& list, const std::string& address) {
  SplitAddress split = splitUrl(address);
  return list.AddItem(std::move(split.fileName), std::move(split.url), kAddTag,
                      std::move(split.extension), "", "");
}

}  // namespace murlo
