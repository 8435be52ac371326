#include "net/local-file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace murlo {

namespace {

// Whole pages per write(). Blocks four times larger copied into the page cache up to twice
// as slowly on ext4 after another large file had just been deleted.
constexpr std::size_t kWriteBlock = 64 * 1024;

ForeignFileError foreignFile(const std::string& path, const struct stat& info) {
  return ForeignFileError(
      path, info.st_uid != ::geteuid() ? std::optional<uid_t>(info.st_uid) : std::nullopt);
}

}  // namespace

bool isOwnPlainFile(const struct stat& info) {
  return S_ISREG(info.st_mode) && info.st_nlink == 1 && info.st_uid == ::geteuid();
}

ForeignFileError::ForeignFileError(const std::string& path, std::optional<uid_t> owner)
    : LocalFileError(FileErrorKind::kGeneric,
                     path + (owner ? ": the file belongs to another user"
                                   : ": the file is a link or no plain file")),
      owner_(owner) {}

LocalFile::LocalFile(const std::string& path, Mode mode, WriteGate& gate)
    : path_(path), gate_(gate) {
  int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  if (mode == Mode::kCreate) flags |= O_TRUNC;
  int error = 0;
  const bool open = gate_.pass([&] {
    fd_ = ::open(path.c_str(), flags, 0666);
    error = errno;
  });
  if (!open) throw LocalFileError::givenUp(path);
  struct stat info {};
  if (fd_ < 0) {
    // A link, a folder or another user's file in a shared folder cannot be opened: when
    // something is there, it is someone else's.
    if (mode == Mode::kContinue && ::lstat(path.c_str(), &info) == 0 && !isOwnPlainFile(info)) {
      throw foreignFile(path, info);
    }
    errno = error;
    throw LocalFileError::fromErrno(FileErrorKind::kGeneric, path);
  }
  if (::fstat(fd_, &info) != 0) {
    closeWith(errno);
    throw LocalFileError::fromErrno(FileErrorKind::kGeneric, path);
  }
  // Checked before anything is written or locked: a hard link could lead outside the save
  // folder, and O_NOFOLLOW stops only symbolic links.
  if (mode == Mode::kContinue && !isOwnPlainFile(info)) {
    closeWith(EINVAL);
    throw foreignFile(path, info);
  }
  if (!S_ISREG(info.st_mode)) {
    closeWith(EINVAL);
    throw LocalFileError::fromErrno(FileErrorKind::kGeneric, path);
  }
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    closeWith(errno);
    throw LocalFileError(FileErrorKind::kGeneric,
                         path + ": the file is being written by another download");
  }
  if (::lseek(fd_, 0, SEEK_END) < 0) {
    closeWith(errno);
    throw LocalFileError::fromErrno(FileErrorKind::kGeneric, path);
  }
  openedSize_ = info.st_size;
  buffer_.reserve(kWriteBlock);
}

void LocalFile::closeWith(int error) {
  ::close(fd_);
  fd_ = -1;
  errno = error;
}

LocalFile::~LocalFile() {
  if (fd_ < 0) return;
  try {
    flush();
  } catch (const LocalFileError&) {
    // A stopped or failed transfer keeps what could be written; the cause was reported.
  }
  ::close(fd_);
}

void LocalFile::write(const char* data, std::size_t size) {
  // The disk gets whole blocks, however small the pieces the transfer hands over.
  while (size > 0) {
    const std::size_t n = std::min(size, kWriteBlock - buffer_.size());
    buffer_.insert(buffer_.end(), data, data + n);
    data += n;
    size -= n;
    if (buffer_.size() == kWriteBlock) flush();
  }
}

bool LocalFile::flush() {
  if (buffer_.empty()) return false;
  bool failed = false;
  const bool passed = gate_.pass([&] {
    const char* p = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0) {
      const ssize_t n = ::write(fd_, p, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        failed = true;
        return;
      }
      p += n;
      left -= static_cast<std::size_t>(n);
    }
  });
  buffer_.clear();
  if (!passed) throw LocalFileError::givenUp(path_);
  if (failed) throw LocalFileError::fromErrno(FileErrorKind::kGeneric, path_);
  stampModificationTime();
  return true;
}

void LocalFile::stampModificationTime() {
  if (!modificationTime_) return;
  const struct timespec times[2] = {{0, UTIME_OMIT}, {*modificationTime_, 0}};
  gate_.pass([&] { ::futimens(fd_, times); });
}

void LocalFile::setAttribute(const char* name, const std::string& value) {
  gate_.pass([&] {
    if (value.empty()) {
      ::fremovexattr(fd_, name);
    } else {
      ::fsetxattr(fd_, name, value.data(), value.size(), 0);
    }
  });
}

void LocalFile::truncate() {
  buffer_.clear();
  bool failed = false;
  if (!gate_.pass([&] { failed = ::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0; })) {
    throw LocalFileError::givenUp(path_);
  }
  if (failed) throw LocalFileError::fromErrno(FileErrorKind::kGeneric, path_);
}

void LocalFile::close() {
  if (!flush()) stampModificationTime();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw LocalFileError::fromErrno(FileErrorKind::kGeneric, path_);
}

}  // namespace murlo
