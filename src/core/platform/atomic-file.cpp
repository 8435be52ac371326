#include "platform/atomic-file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/link-target.h"

namespace murlo {

bool writeFileAtomically(const std::string& path, std::string_view data, unsigned newFileMode) {
  // Through a symbolic link, the file it names is replaced and the link stays as it is.
  const std::optional<std::string> target = linkTarget(path);
  if (!target) return false;
  struct stat existing {};
  const bool exists = ::stat(target->c_str(), &existing) == 0;
  // A folder, FIFO or device of that name is not the program's file to replace.
  if (exists && !S_ISREG(existing.st_mode)) {
    errno = EINVAL;
    return false;
  }
  std::string temp = *target + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  fchmod(fd, exists ? (existing.st_mode & 07777) : static_cast<mode_t>(newFileMode));
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += static_cast<std::size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), target->c_str()) != 0) ok = false;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

}  // namespace murlo
