// Local names built from addresses. Whatever a server path or an item's file name holds,
// the result names a place inside the save folder: nothing here ever climbs out of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace murlo {

// The longest name one folder entry may have on Linux file systems.
inline constexpr std::size_t kMaxNameBytes = 255;

// The folder names of a server object ("/a/b/c.gif?x" gives a and b): the segments before
// its last "/", without empty, "." and ".." segments, each cut to kMaxNameBytes.
std::vector<std::string> hierarchyFolders(std::string_view object);

// An item's file name as a single folder entry: "/" and NUL become "_", "", "." and ".."
// become "_", and the name is cut to kMaxNameBytes.
std::string safeFileName(std::string_view name);

// `dir` + "/" + `name`, with one "/" between them however `dir` ends.
std::string joinPath(std::string_view dir, std::string_view name);

// The last path component of a chosen path.
std::string baseName(std::string_view path);

// The automatic-rename candidate: `counter` in upper-case hexadecimal put before the last
// "." of the last component of `name`, or after `name` when that component has no ".".
std::string renamedCandidate(std::string_view name, unsigned counter);

}  // namespace murlo
