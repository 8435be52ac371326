// Splitting an address into what a worker connects to: scheme, server, port and object.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace murlo {

// The service types of a split address.
inline constexpr unsigned kServiceFtp = 1;
inline constexpr unsigned kServiceHttp = 3;  // HTTP and HTTPS
inline constexpr unsigned kServiceOther = 0;

struct CrackedUrl {
  std::string scheme;  // lower case
  std::string server;
  std::uint16_t port = 0;  // the scheme's default when the address has none
  std::string object;      // path and query, percent-encoded where the address had unsafe bytes
  unsigned serviceType = kServiceOther;
  std::string requestUrl;  // the address to send, without credentials and fragment
};

struct CrackResult {
  std::optional<CrackedUrl> url;
  int error = 0;  // the CURLUcode when the text is no address
};

// Splits an absolute address; with a `base`, a relative `address` is resolved against it
// first (a redirect's Location). Spaces and bytes above 0x7F are percent-encoded, as a
// canonicalised address has them.
CrackResult crackUrl(std::string_view address, std::string_view base = {});

}  // namespace murlo
