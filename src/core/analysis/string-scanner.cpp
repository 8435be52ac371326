#include "analysis/string-scanner.h"

#include <algorithm>

#include "analysis/forward-search.h"

namespace murlo {

void findHttpStrings(const PageText& page, const LinkFound& found) {
  constexpr auto npos = std::string_view::npos;
  constexpr std::string_view kHttp = "http://";
  constexpr std::string_view kHttps = "https://";
  const std::string_view text = page.text;
  ForwardSearch http(text, kHttp, page.encoding);
  ForwardSearch https(text, kHttps, page.encoding);
  ForwardSearch space(text, " ", page.encoding);

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
      if (end == npos) return;
      found(text.substr(start, end - start), "ALL");
    }
    start = nextAddress(schemeEnd);
  }
}

}  // namespace murlo
