#include "analysis/local-file-entry.h"

#include "analysis/address.h"
#include "items/item-info.h"
#include "items/item-tags.h"
#include "text/disk-name.h"

namespace murlo {

namespace {

bool malformedAddress(const std::string& address) {
  return address.find('.') == std::string::npos || address.find('/') == std::string::npos;
}

}  // namespace

std::string fileNameOfPath(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string resumeEntryError(const LocalFileEntry& entry) {
  if (entry.path.empty()) return "ﾌｧｲﾙが指定されていません";
  if (entry.address.empty()) return "URLが指定されていません";
  if (malformedAddress(entry.address)) return "不正な URL です";
  return "";
}

std::string localFileEntryError(const LocalFileEntry& entry) {
  if (entry.path.empty()) return "ﾛｰｶﾙﾌｧｲﾙが指定されていません";
  if (!entry.address.empty() && malformedAddress(entry.address)) return "不正な URL です";
  return "";
}

bool addResumeItem(ItemList& list, const LocalFileEntry& entry) {
  SplitAddress split = splitUrl(entry.address);
  return list.AddItem(std::move(split.fileName), std::move(split.url), kResumeTag,
                      std::move(split.extension),
                      itemTextWithPath(kInfoResumeEntryPrefix, entry.path), entry.referrer);
}

}  // namespace murlo
