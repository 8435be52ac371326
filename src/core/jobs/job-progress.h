// JobProgress: what a running job shows of itself, read by the front end once per poll.
#pragma once

#include <cstdint>

namespace murlo {

// The caption over the figures: downloading from a job's start, analysing once an analysis
// scans its first page, finishing while a stopped job waits for its thread.
enum class JobCaption { kDownloading, kAnalysing, kFinishing };

struct JobProgress {
  JobCaption caption = JobCaption::kDownloading;
  std::int64_t elapsedSeconds = 0;
  // Set in a download job: the figures below are its own. An analysis shows only the time.
  bool download = false;
  std::int64_t remainingSeconds = 0;
  std::int64_t remainingBytes = 0;
  // The bytes of the ended items and of the current one so far.
  std::int64_t downloadedBytes = 0;
  std::int64_t bytesPerSecond = 0;
  // Items ended and items of the job, failed ones taken off.
  std::int64_t done = 0;
  std::int64_t total = 0;
  // The current item's bytes so far and its size; 0 or less when unknown.
  std::int64_t fileDoneBytes = 0;
  std::int64_t fileTotalBytes = 0;
};

}  // namespace murlo
