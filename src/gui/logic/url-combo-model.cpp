#include "logic/url-combo-model.h"

#include <algorithm>

#include "analysis/address.h"

namespace murlo::gui {

void UrlComboModel::loadRecent(const FramePlacement& placement) {
  entries_.clear();
  for (auto it = placement.recentUrls.rbegin(); it != placement.recentUrls.rend(); ++it) {
    if (!it->empty()) entries_.push_back(*it);
  }
}

void UrlComboModel::appendNewest(const std::string& url, FramePlacement& placement) {
  entries_.push_back(url);
  placement.pushRecentUrl(url);
  if (entries_.size() > kMaxEntries) entries_.erase(entries_.begin());
}

bool UrlComboModel::addTyped(const std::string& url, FramePlacement& placement) {
  if (std::find(entries_.begin(), entries_.end(), url) != entries_.end()) return false;
  appendNewest(url, placement);
  return true;
}

void UrlComboModel::addPasted(const std::string& url, FramePlacement& placement) {
  entries_.erase(std::remove(entries_.begin(), entries_.end(), url), entries_.end());
  appendNewest(url, placement);
}

PastedUrl preparePastedUrl(const std::string& clipboardText) {
  PastedUrl out;
  out.url = trimAddress(clipboardText);
  if (out.url.find('.') == std::string::npos) {
    out.error = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの文字列はURLではありません";
    return out;
  }
  cleanTypedAddress(out.url);
  return out;
}

}  // namespace murlo::gui
