#include "platform/regular-file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace murlo {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

RegularFileRead readRegularFile(const std::string& path, std::size_t maxBytes) {
  RegularFileRead result;
  // O_NONBLOCK: opening a FIFO without a writer returns at once instead of waiting.
  // O_NOCTTY: a terminal device named here never becomes the controlling terminal.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.get() < 0) {
    result.status = errno == ENOENT ? FileReadStatus::kMissing : FileReadStatus::kUnreadable;
    return result;
  }
  struct stat st {};
  if (::fstat(file.get(), &st) != 0) {
    result.status = FileReadStatus::kUnreadable;
    return result;
  }
  if (!S_ISREG(st.st_mode)) {
    result.status = FileReadStatus::kNotRegular;
    return result;
  }
  const auto size = static_cast<std::size_t>(st.st_size);
  if (size > maxBytes) {
    result.status = FileReadStatus::kTooLarge;
    return result;
  }
  // Read straight into a buffer of the file's size; a file that grows meanwhile is read on,
  // up to the limit.
  std::string& content = result.content;
  content.resize(std::max<std::size_t>(size, 4096));
  std::size_t filled = 0;
  while (true) {
    if (filled == content.size()) content.resize(content.size() * 2);
    const ssize_t got = ::read(file.get(), content.data() + filled, content.size() - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return {FileReadStatus::kUnreadable, {}};
    }
    filled += static_cast<std::size_t>(got);
    if (filled > maxBytes) return {FileReadStatus::kTooLarge, {}};
  }
  content.resize(filled);
  return result;
}

std::optional<std::string> readRegularFile(const std::string& path) {
  RegularFileRead read = readRegularFile(path, std::numeric_limits<std::size_t>::max());
  if (read.status != FileReadStatus::kRead) return std::nullopt;
  return std::move(read.content);
}

}  // namespace murlo
