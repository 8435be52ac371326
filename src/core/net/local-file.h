// The local file a transfer writes: buffered, so that small transfer buffers still mean
// few system calls, and with every system call that changes the disk passed through the
// item's write gate. It is opened without following a symbolic link and without waiting
// (a FIFO fails instead of blocking), must be a regular file, and is locked against every
// other writer (another thread given up earlier, another process) while it is open. A file
// that is continued must also be the user's own: one link, owned by the effective user.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "net/internet-error.h"
#include "net/write-gate.h"

namespace murlo {

// A file that may not be continued: no regular file, a symbolic link, a file with another
// hard link (which may lie outside the save folder), or a file of another user. It is left
// as it is.
class ForeignFileError : public LocalFileError {
 public:
  // `owner`: the other user who owns the file, when that is why.
  ForeignFileError(const std::string& path, std::optional<uid_t> owner);
  std::optional<uid_t> owner() const { return owner_; }

 private:
  std::optional<uid_t> owner_;
};

// Whether a file may be continued: a regular file with one link, owned by the effective user.
bool isOwnPlainFile(const struct stat& info);

class LocalFile {
 public:
  enum class Mode {
    kCreate,    // create, or truncate an existing file
    kContinue,  // create, or open an existing file as it is, positioned at its end
  };

  // Raises a generic LocalFileError when the file cannot be opened, is no regular file, is
  // being written by someone else, or the gate is closed; with kContinue, a ForeignFileError
  // for an existing file that is not the user's own plain file.
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
  // From now on every write is followed by setting the file's modification time to `time`,
  // so that the time is right whenever the transfer ends, also by kill -9.
  void keepModificationTime(std::time_t time) { modificationTime_ = time; }

  // Sets the user extended attribute `name`, or removes it when `value` is empty. A file system
  // without extended attributes keeps nothing, silently.
  void setAttribute(const char* name, const std::string& value);

  // The file's length when it was opened.
  std::int64_t openedSize() const { return openedSize_; }
  const std::string& path() const { return path_; }

 private:
  // Writes what is buffered, then keeps the modification time; false when nothing was.
  bool flush();
  void stampModificationTime();
  void closeWith(int error);

  std::string path_;
  WriteGate& gate_;
  int fd_ = -1;
  std::int64_t openedSize_ = 0;
  std::optional<std::time_t> modificationTime_;
  std::vector<char> buffer_;
};

}  // namespace murlo
