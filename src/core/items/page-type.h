// Which rows hold pages: the rows a recursive analysis fetches and scans, and the rows the
// delete-HTML pass removes.
#pragma once

#include <string_view>

#include "text/cp932.h"

namespace murlo {

// Page-type rows: the empty extension, "htm", "html", "shtml", "cgi" (any letter case).
inline bool isPageType(std::string_view extension) {
  return extension.empty() || equalsIgnoreAsciiCase(extension, "htm") ||
         equalsIgnoreAsciiCase(extension, "html") || equalsIgnoreAsciiCase(extension, "shtml") ||
         equalsIgnoreAsciiCase(extension, "cgi");
}

}  // namespace murlo
