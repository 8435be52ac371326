// Local names built from addresses. Whatever a server path or an item's file name holds,
// the result names a place inside the save folder: nothing here ever climbs out of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace murlo {

// The longest name one folder entry may have on Linux file systems.
inline constexpr std::size_t kMaxNameBytes = 255;
// A downloaded file is written under its name plus a partial-file suffix first
// (partial-file.h), so file names leave room for it.
inline constexpr std::size_t kPartialSuffixBytes = 22;
inline constexpr std::size_t kMaxFileNameBytes = kMaxNameBytes - kPartialSuffixBytes;

// The folder names of a server object ("/a/b/c.gif?x" gives a and b): the segments before
// its last "/" as they go on disk (diskName: "%E7%94%BB%E5%83%8F" gives "画像"), without
// empty, "." and ".." ones, each cut to kMaxNameBytes.
std::vector<std::string> hierarchyFolders(std::string_view object);

// An item's file name as a single folder entry: "/" and NUL become "_", "", "." and ".."
// become "_", and a longer name is shortened to kMaxFileNameBytes (fitName).
std::string safeFileName(std::string_view name);

// `name` when it has at most `maxBytes` bytes; otherwise its stem is cut, at a character
// boundary (UTF-8 or CP932), so that the stem and its extension fit.
std::string fitName(std::string_view name, std::size_t maxBytes);

// `dir` + "/" + `name`, with one "/" between them however `dir` ends.
std::string joinPath(std::string_view dir, std::string_view name);

// The last path component of a chosen path.
std::string baseName(std::string_view path);

// The automatic-rename candidate: `counter` in upper-case hexadecimal put before the last
// "." of the last component of `name`, or after `name` when that component has no ".". A
// query ("?" and what follows) of the last component is kept after the extension, and its
// dots do not count. The stem of a long last component is shortened so the candidate still
// fits kMaxFileNameBytes.
std::string renamedCandidate(std::string_view name, unsigned counter);

}  // namespace murlo
