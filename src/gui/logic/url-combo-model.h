// The entries of the add-item bar's address combo box and how typing, pasting and dropping
// change them. The newest entry is the last; at most nine are kept.
#pragma once

#include <string>
#include <vector>

#include "settings/frame-placement.h"

namespace murlo::gui {

class UrlComboModel {
 public:
  static constexpr std::size_t kMaxEntries = 9;

  // Entries from the recent addresses, oldest first (URL4 .. URL0), skipping empty slots.
  void loadRecent(const FramePlacement& placement);

  // An address typed and added: when an equal entry exists nothing changes; otherwise it is
  // appended and pushed to the recent addresses. Returns whether the entries changed.
  bool addTyped(const std::string& url, FramePlacement& placement);

  // An address pasted or dropped: equal entries are removed and it is appended as the
  // newest, and pushed to the recent addresses.
  void addPasted(const std::string& url, FramePlacement& placement);

  const std::vector<std::string>& entries() const { return entries_; }

 private:
  void appendNewest(const std::string& url, FramePlacement& placement);

  std::vector<std::string> entries_;
};

// Prepares clipboard text for the add-item bar: trimmed, checked for a ".", cleaned of
// line breaks, tabs and full-width spaces. On refusal `error` holds the message.
struct PastedUrl {
  std::string url;
  std::string error;
};
PastedUrl preparePastedUrl(const std::string& clipboardText);

}  // namespace murlo::gui
