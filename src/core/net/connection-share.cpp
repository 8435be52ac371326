#include "net/connection-share.h"

#include <curl/curl.h>

#include <tuple>

#include "net/curl-global.h"

namespace murlo {

ConnectionShare::ConnectionShare() {
  initCurlOnce();
  share_ = curl_share_init();
  if (share_ == nullptr) return;
  curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
  curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
  curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &ConnectionShare::lock);
  curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &ConnectionShare::unlock);
  curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
}

ConnectionShare::~ConnectionShare() {
  for (auto [easy, multi] : kept_) {
    curl_easy_cleanup(easy);
    curl_multi_cleanup(multi);
  }
  if (share_ != nullptr) curl_share_cleanup(share_);
}

void ConnectionShare::takeHandles(CURL*& easy, CURLM*& multi) {
  easy = nullptr;
  multi = nullptr;
  {
    std::lock_guard lock(handlesMutex_);
    if (!kept_.empty()) {
      std::tie(easy, multi) = kept_.back();
      kept_.pop_back();
    }
  }
  if (easy != nullptr) {
    curl_easy_reset(easy);
  } else {
    easy = curl_easy_init();
    multi = curl_multi_init();
  }
}

void ConnectionShare::keepHandles(CURL* easy, CURLM* multi) {
  {
    std::lock_guard lock(handlesMutex_);
    if (kept_.size() < kMostKept) {
      kept_.emplace_back(easy, multi);
      return;
    }
  }
  curl_easy_cleanup(easy);
  curl_multi_cleanup(multi);
}

// Items run one after another on different threads: the lock orders their use of the cache.
void ConnectionShare::lock(void*, int data, int, void* self) {
  static_cast<ConnectionShare*>(self)->mutexes_.at(static_cast<std::size_t>(data)).lock();
}

void ConnectionShare::unlock(void*, int data, void* self) {
  static_cast<ConnectionShare*>(self)->mutexes_.at(static_cast<std::size_t>(data)).unlock();
}

}  // namespace murlo
