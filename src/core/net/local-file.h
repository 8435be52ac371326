// The local file a transfer writes: buffered, so that small transfer buffers still mean
// few system calls, and with every system call that changes the disk passed through the
// item's write gate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "net/write-gate.h"

namespace murlo {

class LocalFile {
 public:
  enum class Mode {
    kCreate,    // create, or truncate an existing file
    kExisting,  // open an existing file as it is, positioned at its end
  };

  // Raises a generic LocalFileError when the file cannot be opened or the gate is closed.
  LocalFile(const std::string& path, Mode mode, WriteGate& gate);
  // Writes what is still buffered (errors are dropped here; close() reports them).
  ~LocalFile();
  LocalFile(const LocalFile&) = delete;
  LocalFile& operator=(const LocalFile&) = delete;

  void write(const char* data, std::size_t size);
  // Empties the file and starts writing at its beginning.
  void truncate();
  // Writes what is buffered and closes the file; raises a generic LocalFileError.
  void close();

  // The file's length when it was opened.
  std::int64_t openedSize() const { return openedSize_; }
  const std::string& path() const { return path_; }

 private:
  void flush();

  std::string path_;
  WriteGate& gate_;
  int fd_ = -1;
  std::int64_t openedSize_ = 0;
  std::vector<char> buffer_;
};

}  // namespace murlo
