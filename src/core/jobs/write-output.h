// writeOutput: the one place that decides whether and how a job's start or an item's
// outcome is written to the output window, from the user's Output setting.
#pragma once

#include <string>

namespace murlo {

// Job-start codes understood besides the item result codes.
inline constexpr int OUT_ANALYZE = 22;
inline constexpr int OUT_DOWNLOAD = 24;
// A page a recursive analysis keeps as an item but does not follow (see crawl-bounds.h).
inline constexpr int OUT_NOT_FOLLOWED = 23;
// A notice of the item that ends next (JobRecord::notice), written before its result.
inline constexpr int OUT_NOTICE = 26;

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

// Writes one line for `code` (a job start or an item result) with `text`, as the Output bits
// allow. `offline`: the connection::kOffline setting.
void writeOutput(OutputSink& sink, int code, const std::string& text, int outputBits, bool offline);

}  // namespace murlo
