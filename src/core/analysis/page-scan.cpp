#include "analysis/page-scan.h"

#include <sys/stat.h>

#include <cerrno>
#include <optional>

#include "analysis/address.h"
#include "analysis/html-link-finder.h"
#include "analysis/page-text.h"
#include "analysis/string-scanner.h"
#include "analysis/tag-scanner.h"
#include "platform/regular-file.h"
#include "settings/program-files.h"

namespace murlo {

namespace {

using Scanner = void (*)(std::string&& content, const PageScanContext& context,
                         std::string_view pageAddress);

ScanResult scanFile(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath, Scanner scanner) {
  const std::string path = filePath.empty() ? tempPagePath(context.appDirectory) : filePath;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
    context.prompter.message(kPageFileMissingText, PromptIcon::kStop, PromptButtons::kOk);
    return ScanResult::kFileMissing;
  }
  std::optional<std::string> content = readRegularFile(path);
  if (!content) return ScanResult::kFileUnreadable;
  ItemList::Batch batch(context.sink.list);
  scanner(std::move(*content), context, pageAddress);
  return ScanResult::kComplete;
}

LinkFound addEachLink(const PageScanContext& context, std::string_view pageAddress) {
  return [&context, pageAddress](std::string_view link, std::string_view tag) {
    addLink(context.sink, link, pageAddress, tag);
  };
}

void runTagScanner(std::string&& content, const PageScanContext& context,
                   std::string_view pageAddress) {
  findTagLinks(preparePageText(std::move(content)), context.sink.settings,
               addEachLink(context, pageAddress));
}

void runStringScanner(std::string&& content, const PageScanContext& context,
                      std::string_view pageAddress) {
  findHttpStrings(preparePageText(std::move(content)), addEachLink(context, pageAddress));
}

// The address a <base href> names, resolved against the page; empty when it is no
// http(s) address.
std::string resolveBaseHref(std::string_view pageAddress, std::string_view href) {
  std::string base;
  const std::size_t scheme = httpSchemeLength(pageAddress);
  if (httpSchemeLength(href) != 0) {
    base = href;
  } else if (scheme == 0 || href.find(':') < href.find_first_of("/?#")) {
    return {};
  } else if (href.substr(0, 2) == "//") {
    base = std::string(pageAddress.substr(0, scheme - 2)) += href;
  } else if (href.substr(0, 1) == "/") {
    base = std::string(pageAddress.substr(0, pageAddress.find('/', scheme))) += href;
  } else {
    base = std::string(pageAddress.substr(0, pageAddress.rfind('/') + 1)) += href;
  }
  // A bare host ("http://cdn.jp") names its root folder.
  if (base.find('/', httpSchemeLength(base)) == std::string::npos) base += '/';
  return base;
}

void runHtmlFinder(std::string&& content, const PageScanContext& context,
                   std::string_view pageAddress) {
  std::string baseHref;
  std::string base;
  findHtmlLinks(content, context.sink.settings, [&](const HtmlLink& link) {
    if (link.base != baseHref) {
      baseHref = link.base;
      base = resolveBaseHref(pageAddress, baseHref);
    }
    addFinderLink(context.sink, link.address, pageAddress, link.tag, {base, link.imagePlace});
  });
}

}  // namespace

std::string tempPagePath(const std::string& appDirectory) {
  return programFilePath(appDirectory, kLastPageFile);
}

ScanResult scanTags(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath) {
  return scanFile(context, pageAddress, filePath, runTagScanner);
}

ScanResult scanHttpStrings(const PageScanContext& context, std::string_view pageAddress,
                           const std::string& filePath) {
  return scanFile(context, pageAddress, filePath, runStringScanner);
}

ScanResult scanHtml(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath) {
  return scanFile(context, pageAddress, filePath, runHtmlFinder);
}

ScanResult scanMarkup(const PageScanContext& context, std::string_view pageAddress,
                      const std::string& filePath, int tag) {
  return (tag & tagbits::kHtml5) != 0 ? scanHtml(context, pageAddress, filePath)
                                      : scanTags(context, pageAddress, filePath);
}

ScanResult scanPage(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath, int jobTag) {
  return (jobTag & tagbits::kAllHttp) != 0 ? scanHttpStrings(context, pageAddress, filePath)
                                           : scanMarkup(context, pageAddress, filePath, jobTag);
}

}  // namespace murlo
