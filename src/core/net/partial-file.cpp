#include "net/partial-file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstdio>

#include "net/internet-error.h"
#include "net/save-path.h"
#include "net/write-gate.h"
#include "text/sha256.h"

namespace murlo {

namespace {

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

constexpr std::string_view kPartialExtension = ".part";
constexpr std::size_t kTagDigits = 16;
// The tag of the partial files of older runs.
constexpr std::size_t kOldTagDigits = 8;

// The tag's final path when `partialPath` ends in "." + `digits` hex digits + ".part".
std::optional<std::string> finalPathWithTag(std::string_view partialPath, std::size_t digits) {
  const std::size_t suffix = 1 + digits + kPartialExtension.size();
  if (partialPath.size() <= suffix || !partialPath.ends_with(kPartialExtension)) {
    return std::nullopt;
  }
  const std::size_t dot = partialPath.size() - suffix;
  if (partialPath[dot] != '.') return std::nullopt;
  for (std::size_t i = dot + 1; i < dot + 1 + digits; ++i) {
    if (!isHexDigit(partialPath[i])) return std::nullopt;
  }
  const std::string_view finalPath = partialPath.substr(0, dot);
  if (finalPath.ends_with('/')) return std::nullopt;
  return std::string(finalPath);
}

// rename() that fails with EEXIST instead of replacing an existing entry.
int renameNoReplace(const char* from, const char* to) {
  if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  // A file system without the flag: a hard link fails on an existing name as well.
  if (::link(from, to) != 0) return -1;
  return ::unlink(from);
}

}  // namespace

static_assert(kPartialSuffixBytes == 1 + kTagDigits + kPartialExtension.size());

std::string partialPathFor(std::string_view finalPath, std::string_view url, unsigned attempt) {
  std::string tagged(url);
  if (attempt > 0) tagged += "\n" + std::to_string(attempt);
  return std::string(finalPath) + "." + sha256Hex(tagged, kTagDigits) +
         std::string(kPartialExtension);
}

std::optional<std::string> finalPathOf(std::string_view partialPath) {
  if (auto finalPath = finalPathWithTag(partialPath, kTagDigits)) return finalPath;
  return finalPathWithTag(partialPath, kOldTagDigits);
}

std::string publishPartialFile(const std::string& partialPath, const std::string& finalPath,
                               bool replace, WriteGate& gate) {
  std::string target = finalPath;
  for (unsigned counter = 0;; ++counter) {
    int result = 0;
    if (!gate.pass([&] {
          result = replace ? ::rename(partialPath.c_str(), target.c_str())
                           : renameNoReplace(partialPath.c_str(), target.c_str());
        })) {
      throw LocalFileError::givenUp(target);
    }
    if (result == 0) return target;
    if (errno != EEXIST || replace)
      throw LocalFileError::fromErrno(FileErrorKind::kGeneric, target);
    target = renamedCandidate(finalPath, counter);
  }
}

std::string partialAttribute(const std::string& path, const char* name) {
  // Longer values were not written here.
  std::string value(8192, '\0');
  const ssize_t n = ::lgetxattr(path.c_str(), name, value.data(), value.size());
  value.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return value;
}

std::optional<std::time_t> modificationTime(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  return info.st_mtime;
}

}  // namespace murlo
