#include "net/connection-share.h"

#include <curl/curl.h>

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
  if (share_ != nullptr) curl_share_cleanup(share_);
}

// Items run one after another on different threads: the lock orders their use of the cache.
void ConnectionShare::lock(void*, int data, int, void* self) {
  static_cast<ConnectionShare*>(self)->mutexes_.at(static_cast<std::size_t>(data)).lock();
}

void ConnectionShare::unlock(void*, int data, void* self) {
  static_cast<ConnectionShare*>(self)->mutexes_.at(static_cast<std::size_t>(data)).unlock();
}

}  // namespace murlo
