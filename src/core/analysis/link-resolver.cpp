#include "analysis/link-resolver.h"

#include "analysis/address.h"
#include "analysis/extension-filter.h"
#include "text/cp932.h"

namespace murlo {

namespace {

constexpr auto npos = std::string_view::npos;

// The link's directory part (up to and including its last "/") and its file name.
struct LinkParts {
  std::string_view directory;
  std::string_view fileName;
};

LinkParts splitAtLastSlash(std::string_view link) {
  const std::size_t slash = findLastChar(link, '/');
  if (slash == npos) return {{}, link};
  return {link.substr(0, slash + 1), link.substr(slash + 1)};
}

// Cuts the base after its last "/"; false when it has none.
bool cutAfterLastSlash(std::string& base) {
  const std::size_t slash = findLastChar(base, '/');
  if (slash == npos) return false;
  base.resize(slash + 1);
  return true;
}

// A protocol-relative link ("//host/path") completed with the page's scheme; "http:" when
// the page address has none this program fetches.
std::string withPageScheme(std::string_view link, std::string_view pageAddress) {
  const std::size_t pageScheme = fetchableSchemeLength(pageAddress);
  std::string absolute =
      pageScheme == 0 ? "http:" : std::string(pageAddress.substr(0, pageScheme - 2));
  absolute += link;
  return absolute;
}

}  // namespace

bool resolveDotPath(std::string& link, std::string& base) {
  for (bool firstPass = true;; firstPass = false) {
    if (link.size() <= 2) {
      if (firstPass) return false;
      // A later pass that stops here still drops the base's last directory: without it a
      // link such as "../" would leave the base without its trailing "/" and name the
      // wrong directory.
      cutAfterLastSlash(base);
      return true;
    }
    if (!cutAfterLastSlash(base)) return !firstPass;
    if (link.compare(0, 2, "./") == 0) {
      // "./" names the base's own folder: dropped, and whatever follows ("./", "../", a
      // folder) is resolved as if it stood alone.
      link.erase(0, 2);
      continue;
    }
    if (link.compare(0, 3, "../") != 0) return !firstPass;
    link.erase(0, 3);
    // Never climb above the server's root: a "../" there stays at the root, as browsers
    // do, instead of eating into the host name and the scheme.
    const std::size_t root = serverRootLength(base);
    if (root == npos || base.size() > root) base.pop_back();
  }
}

namespace {

// A link of the HTML link finder where only an image can stand, whose name has no
// extension: it is an image whatever the length of its name ("/photo/42").
bool isBareImageName(const FinderLinkOptions* finder, std::string_view fileName) {
  return finder != nullptr && finder->imagePlace &&
         findChar(fileName.substr(0, findChar(fileName, '?')), '.') == npos;
}

// addLink, and addFinderLink when `finder` is set.
bool addLinkWith(const LinkSink& sink, std::string_view link, std::string_view pageAddress,
                 std::string_view tag, const FinderLinkOptions* finder) {
  const std::string_view referrer = pageAddress;
  if (finder != nullptr && !finder->base.empty()) pageAddress = finder->base;
  // "javascript:", "mailto:", "data:" and the like name no file of any server.
  if (hasForeignScheme(link)) return false;
  // A fragment names a place in the page, not another file: it is never requested.
  link = link.substr(0, findChar(link, '#'));
  if (link.empty()) return false;

  std::string protocolRelative;
  if (link.starts_with("//")) {
    protocolRelative = withPageScheme(link, pageAddress);
    link = protocolRelative;
  }

  std::string base;
  std::string fileName;
  const std::size_t schemeLength = fetchableSchemeLength(link);
  if (schemeLength != 0) {
    // Absolute. One too short to hold a host and a name would otherwise be taken as a
    // folder of the page's directory.
    if (link.size() <= schemeLength + 1) return false;
    const LinkParts parts = splitAtLastSlash(link);
    base = std::string(parts.directory);
    fileName = parts.fileName;
    // Downloads recognise FTP addresses by the scheme in small letters only.
    if (startsWithIgnoreAsciiCase(base, "ftp://")) base.replace(0, 3, "ftp");
  } else if (link.front() == '/') {
    // Server-relative: the base is the page's scheme and host.
    std::size_t skip = fetchableSchemeLength(pageAddress);
    if (skip == 0) skip = 7;
    if (pageAddress.size() < skip) return false;
    const std::size_t slash = findChar(pageAddress.substr(skip), '/');
    if (slash == npos) return false;
    const LinkParts parts = splitAtLastSlash(link);
    base = std::string(pageAddress.substr(0, skip + slash));
    base += parts.directory;
    fileName = parts.fileName;
  } else if (link.front() == '.') {
    std::string rewritten(link);
    base = std::string(pageAddress);
    if (!resolveDotPath(rewritten, base)) return false;
    const LinkParts parts = splitAtLastSlash(rewritten);
    base += parts.directory;
    fileName = parts.fileName;
  } else {
    if (pageAddress.empty()) return false;
    const std::size_t slash = findLastChar(pageAddress, '/');
    if (slash == npos) return false;
    const LinkParts parts = splitAtLastSlash(link);
    base = std::string(pageAddress.substr(0, slash + 1));
    base += parts.directory;
    fileName = parts.fileName;
  }
  // Without this, a server that answers "/./" and "/a/../a/" like "/" gives one file
  // endless addresses, and a recursive analysis follows them for ever.
  removeDotSegments(base);

  std::string extension;
  if (fileName.empty()) {
    if (!acceptExtension(sink.settings, extension, true)) return false;
    fileName = kIndexMarker;
  } else {
    if (fileName.size() < 4 && !isBareImageName(finder, fileName)) return false;
    extension = finder != nullptr ? finderExtension(sink.settings, fileName, finder->imagePlace)
                                  : linkExtension(fileName);
    if (!acceptExtension(sink.settings, extension, false)) return false;
  }
  return sink.list.AddItem(std::move(fileName), std::move(base), std::string(tag),
                           std::move(extension), std::string(), std::string(referrer));
}

}  // namespace

bool addLink(const LinkSink& sink, std::string_view link, std::string_view pageAddress,
             std::string_view tag) {
  return addLinkWith(sink, link, pageAddress, tag, nullptr);
}

bool addFinderLink(const LinkSink& sink, std::string_view link, std::string_view pageAddress,
                   std::string_view tag, const FinderLinkOptions& options) {
  return addLinkWith(sink, link, pageAddress, tag, &options);
}

}  // namespace murlo
