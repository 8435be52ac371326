#include "analysis/address.h"

#include <algorithm>

#include "text/cp932.h"

namespace murlo {

namespace {

constexpr auto npos = std::string_view::npos;

// Where the path of an address ends: at its query, or at its end.
std::size_t pathEnd(std::string_view address, TextEncoding enc, std::size_t root) {
  return std::min(findChar(address, '?', enc, root), address.size());
}

// True when the address's query begins before its server root ("http://h?x/"): such an
// address has no path.
bool queryBeforeRoot(std::string_view address, TextEncoding enc, std::size_t root) {
  const std::size_t query = findChar(address, '?', enc, address.find("://") + 3);
  return query < root;
}

// Drops the last folder ("name/") of a path made of such folders.
void dropLastFolder(std::string& path, TextEncoding enc) {
  if (path.empty()) return;
  path.pop_back();
  const std::size_t slash = findLastChar(path, '/', enc);
  path.resize(slash == npos ? 0 : slash + 1);
}

}  // namespace

SplitAddress splitUrl(std::string_view fullAddress) {
  SplitAddress out;
  const std::size_t slash = findLastChar(fullAddress, '/');
  if (slash != npos && slash + 1 == fullAddress.size()) {
    out.url = std::string(fullAddress);
    out.fileName = kIndexMarker;
    return out;
  }
  const std::size_t nameStart = slash == npos ? 0 : slash + 1;
  out.url = std::string(fullAddress.substr(0, nameStart));
  out.fileName = std::string(fullAddress.substr(nameStart));
  const std::size_t dot = findLastChar(out.fileName, '.');
  if (dot != npos) out.extension = out.fileName.substr(dot + 1);
  return out;
}

std::string linkExtension(std::string_view fileName) {
  // A query belongs to the request, not to the name: "p.html?v=1" is a page like "p.html".
  const std::string_view name = fileName.substr(0, findChar(fileName, '?'));
  const std::size_t dot = findChar(name, '.');
  return std::string(dot == npos ? name : name.substr(dot + 1));
}

void removeAll(std::string& text, std::string_view pattern, int patternLength) {
  if (pattern.empty()) return;
  const std::size_t take =
      patternLength <= 0 ? pattern.size() : static_cast<std::size_t>(patternLength);
  const TextEncoding enc = detectEncoding(text);
  // Removing a match never makes a new match that starts before it, so one pass from left
  // to right gives the same text as searching again from the start after every removal.
  std::size_t match = findText(text, pattern, enc);
  if (match == npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (match != npos) {
    out.append(text, pos, match - pos);
    pos = std::min(text.size(), match + take);
    match = findText(text, pattern, enc, pos);
  }
  out.append(text, pos, npos);
  text = std::move(out);
}

void cleanTypedAddress(std::string& text) {
  removeAll(text, "\r", 2);
  removeAll(text, "\t", 1);
  // The full-width space in the text's own encoding.
  if (isValidUtf8(text)) {
    removeAll(text, "\xE3\x80\x80", 3);
  } else {
    removeAll(text, "\x81\x40", 2);
  }
}

std::string trimAddress(std::string_view text) {
  constexpr std::string_view blanks = " \t\r\n\v\f";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == npos) return {};
  const std::size_t last = text.find_last_not_of(blanks);
  return std::string(text.substr(first, last - first + 1));
}

std::optional<DownloadTarget> downloadTarget(const ItemRecord& item) {
  if (item.fileName.empty() || item.url.empty()) return std::nullopt;
  if (item.fileName == kIndexMarker) return DownloadTarget{item.url, "index.htm"};
  return DownloadTarget{item.url + item.fileName, item.fileName};
}

bool isFtpAddress(std::string_view address) {
  return address.size() > 6 && address.substr(0, 6) == "ftp://";
}

std::size_t serverRootLength(std::string_view address) {
  const std::size_t scheme = address.find("://");
  if (scheme == npos) return npos;
  const std::size_t slash = findChar(address, '/', detectEncoding(address), scheme + 3);
  return slash == npos ? npos : slash + 1;
}

void removeDotSegments(std::string& directoryAddress) {
  const std::size_t root = serverRootLength(directoryAddress);
  if (root == npos) return;
  const TextEncoding enc = detectEncoding(directoryAddress);
  if (queryBeforeRoot(directoryAddress, enc, root)) return;
  const std::size_t end = pathEnd(directoryAddress, enc, root);
  std::string path;
  path.reserve(end - root);
  for (std::size_t pos = root; pos < end;) {
    const std::size_t slash = findChar(directoryAddress, '/', enc, pos);
    const std::size_t next = slash < end ? slash + 1 : end;
    const std::string_view folder(directoryAddress.data() + pos, next - pos);
    const std::string_view name = folder.substr(0, findChar(folder, '/', enc));
    if (name == "..") {
      dropLastFolder(path, enc);
    } else if (name != ".") {
      path += folder;
    }
    pos = next;
  }
  directoryAddress.replace(root, end - root, path);
}

int folderDepth(std::string_view directoryAddress) {
  const std::size_t root = serverRootLength(directoryAddress);
  if (root == npos) return 0;
  const TextEncoding enc = detectEncoding(directoryAddress);
  if (queryBeforeRoot(directoryAddress, enc, root)) return 0;
  int depth = 0;
  const std::size_t end = pathEnd(directoryAddress, enc, root);
  for (std::size_t slash = findChar(directoryAddress, '/', enc, root); slash < end;
       slash = findChar(directoryAddress, '/', enc, slash + 1)) {
    ++depth;
  }
  return depth;
}

std::size_t httpSchemeLength(std::string_view address) {
  if (startsWithIgnoreAsciiCase(address, "http://")) return 7;
  if (startsWithIgnoreAsciiCase(address, "https://")) return 8;
  return 0;
}

std::size_t fetchableSchemeLength(std::string_view address) {
  if (startsWithIgnoreAsciiCase(address, "ftp://")) return 6;
  return httpSchemeLength(address);
}

bool hasForeignScheme(std::string_view text) {
  constexpr std::string_view letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  constexpr std::string_view nameChars =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-.";
  if (text.empty() || letters.find(text.front()) == npos) return false;
  // Only ASCII bytes are scheme characters, so a CP932 lead byte ends the name before any
  // of its trail bytes could be taken for one.
  const std::size_t colon = text.find_first_not_of(nameChars);
  if (colon == npos || colon < 2 || text[colon] != ':') return false;
  const std::string_view name = text.substr(0, colon);
  return !equalsIgnoreAsciiCase(name, "http") && !equalsIgnoreAsciiCase(name, "https") &&
         !equalsIgnoreAsciiCase(name, "ftp");
}

UrlCredentials ParseUrlCredentials(std::string_view url) {
  std::string_view rest = url;
  if (findText(rest, "https://") != npos) {
    rest.remove_prefix(std::min<std::size_t>(8, rest.size()));
  } else if (findText(rest, "http://") != npos) {
    rest.remove_prefix(std::min<std::size_t>(7, rest.size()));
  }
  const std::size_t slash = findChar(rest, '/');
  if (slash != npos) rest = rest.substr(0, slash + 1);
  const std::size_t colon = findChar(rest, ':');
  const std::size_t at = findChar(rest, '@');
  if (colon == npos || at == npos || at < colon) return {};
  return UrlCredentials{std::string(rest.substr(0, colon)),
                        std::string(rest.substr(colon + 1, at - colon - 1))};
}

std::optional<std::string> recursiveAddressError(const std::string& address) {
  if (address.empty()) return "URLが入力されていません。";
  if (address.find('/') == std::string::npos) return "不正なURLです。";
  if (address.back() != '/' && !endsWithIgnoreAsciiCase(address, ".htm") &&
      !endsWithIgnoreAsciiCase(address, ".cgi") && !endsWithIgnoreAsciiCase(address, ".html") &&
      !endsWithIgnoreAsciiCase(address, ".htm)") && !endsWithIgnoreAsciiCase(address, "shtml")) {
    return "このURLは解析不可能です。";
  }
  return std::nullopt;
}

}  // namespace murlo
