// PageResponses: the answers to the pages an analysis fetched, kept for the download that
// follows it at once, so that each page goes over the wire only once. Only whole 200 answers
// to plain requests are kept, as they came (header block and body, still content-coded), up
// to a size per page and in all; the download takes each one at most once.
//
// Shared by the worker threads of both jobs: every method may be called from any thread.
#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace murlo {

struct KeptResponse {
  std::string headers;  // the raw header block of the answer
  std::string body;     // the body as sent
};

class PageResponses {
 public:
  static constexpr std::size_t kMaxPageBytes = 2 << 20;
  static constexpr std::size_t kMaxTotalBytes = 64 << 20;

  // Keeps the answer for `key`, unless it is too large or the store is full.
  void keep(const std::string& key, KeptResponse&& response);
  // The answer kept for `key`, which is no longer kept.
  std::optional<KeptResponse> take(const std::string& key);

 private:
  std::mutex mutex_;
  std::map<std::string, KeptResponse> kept_;
  std::size_t bytes_ = 0;
};

}  // namespace murlo
