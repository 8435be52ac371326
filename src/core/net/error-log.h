// Murlo.log: the download error log in the application directory. CP932 text with CR LF
// line ends, only ever appended to.
#pragma once

#include <string>
#include <string_view>

namespace murlo {

std::string errorLogPath(const std::string& appDir);

// Appends one entry: a CR LF, the local time as "%Y-%m-%d %H:%M  ", the address, a CR LF
// and the reason (CP932). A new file first gets the banner line. Entries of different
// threads and processes never interleave. False when the file cannot be opened or written.
bool appendErrorLog(const std::string& appDir, std::string_view url, std::string_view reason);

}  // namespace murlo
