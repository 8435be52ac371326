#include "net/save-path.h"

#include <cstdio>

#include "text/cp932.h"

namespace murlo {

namespace {

std::string cutName(std::string_view name) {
  return std::string(name.substr(0, kMaxNameBytes));
}

}  // namespace

std::vector<std::string> hierarchyFolders(std::string_view object) {
  std::vector<std::string> folders;
  std::size_t start = object.starts_with('/') ? 1 : 0;
  for (;;) {
    const std::size_t slash = object.find('/', start);
    if (slash == std::string_view::npos) break;
    const std::string_view segment = object.substr(start, slash - start);
    if (!segment.empty() && segment != "." && segment != "..") folders.push_back(cutName(segment));
    start = slash + 1;
  }
  return folders;
}

std::string safeFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return "_";
  std::string safe = cutName(name);
  for (char& c : safe) {
    if (c == '/' || c == '\0') c = '_';
  }
  return safe;
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
  const std::size_t dot = findLastChar(name.substr(componentStart), '.');
  if (dot == std::string_view::npos) return std::string(name) + hex;
  const std::size_t at = componentStart + dot;
  return std::string(name.substr(0, at)) + hex + std::string(name.substr(at));
}

}  // namespace murlo
