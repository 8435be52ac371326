// Whole-file writes that never leave a half-written file behind.
#pragma once

#include <string>
#include <string_view>

namespace murlo {

// Writes `data` to a temporary file in the folder of `path`, flushes it to disk and renames
// it over `path`. On any failure the temporary file is removed, `path` keeps its earlier
// contents and false is returned. An existing file's permission bits are kept. When `path`
// is a symbolic link, the file it names is written and the link stays; a `path` that names
// something other than a regular file (a folder, a FIFO, a device) is refused. A new file
// gets the permission bits `newFileMode`.
bool writeFileAtomically(const std::string& path, std::string_view data,
                         unsigned newFileMode = 0644);

}  // namespace murlo
