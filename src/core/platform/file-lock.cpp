#include "platform/file-lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/link-target.h"
#include "platform/user-name.h"

namespace murlo {

namespace {

constexpr std::chrono::milliseconds kRetryInterval{50};

// True when `path` still names the open file `fd`: a holder that let go in the meantime
// removed the file this process locked, and the lock would then guard nothing.
bool stillNamed(int fd, const std::string& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

std::optional<uid_t> refusingOwner(const std::string& path, int error) {
  struct stat info {};
  if ((error != EACCES && error != EPERM) || ::lstat(path.c_str(), &info) != 0 ||
      info.st_uid == ::geteuid()) {
    return std::nullopt;
  }
  return info.st_uid;
}

std::string foreignLockText(const std::string& lockPath, uid_t owner) {
  const std::string user = userName(owner);
  return lockPath + " はﾕｰｻﾞｰ " + user + " のﾛｯｸﾌｧｲﾙのため、ﾘｽﾄをﾛｯｸできません。" + user +
         " の murlo が終わっていれば、" + user + " か管理者にこのﾌｧｲﾙを削除してもらってください。";
}

FileLock::~FileLock() { release(); }

std::string FileLock::lockPathFor(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, nameStart) + "." + path.substr(nameStart) + ".lock";
}

bool FileLock::acquire(const std::string& path, std::chrono::milliseconds patience) {
  release();
  // Writes through a symbolic link go to the file it names (atomic-file.h): so does the lock,
  // which a writer through the link and one through the file's own name then share.
  lockPath_ = lockPathFor(linkTarget(path).value_or(path));
  error_ = 0;
  blockingOwner_.reset();
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (true) {
    const int fd = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      error_ = errno;
      blockingOwner_ = refusingOwner(lockPath_, error_);
      return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (stillNamed(fd, lockPath_)) {
        fd_ = fd;
        return true;
      }
      ::close(fd);
      continue;
    }
    const int lockError = errno;
    ::close(fd);
    if (lockError != EWOULDBLOCK && lockError != EINTR) {
      error_ = lockError;
      return false;
    }
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kRetryInterval);
  }
}

void FileLock::release() {
  if (fd_ < 0) return;
  // Removed while still locked, so a waiter never locks a file that is about to vanish
  // without noticing (it checks the name after locking).
  ::unlink(lockPath_.c_str());
  ::close(fd_);
  fd_ = -1;
}

}  // namespace murlo
