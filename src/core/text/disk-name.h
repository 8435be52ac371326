// Names between the program's texts and the file system. Item texts, list files and
// Murlo.ini hold the program's own encoding (CP932, or UTF-8 where a page was UTF-8); the
// file system names files in UTF-8. Every name and path is converted where the engine
// touches the disk, and a path written back into an item text is converted the other way.
#pragma once

#include <string>
#include <string_view>

namespace murlo {

// A name from an address or a page as it goes on disk: percent-escapes decoded (a folder
// is the folder as the page names it), then UTF-8 whatever the page's encoding; a byte
// that neither UTF-8 nor CP932 decodes becomes "_". "/" and NUL become "_" as well, so the
// result is one folder entry (it may still be "", "." or "..": callers refuse those).
std::string diskName(std::string_view name);

// A path from the settings or a list as the file system names it: UTF-8 as it is, anything
// else decoded from CP932.
std::string diskPath(std::string_view path);

// A path on disk as an item text holds it: in CP932 when it converts there and back
// unchanged, so the list stays in the program's encoding, else in UTF-8 as it is.
std::string itemTextOfPath(std::string_view path);

// An item text of `prefix` (CP932, such as "0 kb 完了 : ") followed by the path on disk, in
// one encoding: CP932 when the path converts there, else UTF-8 throughout, so the row shows
// both parts right.
std::string itemTextWithPath(std::string_view prefix, std::string_view path);

}  // namespace murlo
