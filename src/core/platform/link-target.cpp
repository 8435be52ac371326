#include "platform/link-target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

namespace murlo {

namespace {

// As many links in a row as the kernel follows before it reports a loop.
constexpr int kMaxLinks = 40;

}  // namespace

std::optional<std::string> linkTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::vector<char> named(PATH_MAX + 1);
    const ssize_t length = ::readlink(current.c_str(), named.data(), named.size());
    if (length < 0 || static_cast<std::size_t>(length) >= named.size()) return std::nullopt;
    std::string target(named.data(), static_cast<std::size_t>(length));
    if (target.empty()) return std::nullopt;
    if (target.front() != '/') {
      const std::size_t slash = current.rfind('/');
      if (slash != std::string::npos) target.insert(0, current, 0, slash + 1);
    }
    current = std::move(target);
  }
  errno = ELOOP;
  return std::nullopt;
}

}  // namespace murlo
