// writeOutput: the one place that decides whether and how a job's start or an item's
// outcome is written to the output window, from the user's Output setting.
#pragma once

#include <string>
#include <variant>

#include "net/result-codes.h"

namespace murlo {

// The line that begins a job.
enum class JobStart { kAnalyze, kDownload };

// The lines of a job besides its start and its items' results.
enum class JobNote {
  // A page a recursive analysis keeps as an item but does not follow (see crawl-bounds.h).
  kNotFollowed,
  // A notice of the item that ends next (ItemOutcome::notice), written before its result.
  kNotice,
};

// What one output line reports: a job's start, a note, or an item's result.
using OutputEvent = std::variant<JobStart, JobNote, ItemResult>;

// The program name and version that open the output log.
extern const char* const kOutputBanner;

// Where the lines go: the GUI's output window, the CLI's standard output, a test's string.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Appends text at the end of the log (UTF-8 prefixes followed by the item text as it is).
  virtual void append(const std::string& text) = 0;
  // Replaces the whole log by the banner.
  virtual void resetToBanner() = 0;
};

// Writes one line for `event` with `text` (the item's address, the note), as the Output bits
// allow. `offline`: the connection::kOffline setting.
void writeOutput(OutputSink& sink, OutputEvent event, const std::string& text, int outputBits,
                 bool offline);

}  // namespace murlo
