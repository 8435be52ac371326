#include "net/partial-file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "net/internet-error.h"
#include "net/save-path.h"
#include "net/write-gate.h"

namespace murlo {

namespace {

constexpr std::string_view kPartialExtension = ".part";
constexpr std::size_t kTagDigits = 8;

// FNV-1a: a stable, well-spread tag of an address; nothing here needs more.
std::uint32_t addressTag(std::string_view url) {
  std::uint32_t hash = 2166136261u;
  for (const char c : url) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

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

std::string partialPathFor(std::string_view finalPath, std::string_view url) {
  char tag[kTagDigits + 2];
  std::snprintf(tag, sizeof tag, ".%08x", addressTag(url));
  return std::string(finalPath) + tag + std::string(kPartialExtension);
}

std::optional<std::string> finalPathOf(std::string_view partialPath) {
  if (partialPath.size() <= kPartialSuffixBytes || !partialPath.ends_with(kPartialExtension)) {
    return std::nullopt;
  }
  const std::size_t dot = partialPath.size() - kPartialSuffixBytes;
  if (partialPath[dot] != '.') return std::nullopt;
  for (std::size_t i = dot + 1; i < dot + 1 + kTagDigits; ++i) {
    if (!isHexDigit(partialPath[i])) return std::nullopt;
  }
  const std::string_view finalPath = partialPath.substr(0, dot);
  if (finalPath.ends_with('/')) return std::nullopt;
  return std::string(finalPath);
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

std::optional<std::time_t> modificationTime(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  return info.st_mtime;
}

}  // namespace murlo
