// Where a write to a path really goes when the path is a symbolic link.
#pragma once

#include <optional>
#include <string>

namespace murlo {

// `path` itself when it is not a symbolic link; else the path the link names, followed
// through further links (a relative link counts from the link's own folder). The result
// need not exist: a link to a missing file names the file a write creates. Nothing for a
// loop of links or a link that cannot be read.
std::optional<std::string> linkTarget(const std::string& path);

}  // namespace murlo
