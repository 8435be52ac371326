// FileLock: the exclusive lock one writer holds on a file while it reads and rewrites it.
//
// The file itself is replaced by a rename when it is written, so a lock on it would be lost
// with its old inode. The lock lives on a hidden file beside it, ".NAME.lock", which the
// holder removes before it lets go: no lock file stays behind. For a symbolic link, the
// lock is that of the file the link names.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

namespace murlo {

// How long a second writer waits for the holder before it gives up.
inline constexpr std::chrono::milliseconds kFileLockPatience{2500};

class FileLock {
 public:
  FileLock() = default;
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Takes the lock for `path`, waiting up to `patience` while another process or another
  // FileLock holds it. False when it could not: error() is 0 when the holder kept it for
  // the whole wait, else the errno of the failure (a folder without write access, say).
  bool acquire(const std::string& path, std::chrono::milliseconds patience = kFileLockPatience);
  bool held() const { return fd_ >= 0; }
  int error() const { return error_; }
  // The other user whose lock file is in the way, when that is why acquire() failed.
  std::optional<uid_t> blockingOwner() const { return blockingOwner_; }

  // The lock file of `path`: ".NAME.lock" in the same folder.
  static std::string lockPathFor(const std::string& path);

 private:
  void release();

  std::string lockPath_;
  int fd_ = -1;
  int error_ = 0;
  std::optional<uid_t> blockingOwner_;
};

// The other user who owns `path` when `error`, of opening it, is a refused permission: a
// file another user left in a shared folder with the sticky bit, which this user may
// neither open nor remove. Nothing otherwise.
std::optional<uid_t> refusingOwner(const std::string& path, int error);

// The message when another user's lock file `lockPath` keeps a list from being locked: whose
// file it is and what to do about it.
std::string foreignLockText(const std::string& lockPath, uid_t owner);

}  // namespace murlo
