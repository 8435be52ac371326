#include "analysis/page-scan.h"

#include <sys/stat.h>

#include <cerrno>
#include <optional>

#include "analysis/page-text.h"
#include "analysis/string-scanner.h"
#include "analysis/tag-scanner.h"
#include "platform/regular-file.h"
#include "settings/program-files.h"

namespace murlo {

namespace {

using Scanner = void (*)(const PageText& page, const PageScanContext& context,
                         const LinkFound& found);

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
  const PageText page = preparePageText(std::move(*content));
  ItemList::Batch batch(context.sink.list);
  scanner(page, context, [&](std::string_view link, std::string_view tag) {
    addLink(context.sink, link, pageAddress, tag);
  });
  return ScanResult::kComplete;
}

void runTagScanner(const PageText& page, const PageScanContext& context, const LinkFound& found) {
  findTagLinks(page, context.sink.settings, found);
}

void runStringScanner(const PageText& page, const PageScanContext&, const LinkFound& found) {
  findHttpStrings(page, found);
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

ScanResult scanPage(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath, int jobTag) {
  return (jobTag & tagbits::kAllHttp) != 0 ? scanHttpStrings(context, pageAddress, filePath)
                                           : scanTags(context, pageAddress, filePath);
}

}  // namespace murlo
