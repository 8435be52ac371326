// Reading a whole file that must be a regular file.
#pragma once

#include <optional>
#include <string>

namespace murlo {

// The whole content of the regular file at `path`, or nothing when it cannot be opened or
// read. Other kinds of file are refused without blocking: a FIFO could wait for a writer
// for ever and a device could never end.
std::optional<std::string> readRegularFile(const std::string& path);

}  // namespace murlo
