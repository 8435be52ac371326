// JobSession: the jobs of one front end. It runs one analysis or download job at a time,
// chains the download of the whole list to an analysis that asks for it, plays the
// end-of-job sounds, counts the failed items, stops and suspends, and after a download
// runs the end-of-job actions: the dial-up hang-up and the power-off countdown.
//
//   JobSession session(host, {.line = &commands, .shutdown = &shutdown});
//   session.startAnalysis({.mode = AnalysisMode::kRecursive, .address = start,
//                          .mustContain = folder, .autoDownload = true});
//   // every 500 ms, and soon after each host.wake():
//   session.tick();
//   show(session.progress());
//   if (!session.running()) { /* all over */ }
//
// Host thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "items/item-tags.h"
#include "jobs/job-progress.h"
#include "jobs/shutdown-countdown.h"

namespace murlo {

class AnalysisJob;
class CommandRunner;
class DownloadJob;
class JobHost;
class PageResponses;
enum class AnalysisMode;
enum class DownloadMode;

// What an analysis is asked to do.
struct AnalysisRequest {
  AnalysisMode mode;
  // AnalysisMode::kOne: the page. AnalysisMode::kRecursive: the start page, which the session
  // appends to the list as the crawl's seed row, tagged `seedTag`.
  std::string address = {};
  // AnalysisMode::kRecursive: only rows whose url contains it are kept.
  std::string mustContain = {};
  // At the end: delete the page-type rows; ask for the download of the whole list.
  bool deleteHtml = false;
  bool autoDownload = false;
  std::string seedTag = kInductTag;
};

// The machine-wide actions after a download, each run only when its Dial setting is set; a
// front end that must never run them leaves them null.
struct JobEndActions {
  CommandRunner* line = nullptr;       // hangs up the dial-up line
  SystemShutdown* shutdown = nullptr;  // powers the computer off
};

class JobSession {
 public:
  explicit JobSession(JobHost& host, JobEndActions actions = {});
  // Stops a running analysis and aborts a running download.
  ~JobSession();

  // Starts a job; false while one runs. An analysis with `autoDownload` goes on with the
  // download of the whole list when rows are left.
  bool startAnalysis(const AnalysisRequest& request);
  // Also false when the list is empty.
  bool startDownload(DownloadMode mode);

  // From a start until the last job and the end-of-job actions are over.
  bool running() const;
  bool analysing() const { return analysis_ != nullptr; }

  // Polls the running job and, at its end, chains, plays and acts. A call made while the
  // power-off message is open (from its modal loop) counts the countdown on.
  void tick();

  enum class StopResult {
    kStopped,
    kNotRunning,
    kEnding,  // no job left, the end-of-job actions are under way
  };
  // Stops the analysis, or aborts (suspends: tags its row for a resume) the download.
  StopResult stop(bool suspend);

  // The figures of the running job, or of the last one once it ended.
  JobProgress progress() const;
  // Pages and items that failed since the session was made.
  int failures() const { return failures_; }
  // 0, or the ticks counted since the power-off message appeared.
  int shutdownCountdown() const { return countdown_ ? countdown_->count() : 0; }

 private:
  void beginDownload(DownloadMode mode, std::shared_ptr<PageResponses> keptAnswers);
  // Keeps an ended or stopped job's last figures and failures, and lets it go; returns its
  // failures.
  template <typename Job>
  int retire(std::unique_ptr<Job>& job);
  void endAnalysis();
  void endDownload();
  void runEndActions();

  JobHost& host_;
  CommandRunner* line_;
  std::optional<ShutdownCountdown> countdown_;
  std::unique_ptr<AnalysisJob> analysis_;
  std::unique_ptr<DownloadJob> download_;
  JobProgress last_;
  int failures_ = 0;
  bool ending_ = false;
};

}  // namespace murlo
