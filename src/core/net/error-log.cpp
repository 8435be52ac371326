#include "net/error-log.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>

#include "net/engine-error.h"
#include "net/job-record.h"
#include "net/save-path.h"
#include "platform/prompter.h"
#include "settings/program-files.h"
#include "text/cp932.h"

namespace murlo {

namespace {

// A reason is kept to what a 1024-character buffer holds.
constexpr std::size_t kMaxReasonBytes = 1023;

constexpr std::string_view kBanner = "--Murlo  ver 2.02  ERRORLOG--\r\n";

std::string timeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M  ", &local);
  return std::string(text, n);
}

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The first `size` bytes of UTF-8 `text` at most, without a character cut in two.
std::string_view utf8Head(std::string_view text, std::size_t size) {
  if (text.size() <= size) return text;
  while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) --size;
  return text.substr(0, size);
}

void appendJobLog(JobRecord& job, std::string_view reason) {
  const int error = appendErrorLog(job.appDir, job.url, reason);
  if (error != 0) job.logError = error;
}

}  // namespace

std::string errorLogPath(const std::string& appDir) {
  return programFilePath(appDir, kErrorLogFile);
}

int appendErrorLog(const std::string& appDir, std::string_view url, std::string_view reason) {
  // The mutex orders the threads of this process, flock() other processes on the same file.
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  const int fd =
      ::open(errorLogPath(appDir).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  ::flock(fd, LOCK_EX);
  struct stat info {};
  int error = ::fstat(fd, &info) == 0 ? 0 : errno;
  std::string entry;
  if (error == 0 && info.st_size == 0) entry = kBanner;
  entry += "\r\n" + timeStamp();
  entry += displayText(url);
  entry += "\r\n";
  entry += displayText(reason);
  if (error == 0 && !writeAll(fd, entry)) error = errno;
  ::flock(fd, LOCK_UN);
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

void logResultText(EngineError code, JobRecord& job) {
  if (!code.isRefusal()) return;
  appendJobLog(job, code.text());
}

void logExceptionText(const std::exception& error, JobRecord& job) {
  logNoticeText(error.what(), job);
}

void logNoticeText(std::string_view notice, JobRecord& job) {
  appendJobLog(job, utf8Head(displayText(notice), kMaxReasonBytes));
}

void reportLogFailure(const JobRecord& job, Prompter& prompter) {
  const int error = job.logError.load();
  if (error == 0) return;
  // A full disk is no fault of the program: say what happened instead.
  const bool diskFull = error == ENOSPC || error == EDQUOT;
  prompter.message(diskFull
                       ? "Murlo.log に書き込めませんでした (ﾃﾞｨｽｸに空きがありません)"
                       : "Murlo.log 作成に致命的なｴﾗｰが発生しました\r\nすぐ制作者に連絡して下さい",
                   PromptIcon::kExclamation, PromptButtons::kOk);
}

}  // namespace murlo
