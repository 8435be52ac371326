#include "jobs/write-output.h"

#include "settings/app-settings.h"

namespace murlo {

const char* const kOutputBanner = "Murlo ver 2.02.10.29\t\tWeb site and file downloader";

namespace {

const char* failurePrefix(ItemResult result) {
  switch (result) {
    case ItemResult::kErrorDownload: return "\r\n>Error Download :";
    case ItemResult::kErrorResume: return "\r\n>Error Resume :";
    case ItemResult::kErrorInternet: return "\r\n>Error Internet :";
    case ItemResult::kErrorFile: return "\r\n>Error File :";
    case ItemResult::kUserDenied: return "\r\n>User Denied :";
    default: return nullptr;
  }
}

// A job's first line; `line` null: the log may be cleared, but nothing is written.
void writeStart(OutputSink& sink, const char* line, int outputBits, bool offline) {
  if (outputBits & output::kClearEach) sink.resetToBanner();
  if (line && (outputBits & output::kProcessing)) {
    sink.append(std::string(line) + (offline ? "[Offline]" : ""));
  }
}

void writeNote(OutputSink& sink, JobNote note, const std::string& text, int outputBits) {
  switch (note) {
    case JobNote::kNotFollowed:
      // A note on the crawl's progress, not a job start: it never clears the log.
      if (outputBits & output::kProcessing) sink.append("\r\n>Not Followed :" + text);
      return;
    case JobNote::kNotice: sink.append("\r\n>Notice :" + text); return;
  }
}

void writeResult(OutputSink& sink, ItemResult result, const std::string& text, int outputBits,
                 bool offline) {
  if (result == ItemResult::kSucceed) {
    if (outputBits & output::kSuccess) sink.append("\r\n>Succeed :" + text);
    return;
  }
  // An item that ended without a result counts among the starts, which write no line.
  if (result == ItemResult::kNone) return writeStart(sink, nullptr, outputBits, offline);
  if (!(outputBits & output::kFailure)) return;
  if (!(outputBits & output::kCause)) {
    sink.append("\r\n>Error :" + text);
    return;
  }
  // With causes on, results without a prefix of their own write nothing at all.
  if (const char* prefix = failurePrefix(result)) sink.append(prefix + text);
}

}  // namespace

void writeOutput(OutputSink& sink, OutputEvent event, const std::string& text, int outputBits,
                 bool offline) {
  if (!(outputBits & output::kWindow)) return;
  if (const auto* start = std::get_if<JobStart>(&event)) {
    writeStart(sink, *start == JobStart::kAnalyze ? "\r\nAnalyze..." : "\r\nDownload...",
               outputBits, offline);
  } else if (const auto* note = std::get_if<JobNote>(&event)) {
    writeNote(sink, *note, text, outputBits);
  } else {
    writeResult(sink, std::get<ItemResult>(event), text, outputBits, offline);
  }
}

}  // namespace murlo
