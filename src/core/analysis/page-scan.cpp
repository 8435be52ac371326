#include "analysis/page-scan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "analysis/page-text.h"
#include "analysis/string-scanner.h"
#include "analysis/tag-scanner.h"

namespace murlo {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// The whole content of a regular file, or nothing when it cannot be opened or read. Other
// kinds of file are refused: a FIFO could block and a device could never end.
std::optional<std::string> readWholeFile(const std::string& path) {
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat st {};
  if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    return std::nullopt;
  }
  // Read straight into a buffer of the file's size; a file that grows meanwhile is read on.
  std::string content(std::max<std::size_t>(static_cast<std::size_t>(st.st_size), 4096), '\0');
  std::size_t filled = 0;
  while (true) {
    if (filled == content.size()) content.resize(content.size() * 2);
    const ssize_t got = ::read(file.get(), content.data() + filled, content.size() - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    filled += static_cast<std::size_t>(got);
  }
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
