// The output window's lines of murlo-cli, on standard output: each "\r\n" starts a new line,
// and the item texts the lines quote are shown as the terminal can, never raw.
#pragma once

#include <string>

#include "jobs/write-output.h"

namespace murlo::cli {

class StdoutSink : public OutputSink {
 public:
  void append(const std::string& text) override;
  // A terminal's scrolled-out lines cannot be cleared; the log simply goes on.
  void resetToBanner() override {}
  // Ends the last line.
  void close();

 private:
  bool started_ = false;
};

// The one sink of the process.
StdoutSink& stdoutSink();

}  // namespace murlo::cli
