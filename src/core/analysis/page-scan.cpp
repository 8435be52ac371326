#include "analysis/page-scan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "analysis/page-text.h"
#include "analysis/string-scanner.h"
#include "analysis/tag-scanner.h"

namespace murlo {

namespace {

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::string content;
  // Read straight into a buffer of the file's size; a file that grows meanwhile is read on.
  content.resize(::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size)
                                                         : std::size_t{65536});
  std::size_t filled = 0;
  while (true) {
    if (filled == content.size()) content.resize(content.size() * 2);
    const ssize_t got = ::read(fd, content.data() + filled, content.size() - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    filled += static_cast<std::size_t>(got);
  }
  ::close(fd);
  content.resize(filled);
  return content;
}

using Scanner = void (*)(const PageText& page, const PageScanContext& context,
                         const LinkFound& found);

int scanFile(const PageScanContext& context, std::string_view pageAddress,
             const std::string& filePath, Scanner scanner) {
  const std::string path = filePath.empty() ? tempPagePath(context.appDirectory) : filePath;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
    context.prompter.message(kPageFileMissingText, PromptIcon::kStop, PromptButtons::kOk);
    return kScanFileMissing;
  }
  std::optional<std::string> content = readWholeFile(path);
  if (!content) return kScanFileUnreadable;
  const PageText page = preparePageText(std::move(*content));
  ItemList::Batch batch(context.sink.list);
  scanner(page, context, [&](std::string_view link, std::string_view tag) {
    addLink(context.sink, link, pageAddress, tag);
  });
  return kScanComplete;
}

void runTagScanner(const PageText& page, const PageScanContext& context, const LinkFound& found) {
  findTagLinks(page, context.sink.settings, found);
}

void runStringScanner(const PageText& page, const PageScanContext&, const LinkFound& found) {
  findHttpStrings(page, found);
}

}  // namespace

std::string tempPagePath(const std::string& appDirectory) {
  if (!appDirectory.empty() && appDirectory.back() == '/') return appDirectory + "Murlo.tmp";
  return appDirectory + "/Murlo.tmp";
}

int scanTags(const PageScanContext& context, std::string_view pageAddress,
             const std::string& filePath) {
  return scanFile(context, pageAddress, filePath, runTagScanner);
}

int scanHttpStrings(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath) {
  return scanFile(context, pageAddress, filePath, runStringScanner);
}

int scanPage(const PageScanContext& context, std::string_view pageAddress,
             const std::string& filePath, int jobTag) {
  return (jobTag & tagbits::kAllHttp) != 0 ? scanHttpStrings(context, pageAddress, filePath)
                                           : scanTags(context, pageAddress, filePath);
}

}  // namespace murlo
