// DownloadJob: downloads the rows of the item list one at a time on a worker thread into the
// save folder, removing the finished rows (unless exset::kKeepFinished keeps them) and marking the
// failed ones. Downloading every row, it hands the next rows to the thread ahead of time,
// so one transfer follows the other without waiting for the host; they stay on the wire one
// at a time and the rows are still finished in their order.
//
//   DownloadJob job(host, DownloadMode::kAll);
//   job.start();
//   // every 500 ms, and soon after each host.wake():
//   if (!job.timerTick()) { /* ended */ }
//
// All methods run on the host's thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "jobs/item-runner.h"
#include "jobs/job-progress.h"
#include "jobs/local-links.h"
#include "jobs/progress-figures.h"

namespace murlo {

class JobHost;
struct ItemRecord;

// What a download job downloads.
enum class DownloadMode {
  kAll,       // every row from the first
  kSelected,  // the selected rows
};

class DownloadJob {
 public:
  DownloadJob(JobHost& host, DownloadMode mode = DownloadMode::kAll);
  ~DownloadJob();
  DownloadJob(const DownloadJob&) = delete;
  DownloadJob& operator=(const DownloadJob&) = delete;

  // Before start(): the download takes the answers of pages an analysis fetched just now
  // from `answers` instead of asking the server again.
  void reuseKeptAnswers(std::shared_ptr<PageResponses> answers) {
    runner_.useKeptAnswers(std::move(answers));
  }
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
  // The figures as of the last poll.
  const JobProgress& progress() const { return progress_; }

 private:
  // How many rows are handed to the thread ahead of the current one: more than
  // ItemLine::kWakeWhenWaiting, so that the host is woken once per few items.
  static constexpr std::size_t kItemsAhead = 6;

  // Starts the next row's download; false when there is no row left.
  bool startNext();
  // Fills `item` and `record` for the row's download, its kind included; false when the
  // item ends without a thread (no fileName or url, or a resumed row that names no file).
  bool prepare(const ItemRecord& row, JobItem& item, JobRecord& record);
  // Hands the rows after the last one handed over to the thread, up to kItemsAhead.
  void queueAhead();
  // Takes back the rows handed ahead that have not begun and finishes every item the thread
  // has ended meanwhile, the current one included, so that at most the current item is left
  // on the thread.
  void settleAhead();
  // After rows were removed from the list: the items of rows that are gone are taken back
  // from the thread, or stopped when they have begun, so nothing is saved for them.
  void dropRemovedRows();
  // Shows the current item as started: the title's count and its row's image.
  void showStarted();
  // True when the job has ended.
  bool poll();
  bool finishItem();
  void showProgress();
  bool stopItem();
  void setRowImage(int image);
  // The partial file of the current item, as the worker left it.
  std::string partialPath();
  // When the job has ended: with the hierarchy and link conversion on, rewrites the links
  // of the pages it saved (local-links.h) and reports each page it could not rewrite.
  void convertLinks();

  JobHost& host_;
  ItemRunner runner_;
  const DownloadMode mode_;
  bool keepFinished_ = false;

  int position_ = 0;
  bool nothingLeft_ = false;
  bool ended_ = false;
  bool inTick_ = false;
  bool watchingRows_ = false;
  // While finishItem() removes the row of the item that ended, which has nothing to drop.
  bool removingEndedRow_ = false;
  int failed_ = 0;
  // The files the job saved, in the order they were finished.
  std::vector<SavedFile> saved_;

  DownloadCounters counters_;
  SpeedMeter speed_;
  JobProgress progress_{.download = true};
};

}  // namespace murlo
