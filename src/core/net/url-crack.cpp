#include "net/url-crack.h"

#include <curl/curl.h>

#include <memory>

namespace murlo {

namespace {

struct UrlHandleDeleter {
  void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlHandleDeleter>;

// One part of the address, or nothing when it is absent.
std::optional<std::string> part(CURLU* handle, CURLUPart which, unsigned flags = 0) {
  char* text = nullptr;
  if (curl_url_get(handle, which, &text, flags) != CURLUE_OK || text == nullptr)
    return std::nullopt;
  std::string value(text);
  curl_free(text);
  return value;
}

}  // namespace

CrackResult crackUrl(std::string_view address, std::string_view base) {
  UrlHandle handle(curl_url());
  if (!handle) return {std::nullopt, CURLUE_OUT_OF_MEMORY};
  if (!base.empty()) {
    const CURLUcode rc =
        curl_url_set(handle.get(), CURLUPART_URL, std::string(base).c_str(), CURLU_URLENCODE);
    if (rc != CURLUE_OK) return {std::nullopt, rc};
  }
  const CURLUcode rc =
      curl_url_set(handle.get(), CURLUPART_URL, std::string(address).c_str(), CURLU_URLENCODE);
  if (rc != CURLUE_OK) return {std::nullopt, rc};
  // Credentials go to the connection, not into the request line; fragments never leave.
  curl_url_set(handle.get(), CURLUPART_USER, nullptr, 0);
  curl_url_set(handle.get(), CURLUPART_PASSWORD, nullptr, 0);
  curl_url_set(handle.get(), CURLUPART_FRAGMENT, nullptr, 0);

  CrackedUrl url;
  url.scheme = part(handle.get(), CURLUPART_SCHEME).value_or("");
  url.server = part(handle.get(), CURLUPART_HOST).value_or("");
  if (url.server.empty()) return {std::nullopt, CURLUE_NO_HOST};
  const std::string port = part(handle.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT).value_or("0");
  url.port = static_cast<std::uint16_t>(std::stoul(port));
  url.object = part(handle.get(), CURLUPART_PATH).value_or("/");
  if (const auto query = part(handle.get(), CURLUPART_QUERY)) url.object += "?" + *query;
  if (url.scheme == "http" || url.scheme == "https") {
    url.serviceType = kServiceHttp;
  } else if (url.scheme == "ftp") {
    url.serviceType = kServiceFtp;
  }
  url.requestUrl = part(handle.get(), CURLUPART_URL).value_or("");
  return {std::move(url), CURLUE_OK};
}

}  // namespace murlo
