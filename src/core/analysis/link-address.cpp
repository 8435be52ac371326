#include "analysis/link-address.h"

#include "analysis/address.h"
#include "text/cp932.h"

namespace murlo {

namespace {

constexpr auto npos = std::string_view::npos;

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Whether the link begins with a scheme such as "mailto:" or "http:".
bool hasScheme(std::string_view link) {
  if (link.empty() || !isAsciiLetter(link.front())) return false;
  for (const char c : link.substr(1)) {
    if (c == ':') return true;
    if (!isAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
      return false;
    }
  }
  return false;
}

bool isServerAddress(std::string_view address) {
  return httpSchemeLength(address) != 0 || startsWithIgnoreAsciiCase(address, "ftp://");
}

}  // namespace

std::string_view linkFragment(std::string_view link) {
  const std::size_t hash = findChar(link, '#');
  return hash == npos ? std::string_view() : link.substr(hash);
}

std::optional<std::string> absoluteLinkAddress(std::string_view link,
                                               std::string_view pageAddress) {
  link = link.substr(0, findChar(link, '#'));
  if (link.empty()) return std::nullopt;
  std::string full;
  if (hasScheme(link)) {
    if (!isServerAddress(link)) return std::nullopt;
    full = std::string(link);
  } else {
    const std::size_t root = serverRootLength(pageAddress);
    if (root == npos) return std::nullopt;
    const std::size_t query = findChar(pageAddress, '?');
    const std::string_view page = pageAddress.substr(0, query);
    if (link.starts_with("//")) {
      full = std::string(pageAddress.substr(0, pageAddress.find("://") + 1)) + std::string(link);
    } else if (link.front() == '/') {
      full = std::string(pageAddress.substr(0, root - 1)) + std::string(link);
    } else if (link.front() == '?') {
      full = std::string(page) + std::string(link);
    } else {
      full = std::string(page.substr(0, findLastChar(page, '/') + 1)) + std::string(link);
    }
  }
  // A last "." or ".." names a folder, as "./" and "../" do.
  const std::string_view path = std::string_view(full).substr(0, findChar(full, '?'));
  if (path.ends_with("/.") || path.ends_with("/..")) full.insert(path.size(), "/");
  removeDotSegments(full);
  return full;
}

}  // namespace murlo
