// The options of the connection a request goes over, besides the request itself: the
// proxy, the user's own certificate authorities and the job's cookies. The worker fills
// them from the job's settings; RemoteFile sets them on its transfer handle.
#pragma once

#include <memory>
#include <optional>
#include <string>

typedef void CURL;

namespace murlo {

class CookieJar;

struct ConnectionOptions {
  std::string proxy;  // "" for a direct connection
  // A PEM file of certificate authorities trusted besides the system's; none when empty.
  std::string caFile;
  // The job's cookies; none: no cookie is sent or kept.
  std::shared_ptr<CookieJar> cookies;
};

// Why the CA file at `path` cannot be used (UTF-8), or nothing when it is a readable file.
std::optional<std::string> caFileProblem(const std::string& path);

// Sets the options on a transfer handle (a kept handle may still hold an earlier item's
// cookies: the jar replaces them). Certificates are always verified.
void applyConnectionOptions(CURL* easy, const ConnectionOptions& options);
// After an answer's header block: keeps the cookies the handle now holds (those it was
// given and those the server set) in the jar, for the next request.
void keepServerCookies(CURL* easy, const ConnectionOptions& options);

}  // namespace murlo
