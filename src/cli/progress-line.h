// The text of murlo-cli's progress line on a terminal, and the speed it shows: the bytes of
// the last few seconds over their time, from the first second of a download on, so that a
// short download shows its speed too (the desktop program's figure is sampled every five
// seconds and stays in its progress window).
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>

#include "jobs/job-progress.h"

namespace murlo::cli {

class TransferRate {
 public:
  // Host thread, at every redraw: the job's bytes so far at `nowMs` (any steady clock).
  // Fewer bytes than before mean a new job: the measurement starts again.
  void add(std::int64_t nowMs, std::int64_t bytes);
  // Bytes per second over the last five seconds; nothing before one second is measured.
  std::optional<std::int64_t> bytesPerSecond() const;

 private:
  static constexpr std::int64_t kWindowMs = 5000;
  static constexpr std::int64_t kFirstFigureMs = 1000;
  std::deque<std::pair<std::int64_t, std::int64_t>> samples_;  // time, bytes
};

// The line: what the job does, its time, and for a download the items, the current file's
// share in percent (when its size is known), the bytes, `rate` and what remains.
std::string progressLineText(const JobProgress& progress, std::optional<std::int64_t> rate);

}  // namespace murlo::cli
