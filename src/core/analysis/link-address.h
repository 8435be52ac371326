// The full address a link names, as a browser resolves it, for comparing links with the
// addresses of downloaded files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace murlo {

// The full address of `link`, found on the page at `pageAddress`, without its fragment and
// without "." and ".." folders. Nothing for a link that names no file of an HTTP, HTTPS or
// FTP server: an empty link or a fragment alone, another scheme ("mailto:", "javascript:",
// "data:"), or a relative link on a page whose address has no server root.
std::optional<std::string> absoluteLinkAddress(std::string_view link, std::string_view pageAddress);

// The fragment of a link ("#" and what follows), or an empty text.
std::string_view linkFragment(std::string_view link);

}  // namespace murlo
