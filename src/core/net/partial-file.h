// Partial files. A download is written into "<final name>.<8 hex digits>.part" beside its
// final name and renamed to the final name only when it is complete, so a file that is not
// complete never carries the final name, and a later run finds it and continues it. The hex
// digits come from the item's address: two items that share a file name never continue each
// other's partial file.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace murlo {

class WriteGate;

// The partial file of `finalPath` for the item at `url`.
std::string partialPathFor(std::string_view finalPath, std::string_view url);

// The final path a partial path belongs to; nothing for any other path (a partial file of
// an older list, which lies under its final name).
std::optional<std::string> finalPathOf(std::string_view partialPath);

// Renames a complete partial file to `finalPath` and returns the path it now has. A file
// that took the final name meanwhile is replaced only when `replace`; otherwise the first
// free automatic-rename candidate is used. Symbolic links are never followed: a link at the
// final name is replaced, not written through. Raises a LocalFileError.
std::string publishPartialFile(const std::string& partialPath, const std::string& finalPath,
                               bool replace, WriteGate& gate);

// A partial file's modification time carries the remote file's own time (HTTP Last-Modified,
// FTP MDTM), so that a later run continues it only while the remote file is unchanged.
std::optional<std::time_t> modificationTime(const std::string& path);

}  // namespace murlo
