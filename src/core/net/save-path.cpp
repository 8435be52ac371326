#include "net/save-path.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "text/cp932.h"
#include "text/disk-name.h"

namespace murlo {

namespace {

// Extensions longer than this are taken for part of the name when a name is shortened.
constexpr std::size_t kMaxKeptExtensionBytes = 32;

// The longest prefix of `text` of at most `maxBytes` bytes that ends at a character boundary.
std::string_view cutAtCharBoundary(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = 0;
  if (isValidUtf8(text)) {
    end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  } else {
    for (std::size_t next = 0; next <= maxBytes; next += isCp932LeadByte(text[next]) ? 2 : 1) {
      end = next;
      if (next >= text.size()) break;
    }
  }
  return text.substr(0, end);
}

std::string cutName(std::string_view name) {
  return std::string(cutAtCharBoundary(name, kMaxNameBytes));
}

}  // namespace

std::vector<std::string> hierarchyFolders(std::string_view object) {
  std::vector<std::string> folders;
  std::size_t start = object.starts_with('/') ? 1 : 0;
  for (;;) {
    const std::size_t slash = object.find('/', start);
    if (slash == std::string_view::npos) break;
    const std::string segment = diskName(object.substr(start, slash - start));
    if (!segment.empty() && segment != "." && segment != "..") folders.push_back(cutName(segment));
    start = slash + 1;
  }
  return folders;
}

std::string safeFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return "_";
  std::string safe(name);
  for (char& c : safe) {
    if (c == '/' || c == '\0') c = '_';
  }
  return fitName(safe, kMaxFileNameBytes);
}

std::string fitName(std::string_view name, std::size_t maxBytes) {
  if (name.size() <= maxBytes) return std::string(name);
  std::size_t dot = findLastChar(name, '.');
  if (dot == std::string_view::npos || dot == 0 || name.size() - dot > kMaxKeptExtensionBytes) {
    dot = name.size();
  }
  const std::string_view extension = name.substr(dot);
  return std::string(cutAtCharBoundary(name.substr(0, dot), maxBytes - extension.size())) +
         std::string(extension);
}

std::string joinPath(std::string_view dir, std::string_view name) {
  std::string path(dir);
  if (!path.ends_with('/')) path += '/';
  path.append(name);
  return path;
}

std::string baseName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string renamedCandidate(std::string_view name, unsigned counter) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", counter);
  const std::size_t slash = name.rfind('/');
  const std::size_t componentStart = slash == std::string_view::npos ? 0 : slash + 1;
  const std::string_view component = name.substr(componentStart);
  // A name taken from an address may carry its query ("same.bin?size=3&pace=00.02"): the
  // extension is that of the part before the "?", and the query stays after it unchanged.
  const std::size_t queryStart = std::min(findChar(component, '?'), component.size());
  const std::string_view query = component.substr(queryStart);
  const std::string_view base = component.substr(0, queryStart);
  const std::size_t dot = findLastChar(base, '.');
  const std::string_view stem = base.substr(0, dot);
  const std::string_view extension =
      dot == std::string_view::npos ? std::string_view() : base.substr(dot);
  const std::size_t room =
      kMaxFileNameBytes -
      std::min(kMaxFileNameBytes, extension.size() + query.size() + std::strlen(hex));
  return std::string(name.substr(0, componentStart)) + std::string(cutAtCharBoundary(stem, room)) +
         hex + std::string(extension) + std::string(query);
}

}  // namespace murlo
