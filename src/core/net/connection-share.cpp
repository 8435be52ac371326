#include "net/connection-share.h"

#include <curl/curl.h>

#include <utility>

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
  if (keptEasy_ != nullptr) curl_easy_cleanup(keptEasy_);
  if (keptMulti_ != nullptr) curl_multi_cleanup(keptMulti_);
  if (share_ != nullptr) curl_share_cleanup(share_);
}

void ConnectionShare::takeHandles(CURL*& easy, CURLM*& multi) {
  {
    std::lock_guard lock(handlesMutex_);
    easy = std::exchange(keptEasy_, nullptr);
    multi = std::exchange(keptMulti_, nullptr);
  }
  if (easy != nullptr) {
    curl_easy_reset(easy);
  } else {
    easy = curl_easy_init();
  }
  if (multi == nullptr) multi = curl_multi_init();
}

void ConnectionShare::keepHandles(CURL* easy, CURLM* multi) {
  std::lock_guard lock(handlesMutex_);
  std::swap(keptEasy_, easy);
  std::swap(keptMulti_, multi);
  // Handles already kept (not expected: items never overlap) are let go.
  if (easy != nullptr) curl_easy_cleanup(easy);
  if (multi != nullptr) curl_multi_cleanup(multi);
}

// Items run one after another on different threads: the lock orders their use of the cache.
void ConnectionShare::lock(void*, int data, int, void* self) {
  static_cast<ConnectionShare*>(self)->mutexes_.at(static_cast<std::size_t>(data)).lock();
}

void ConnectionShare::unlock(void*, int data, void* self) {
  static_cast<ConnectionShare*>(self)->mutexes_.at(static_cast<std::size_t>(data)).unlock();
}

}  // namespace murlo
