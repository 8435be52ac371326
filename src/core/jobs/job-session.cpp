#include "jobs/job-session.h"

#include "analysis/address.h"
#include "items/item-list.h"
#include "jobs/analysis-job.h"
#include "jobs/completion-sound.h"
#include "jobs/download-job.h"
#include "jobs/job-host.h"
#include "jobs/job-outcome.h"
#include "platform/dial-up-line.h"
#include "platform/prompter.h"
#include "settings/app-settings.h"

namespace murlo {

JobSession::JobSession(JobHost& host, JobEndActions actions) : host_(host), line_(actions.line) {
  if (actions.shutdown) countdown_.emplace(*actions.shutdown);
}

JobSession::~JobSession() {
  if (analysis_) analysis_->stop();
  if (download_) download_->abort();
}

bool JobSession::startAnalysis(const AnalysisRequest& request) {
  if (running()) return false;
  if (request.mode == AnalysisMode::kRecursive) {
    // The crawl starts from the row appended last.
    SplitAddress seed = splitUrl(request.address);
    host_.items().AddItem(std::move(seed.fileName), std::move(seed.url), request.seedTag,
                          std::move(seed.extension), "", "");
  }
  const std::string& page = request.mode == AnalysisMode::kOne ? request.address : std::string();
  analysis_ = std::make_unique<AnalysisJob>(host_, request.mode, page, request.mustContain,
                                            request.deleteHtml, request.autoDownload);
  analysis_->start();
  return true;
}

bool JobSession::startDownload(DownloadMode mode) {
  if (analysis_ || download_ || host_.items().count() == 0) return false;
  beginDownload(mode, nullptr);
  return true;
}

void JobSession::beginDownload(DownloadMode mode, std::shared_ptr<PageResponses> keptAnswers) {
  download_ = std::make_unique<DownloadJob>(host_, mode);
  download_->reuseKeptAnswers(std::move(keptAnswers));
  download_->start();
}

bool JobSession::running() const { return analysis_ || download_ || ending_; }

JobProgress JobSession::progress() const {
  if (analysis_) return analysis_->progress();
  if (download_) return download_->progress();
  return last_;
}

void JobSession::tick() {
  if (analysis_) {
    if (!analysis_->timerTick()) endAnalysis();
  } else if (download_) {
    if (download_->timerTick()) {
      if (countdown_) countdown_->cancel();
    } else {
      endDownload();
    }
  } else if (countdown_ && countdown_->count() > 0 && countdown_->tick()) {
    // Powered off while the message is open: nothing is left to wait for.
    ending_ = false;
  }
}

template <typename Job>
int JobSession::retire(std::unique_ptr<Job>& job) {
  last_ = job->progress();
  const int failed = job->failedCount();
  failures_ += failed;
  job.reset();
  return failed;
}

void JobSession::endAnalysis() {
  std::shared_ptr<PageResponses> keptAnswers = analysis_->keptAnswers();
  const bool chained = analysis_->autoDownload();
  const std::int64_t pages = analysis_->pageCount();
  const int failed = retire(analysis_);
  if (chained) beginDownload(DownloadMode::kAll, std::move(keptAnswers));
  if (!download_) host_.endProgress();
  host_.playSound(CompletionSound::kAnalysis);
  if (!download_) host_.jobEnded({JobOutcome::Kind::kAnalysis, pages - failed, pages, failed});
}

void JobSession::endDownload() {
  const std::int64_t done = download_->doneCount();
  // The counters of a download take a failed item off both figures.
  const std::int64_t total = download_->totalCount();
  const int failed = retire(download_);
  host_.endProgress();
  host_.playSound(CompletionSound::kDownload);
  host_.jobEnded({JobOutcome::Kind::kDownload, done, total + failed, failed});
  ending_ = true;
  runEndActions();
  ending_ = false;
  if (countdown_) countdown_->cancel();
}

void JobSession::runEndActions() {
  const int dialBits = host_.settings().dial;
  if (line_ && (dialBits & dial::kHangUp)) hangUpLine(*line_);
  if (countdown_ && (dialBits & dial::kShutdown)) {
    countdown_->begin();
    // Modal: the host's timer goes on calling tick() below while the message is open.
    host_.prompter()->message("ｼｽﾃﾑを終了します。終了しない場合は、[OK] ﾎﾞﾀﾝをｸﾘｯｸして下さい。",
                              PromptIcon::kExclamation, PromptButtons::kOk);
  }
}

JobSession::StopResult JobSession::stop(bool suspend) {
  if (download_) {
    if (suspend) download_->suspend();
    else download_->abort();
    retire(download_);
  } else if (analysis_) {
    analysis_->stop();
    retire(analysis_);
  } else {
    return ending_ ? StopResult::kEnding : StopResult::kNotRunning;
  }
  if (countdown_) countdown_->cancel();
  return StopResult::kStopped;
}

}  // namespace murlo
