// Reading a whole file that must be a regular file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace murlo {

enum class FileReadStatus {
  kRead,
  kMissing,     // nothing of that name
  kNotRegular,  // a folder, a FIFO, a device or a socket
  kTooLarge,    // more bytes than the reader takes
  kUnreadable,  // no permission, an I/O error
};

struct RegularFileRead {
  FileReadStatus status = FileReadStatus::kRead;
  std::string content;  // the whole file when kRead, else empty
};

// The content of the regular file at `path` (or the one a symbolic link names) when it
// holds at most `maxBytes` bytes. Other kinds of file are refused without blocking: a FIFO
// could wait for a writer for ever and a device could never end.
RegularFileRead readRegularFile(const std::string& path, std::size_t maxBytes);

// The same without a size limit: the content, or nothing when it was not read.
std::optional<std::string> readRegularFile(const std::string& path);

}  // namespace murlo
