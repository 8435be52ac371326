// The output window's lines of murlo-cli, on standard output: each "\r\n" starts a new line,
// and the item texts the lines quote are shown as the terminal can, never raw.
#pragma once

#include <string>

#include "jobs/write-output.h"

namespace murlo::cli {

class StdoutSink : public OutputSink {
 public:
  // Host thread. Every line is printed with its line end at once, so that a message on
  // standard error (the same terminal or file, often) never runs into it.
  void append(const std::string& text) override;
  // A terminal's scrolled-out lines cannot be cleared; the log simply goes on.
  void resetToBanner() override {}
};

// The one sink of the process.
StdoutSink& stdoutSink();

}  // namespace murlo::cli
