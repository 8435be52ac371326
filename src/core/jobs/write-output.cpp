#include "jobs/write-output.h"

#include "net/result-codes.h"
#include "settings/app-settings.h"

namespace murlo {

const char* const kOutputBanner = "Murlo ver 2.02.10.29\t\tWeb site and file downloader";

namespace {

const char* failurePrefix(int code) {
  switch (code) {
    case RESULT_ERROR_DOWNLOAD: return "\r\n>Error Download :";
    case RESULT_ERROR_RESUME: return "\r\n>Error Resume :";
    case RESULT_ERROR_INTERNET: return "\r\n>Error Internet :";
    case RESULT_ERROR_FILE: return "\r\n>Error File :";
    case RESULT_USER_DENIED: return "\r\n>User Denied :";
    default: return nullptr;
  }
}

}  // namespace

void writeOutput(OutputSink& sink, int code, const std::string& text, int outputBits,
                 bool offline) {
  if (!(outputBits & output::kWindow)) return;
  if (code == RESULT_SUCCEED) {
    if (outputBits & output::kSuccess) sink.append("\r\n>Succeed :" + text);
    return;
  }
  if (code == OUT_NOT_FOLLOWED) {
    // A note on the crawl's progress, not a job start: it never clears the log.
    if (outputBits & output::kProcessing) sink.append("\r\n>Not Followed :" + text);
    return;
  }
  if (code == OUT_NOTICE) {
    sink.append("\r\n>Notice :" + text);
    return;
  }
  if (static_cast<unsigned>(code) < 30) {
    // A job start.
    if (outputBits & output::kClearEach) sink.resetToBanner();
    if (outputBits & output::kProcessing) {
      const char* line = code == OUT_ANALYZE    ? "\r\nAnalyze..."
                         : code == OUT_DOWNLOAD ? "\r\nDownload..."
                                                : nullptr;
      if (line) sink.append(std::string(line) + (offline ? "[Offline]" : ""));
    }
    return;
  }
  if (!(outputBits & output::kFailure)) return;
  if (!(outputBits & output::kCause)) {
    sink.append("\r\n>Error :" + text);
    return;
  }
  // With causes on, codes without a prefix of their own write nothing at all.
  if (const char* prefix = failurePrefix(code)) sink.append(prefix + text);
}

}  // namespace murlo
