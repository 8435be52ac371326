#include "net/curl-global.h"

#include <curl/curl.h>

#include <mutex>

#include "net/internet-error.h"

namespace murlo {

void initCurlOnce() {
  static std::once_flag once;
  static CURLcode result = CURLE_OK;
  std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
  if (result != CURLE_OK) throw curlError(result, {});
}

}  // namespace murlo
