#include "analysis/string-scanner.h"

#include <algorithm>

#include "analysis/forward-search.h"

namespace murlo {

namespace {

// Links overlap when an address is followed by another before the next white space, so a
// page of addresses without spaces would report text quadratic in its size (gigabytes of
// items from a one-megabyte page). The scan ends once the links reported would exceed this
// budget; real pages stay far below it.
constexpr std::size_t kLinkBytesPerPageByte = 16;
constexpr std::size_t kLinkBytesSlack = std::size_t{1} << 20;

}  // namespace

void findHttpStrings(const PageText& page, const LinkFound& found) {
  constexpr auto npos = std::string_view::npos;
  constexpr std::string_view kHttp = "http://";
  constexpr std::string_view kHttps = "https://";
  const std::string_view text = page.text;
  ForwardSearch http(text, kHttp, page.encoding);
  ForwardSearch https(text, kHttps, page.encoding);
  ForwardSearch space(text, " ", page.encoding);

  std::size_t budget = text.size() * kLinkBytesPerPageByte + kLinkBytesSlack;
  // The two schemes never match at the same place, so the nearer one is next in page order.
  const auto nextAddress = [&](std::size_t from) {
    return std::min(http.find(from), https.find(from));
  };
  for (std::size_t start = nextAddress(0); start != npos;) {
    const std::size_t schemeEnd =
        start + (text.compare(start, kHttps.size(), kHttps) == 0 ? kHttps.size() : kHttp.size());
    // Only an address with more than 3 bytes after the scheme is looked at.
    if (text.size() - schemeEnd > 3) {
      const std::size_t end = space.find(schemeEnd);
      if (end == npos || end - start > budget) return;
      budget -= end - start;
      found(text.substr(start, end - start), "ALL");
    }
    start = nextAddress(schemeEnd);
  }
}

}  // namespace murlo
