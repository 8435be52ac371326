// AnalysisJob: fetches pages one at a time on a worker thread and runs the link scanners on
// them, appending what they find to the item list. A recursive analysis hands the next page
// rows to the thread ahead of time, so the next page is fetched while the host scans the
// last one (the rows a scan finds come after them, at the end of the list).
//
//   AnalysisJob job(host, AnalysisMode::kSelected, "", "", deleteHtml, autoDownload);
//   job.start();
//   // every 500 ms, and soon after each host.wake():
//   if (!job.timerTick()) { /* ended; job.autoDownload() says whether to download the list */ }
//
// All methods run on the host's thread.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "jobs/crawl-bounds.h"
#include "jobs/item-runner.h"
#include "jobs/job-progress.h"
#include "jobs/recursive-passes.h"

namespace murlo {

class JobHost;

// What an analysis job analyses.
enum class AnalysisMode {
  kOne,        // the one address given
  kSelected,   // the selected rows
  kRecursive,  // from the seed row (the last row) on
};

class AnalysisJob {
 public:
  // `address`: the page of AnalysisMode::kOne. `mustContain`: AnalysisMode::kRecursive keeps only
  // rows whose url contains it. At the end, `deleteHtml` deletes the page-type rows and
  // `autoDownload` asks for the download of the whole list.
  AnalysisJob(JobHost& host, AnalysisMode mode, std::string address = {},
              std::string mustContain = {}, bool deleteHtml = false, bool autoDownload = false);

  // Removes the job's page files that are left, keeping the last page as Murlo.tmp.
  ~AnalysisJob();

  void start();
  // Polls the job: true while it works. On the end it runs the delete-HTML pass and the
  // chained download. A call made while one runs (from a modal loop) returns true at once.
  bool timerTick();
  // Stops the page being fetched (both the stop and the suspend command). False when the
  // thread did not answer within 2 seconds and was given up.
  bool stop();

  // After the end: whether the whole list is to be downloaded now (asked for, and rows left).
  bool autoDownload() const { return autoDownload_; }
  // Pages that could not be fetched.
  int failedCount() const { return failed_; }
  // Pages fetched or failed so far.
  int pageCount() const { return pagesEnded_; }
  // The answers of the pages fetched, kept for the download asked for; none without one.
  const std::shared_ptr<PageResponses>& keptAnswers() const { return runner_.keptAnswers(); }
  const JobProgress& progress() const { return progress_; }

 private:
  // How many page rows are handed to the thread ahead of the current one.
  static constexpr std::size_t kPagesAhead = 2;

  // Whether the recursive mode fetches and scans the row: a page-type row within the crawl's
  // bounds. A page row beyond them is reported once in the output.
  bool follows(const ItemRecord& row);
  // Starts the next page; false when there is none.
  bool startNext();
  // Fills the item's record for fetching the page at `address` (with its credentials) into
  // a spare page file of the job, when there is one.
  void prepare(JobRecord& record, const std::string& address);
  // Hands the page rows after the last one handed over to the thread, up to kPagesAhead.
  void queueAhead();
  // Stops the thread and removes the files of the pages it fetched that were not scanned;
  // false when it was given up.
  bool dropPages();
  // True when the job has ended.
  bool poll();
  bool finishPage();
  void setRowImage(int image);
  // The current page's file, once scanned or no longer wanted: a scanned page's file holds
  // the last page, and the file of the page before goes back for reuse; any other file goes
  // back for reuse.
  void releasePageFile(bool scanned);
  // At the job's end: the last page scanned becomes Murlo.tmp; the job's spare page files
  // are removed.
  void closePageFiles();
  // The recursive mode's passes after a page; returns where the next page is looked for.
  int keepContainingAndDeduplicate();

  JobHost& host_;
  ItemRunner runner_;
  const AnalysisMode mode_;
  const std::string address_;
  const bool deleteHtml_;
  bool autoDownload_;
  RecursivePasses passes_;
  CrawlBounds bounds_;
  // The ids of the page rows reported as not followed.
  std::unordered_set<std::uint64_t> notFollowed_;

  // Where the search for the next page starts.
  int position_ = 0;
  int processed_ = 0;
  int selected_ = 0;
  int pagesStarted_ = 0;
  int failed_ = 0;
  int pagesEnded_ = 0;
  JobProgress progress_;
  // The job's page files: free for the next pages, and the one that holds the page scanned
  // last. Reusing them spares the file system an inode made and freed per page.
  std::vector<std::string> spareFiles_;
  std::string lastPageFile_;
  // Set when the search found no further page after at least one: the job simply ends.
  bool nothingLeft_ = false;
  bool inTick_ = false;
  bool ended_ = false;
};

}  // namespace murlo
