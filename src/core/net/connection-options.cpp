#include "net/connection-options.h"

#include <curl/curl.h>

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "net/cookie-jar.h"

namespace murlo {

std::optional<std::string> caFileProblem(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || !std::ifstream(path).good()) {
    return "CA 証明書ﾌｧｲﾙ " + path + " を読み込めません";
  }
  return std::nullopt;
}

void applyConnectionOptions(CURL* easy, const ConnectionOptions& options) {
  // Set even when empty: libcurl would otherwise read the proxy variables itself, and the
  // worker has already chosen between the settings and the environment.
  curl_easy_setopt(easy, CURLOPT_PROXY, options.proxy.c_str());
  curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!options.caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, options.caFile.c_str());
  if (!options.cookies) return;
  curl_easy_setopt(easy, CURLOPT_COOKIELIST, "ALL");
  // An empty cookie file name starts the cookie engine without reading a file.
  curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
  for (const std::string& line : options.cookies->lines()) {
    curl_easy_setopt(easy, CURLOPT_COOKIELIST, line.c_str());
  }
}

void keepServerCookies(CURL* easy, const ConnectionOptions& options) {
  if (!options.cookies) return;
  curl_slist* list = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_COOKIELIST, &list) != CURLE_OK) return;
  std::vector<std::string> lines;
  for (const curl_slist* item = list; item != nullptr; item = item->next) {
    lines.emplace_back(item->data);
  }
  curl_slist_free_all(list);
  // Items of a job hand their requests on one after another (the next one goes out once
  // this answer is whole), so the handle's cookies are the jar's latest.
  options.cookies->replace(std::move(lines));
}

}  // namespace murlo
