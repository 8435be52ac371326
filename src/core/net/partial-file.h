// Partial files. A download is written into "<final name>.<16 hex digits>.part" beside its
// final name and renamed to the final name only when it is complete, so a file that is not
// complete never carries the final name, and a later run finds it and continues it. The hex
// digits are the start of the SHA-256 of the item's address: two items that share a file
// name never continue each other's partial file, even when one address was chosen to match
// the other's. Older runs used 8 digits; such a path, named by a list's resume row, is still
// understood.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace murlo {

class WriteGate;

// What a partial file was written from: its address, and the ETag of the answer when there
// was one. Kept in the partial file's own user extended attributes rather than in a file
// beside it: they stay with the file whatever happens to it, can be neither planted apart
// from it nor left behind, and need no cleaning up. On a file system without them nothing
// is kept, and the name's tag and the file's time are all there is to go by.
inline constexpr const char* kUrlAttribute = "user.murlo.url";
inline constexpr const char* kEtagAttribute = "user.murlo.etag";

// The attribute `name` of the file at `path` (a link's own, never its target's); empty when
// there is none.
std::string partialAttribute(const std::string& path, const char* name);

// The partial file of `finalPath` for the item at `url`. `attempt` 1, 2, ... give the other
// names used when the first one is taken by a file that may not be continued.
std::string partialPathFor(std::string_view finalPath, std::string_view url, unsigned attempt = 0);

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
