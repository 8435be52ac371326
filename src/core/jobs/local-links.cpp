#include "jobs/local-links.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "analysis/address.h"
#include "analysis/link-address.h"
#include "platform/atomic-file.h"
#include "platform/regular-file.h"

namespace murlo {

namespace {

// Addresses compare with the scheme and the host in any letter case.
std::string addressKey(std::string_view address) {
  std::string key(address);
  const std::size_t root = serverRootLength(key);
  for (std::size_t i = 0; i < root && i < key.size(); ++i) {
    if (key[i] >= 'A' && key[i] <= 'Z') key[i] = static_cast<char>(key[i] - 'A' + 'a');
  }
  return key;
}

bool isUnreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// A relative path as a link: every byte but the unreserved ones and "/" percent-encoded, so
// that names with "?", "#", "%", quotes or non-ASCII bytes open the file they name.
std::string pathAsLink(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string link;
  for (const char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    if (isUnreserved(c) || c == '/') {
      link += ch;
    } else {
      link += '%';
      link += kHex[c >> 4];
      link += kHex[c & 0x0F];
    }
  }
  return link;
}

// `target` relative to the folder of `page`, or an empty text when there is no such path.
std::string relativePath(std::string_view page, std::string_view target) {
  namespace fs = std::filesystem;
  const fs::path from = fs::path(page).parent_path().lexically_normal();
  return fs::path(target).lexically_normal().lexically_relative(from).generic_string();
}

bool rewritePage(const SavedFile& page, const LocalLinks& links, const LinkSpanFinder& find) {
  struct stat before {};
  // A page replaced by a link or another kind of file since it was saved is left alone.
  if (::lstat(page.path.c_str(), &before) != 0 || !S_ISREG(before.st_mode)) return false;
  if (static_cast<std::size_t>(before.st_size) > kMaxConvertedPageBytes) return true;
  const RegularFileRead read = readRegularFile(page.path, kMaxConvertedPageBytes);
  if (read.status == FileReadStatus::kTooLarge) return true;
  if (read.status != FileReadStatus::kRead) return false;
  const std::string rewritten = rewriteLinks(
      read.content, find(read.content),
      [&](const LinkSpan& span) { return links.replacement(span, page.address, page.path); });
  if (rewritten == read.content) return true;
  if (!writeFileAtomically(page.path, rewritten)) return false;
  // The server's time stays the page's, as the download left it.
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  ::utimensat(AT_FDCWD, page.path.c_str(), times, 0);
  return true;
}

}  // namespace

LocalLinks::LocalLinks(const std::vector<SavedFile>& saved) {
  for (const SavedFile& file : saved) pathByAddress_[addressKey(file.address)] = file.path;
}

const std::string* LocalLinks::savedPath(const std::string& address) const {
  const auto found = pathByAddress_.find(addressKey(address));
  return found == pathByAddress_.end() ? nullptr : &found->second;
}

std::optional<std::string> LocalLinks::replacement(std::string_view written,
                                                   std::string_view pageAddress,
                                                   std::string_view pagePath) const {
  // Browsers ignore blanks and line breaks around a link, and so does the rewriting.
  const std::string link = trimAddress(written);
  const std::optional<std::string> address = absoluteLinkAddress(link, pageAddress);
  if (!address) return std::nullopt;
  const std::string_view fragment = linkFragment(link);
  const std::string* target = savedPath(*address);
  // A directory's page lies on disk as its index.htm: the directory address, with or
  // without its "/", and the address of its index.htm name the same local file.
  constexpr std::string_view kIndex = "index.htm";
  if (target == nullptr && address->ends_with('/')) target = savedPath(*address + kIndex.data());
  if (target == nullptr && address->ends_with(std::string("/") + kIndex.data())) {
    target = savedPath(address->substr(0, address->size() - kIndex.size()));
  }
  if (target == nullptr && !address->ends_with('/')) target = savedPath(*address + "/");
  if (target != nullptr) {
    const std::string relative = relativePath(pagePath, *target);
    if (!relative.empty()) return pathAsLink(relative) + std::string(fragment);
  }
  // An absolute address stays as it is written.
  if (std::string_view(link).substr(0, link.size() - fragment.size()) == *address) {
    return std::nullopt;
  }
  return *address + std::string(fragment);
}

std::optional<std::string> LocalLinks::replacement(const LinkSpan& span,
                                                   std::string_view pageAddress,
                                                   std::string_view pagePath) const {
  // The base becomes the page's own file, so that the links rewritten below and the fragments
  // left alone resolve on disk; a link beside them that was not rewritten resolves there too.
  if (span.baseElement) {
    return pathAsLink(std::filesystem::path(pagePath).filename().string());
  }
  // The links resolve against the base where the page has one that is an address.
  const std::optional<std::string> base =
      span.base.empty() ? std::nullopt : absoluteLinkAddress(trimAddress(span.base), pageAddress);
  return replacement(span.link, base ? *base : pageAddress, pagePath);
}

std::vector<std::string> convertSavedPages(const std::vector<SavedFile>& saved,
                                           const LinkSpanFinder& find) {
  const LocalLinks links(saved);
  std::set<std::string> done;
  std::vector<std::string> failed;
  for (const SavedFile& file : saved) {
    if (!file.page || !done.insert(file.path).second) continue;
    if (!rewritePage(file, links, find)) failed.push_back(file.path);
  }
  return failed;
}

}  // namespace murlo
