#include "net/page-responses.h"

namespace murlo {

void PageResponses::keep(const std::string& key, KeptResponse&& response) {
  const std::size_t size = response.headers.size() + response.body.size();
  if (size > kMaxPageBytes) return;
  std::lock_guard lock(mutex_);
  if (bytes_ + size > kMaxTotalBytes) return;
  if (kept_.try_emplace(key, std::move(response)).second) bytes_ += size;
}

std::optional<KeptResponse> PageResponses::take(const std::string& key) {
  std::lock_guard lock(mutex_);
  const auto it = kept_.find(key);
  if (it == kept_.end()) return std::nullopt;
  KeptResponse response = std::move(it->second);
  kept_.erase(it);
  bytes_ -= response.headers.size() + response.body.size();
  return response;
}

}  // namespace murlo
