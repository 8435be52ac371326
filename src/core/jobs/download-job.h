// DownloadJob: downloads the rows of the item list one at a time on a worker thread into the
// save folder, removing the finished rows (unless ExSet bit 2 keeps them) and marking the
// failed ones.
//
//   DownloadJob job(host, DOWNLOAD_ALL);
//   job.start();
//   // every 500 ms, and soon after each host.wake():
//   if (!job.timerTick()) { /* ended */ }
//
// All methods run on the host's thread.
#pragma once

#include <cstdint>
#include <string>

#include "jobs/item-runner.h"
#include "jobs/progress-figures.h"
#include "jobs/row-cursor.h"

namespace murlo {

class JobHost;

inline constexpr int DOWNLOAD_ALL = 20;       // every row from the first
inline constexpr int DOWNLOAD_SELECTED = 21;  // the selected rows

class DownloadJob {
 public:
  DownloadJob(JobHost& host, int mode = DOWNLOAD_ALL);

  void start();
  // Polls the job: true while it works. A call made while one runs returns true at once.
  bool timerTick();
  // Stops the current item and marks its row failed. False when the thread did not answer
  // within 2 seconds and was given up.
  bool abort();
  // Stops the current item and tags its row "RESUME" with the partial file's path, so a
  // later download continues it, also when the thread did not answer within 2 seconds and
  // was given up (then false).
  bool suspend();

  // Items ended and items of the job (failed ones taken off), as in "%d/%d Finished".
  std::int64_t doneCount() const { return counters_.done; }
  std::int64_t totalCount() const { return counters_.total; }
  int failedCount() const { return failed_; }
  // The current item's bytes so far and its size (0 or less when unknown), as of the last
  // poll: the progress window's gauge for the file.
  std::int64_t currentDoneBytes() const { return counters_.doneBytes; }
  std::int64_t currentTotalBytes() const { return counters_.totalBytes; }

 private:
  // Starts the next row's download; false when there is no row left.
  bool startNext();
  // True when the job has ended.
  bool poll();
  bool finishItem();
  void showProgress();
  bool stopItem();
  void setRowImage(int image);
  // The partial file of the current item, as the worker left it.
  std::string partialPath();

  JobHost& host_;
  ItemRunner runner_;
  const int mode_;
  bool keepFinished_ = false;

  RowCursor current_;
  int position_ = 0;
  std::string address_;
  bool resumed_ = false;
  // The partial file a resumed row names, as the file system names it.
  std::string resumedPath_;
  bool nothingLeft_ = false;
  bool ended_ = false;
  bool inTick_ = false;
  int failed_ = 0;

  DownloadCounters counters_;
  SpeedMeter speed_;
};

}  // namespace murlo
