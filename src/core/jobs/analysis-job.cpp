#include "jobs/analysis-job.h"

#include <unistd.h>

#include <cstdio>

#include "analysis/address.h"
#include "analysis/page-scan.h"
#include "items/item-info.h"
#include "items/page-type.h"
#include "jobs/job-host.h"
#include "jobs/write-output.h"
#include "net/error-log.h"
#include "net/job-record.h"
#include "net/page-responses.h"
#include "net/result-codes.h"
#include "platform/prompter.h"

namespace murlo {

AnalysisJob::AnalysisJob(JobHost& host, AnalysisMode mode, std::string address,
                         std::string mustContain, bool deleteHtml, bool autoDownload)
    : host_(host),
      runner_(host),
      mode_(mode),
      address_(std::move(address)),
      deleteHtml_(deleteHtml),
      autoDownload_(autoDownload),
      passes_(std::move(mustContain)) {}

AnalysisJob::~AnalysisJob() { closePageFiles(); }

void AnalysisJob::start() {
  runner_.beginJob();
  // The download that follows takes the pages from here instead of fetching them again.
  if (autoDownload_ && !deleteHtml_) runner_.useKeptAnswers(std::make_shared<PageResponses>());
  const ItemList& items = host_.items();
  if (mode_ == AnalysisMode::kSelected) selected_ = items.selectedCount();
  // The seed row of a recursive analysis is the one appended last.
  if (mode_ == AnalysisMode::kRecursive) {
    position_ = std::max(items.count() - 1, 0);
    if (items.count() > 0) bounds_ = CrawlBounds(items.row(position_).url);
  }
  host_.writeOutput(JobStart::kAnalyze, "");
  startNext();
}

bool AnalysisJob::follows(const ItemRecord& row) {
  if (!isPageType(row.extension)) return false;
  if (bounds_.allows(row)) return true;
  // Once per row: the search for the next page can pass a row that queueAhead passed.
  if (notFollowed_.insert(row.id).second)
    host_.writeOutput(JobNote::kNotFollowed, fullAddress(row));
  return false;
}

bool AnalysisJob::startNext() {
  if (runner_.threadRunning()) return true;
  ItemRunner::Handed& current = runner_.newItem();
  JobRecord& record = *current.record;
  const ItemList& items = host_.items();
  int row = -1;
  if (mode_ == AnalysisMode::kSelected) {
    for (int i = position_; i < items.count() && row < 0; ++i) {
      if (items.row(i).selected) row = i;
    }
  } else if (mode_ == AnalysisMode::kRecursive) {
    for (int i = position_; i < items.count() && row < 0; ++i) {
      if (follows(items.row(i))) row = i;
    }
  }
  if (mode_ == AnalysisMode::kOne) {
    current.item.address = address_;
  } else if (row < 0) {
    // Nothing to analyse at all ends like a failed page (output line, error sound); running
    // out after the last page simply ends the job.
    nothingLeft_ = pagesStarted_ > 0;
    runner_.endWithoutThread();
    return false;
  } else {
    current.item.row.point(items, row);
    current.item.address = fullAddress(items.row(row));
    record.referrer = items.row(row).referrer;
    setRowImage(kImageDownloading);
  }
  prepare(record, current.item.address);
  ++pagesStarted_;
  runner_.run();
  queueAhead();
  return true;
}

void AnalysisJob::prepare(JobRecord& record, const std::string& address) {
  if (!spareFiles_.empty()) {
    record.reusedPageFile = std::move(spareFiles_.back());
    spareFiles_.pop_back();
  }
  record.kind = ItemKind::kPage;
  record.url = address;
  const UrlCredentials credentials = ParseUrlCredentials(address);
  record.userName = credentials.userName;
  record.password = credentials.password;
}

void AnalysisJob::queueAhead() {
  if (mode_ != AnalysisMode::kRecursive || ended_) return;
  const ItemList& items = host_.items();
  while (runner_.aheadCount() < kPagesAhead) {
    int row = runner_.lastItem().row.next(items);
    while (row >= 0 && row < items.count() && !follows(items.row(row))) ++row;
    if (row < 0 || row >= items.count()) return;
    ItemRunner::Handed& page = runner_.newItemAhead();
    page.item.row.point(items, row);
    page.item.address = fullAddress(items.row(row));
    prepare(*page.record, page.item.address);
    page.record->referrer = items.row(row).referrer;
    runner_.runAhead();
  }
}

bool AnalysisJob::timerTick() {
  if (inTick_) return true;
  if (ended_) return false;
  inTick_ = true;
  ended_ = poll();
  if (ended_) {
    // The job can end before the pages handed ahead (their row was deleted meanwhile).
    if (runner_.threadRunning()) dropPages();
    closePageFiles();
    ItemList& items = host_.items();
    if (deleteHtml_) deletePageRows(items);
    autoDownload_ = autoDownload_ && items.count() > 0;
  }
  inTick_ = false;
  return !ended_;
}

bool AnalysisJob::poll() {
  progress_.elapsedSeconds = runner_.elapsedMs() / 1000;
  // A page that ends without a thread is handled in the same poll.
  while (runner_.doneTest()) {
    if (finishPage()) return true;
  }
  return false;
}

bool AnalysisJob::finishPage() {
  if (nothingLeft_) return true;
  const std::string& pageAddress = runner_.item().address;
  const ItemResult result = runner_.record().result;
  ++pagesEnded_;
  runner_.writeResult(pageAddress);
  if (result == ItemResult::kSucceed) {
    if (mode_ != AnalysisMode::kOne) setRowImage(kImageWaiting);
    progress_.caption = JobCaption::kAnalysing;
    const PageScanContext context{
        {host_.items(), host_.settings()}, *host_.prompter(), host_.appDirectory()};
    const ScanResult scanned =
        scanPage(context, pageAddress, runner_.record().pageFile, runner_.settings().tag);
    releasePageFile(true);
    if (scanned == ScanResult::kFileMissing) {
      if (!(runner_.settings().movement & movement::kNoErrorMessages)) {
        host_.prompter()->message("解析に失敗しました", PromptIcon::kStop, PromptButtons::kOk);
      }
      if (mode_ != AnalysisMode::kOne) setRowImage(kImageFailed);
    }
  } else {
    releasePageFile(false);
    ++failed_;
    host_.playSound(CompletionSound::kError);
    if (mode_ != AnalysisMode::kOne) setRowImage(kImageFailed);
  }

  if (mode_ == AnalysisMode::kSelected) {
    if (processed_ >= selected_ - 1) return true;
    ++processed_;
    position_ = runner_.item().row.next(host_.items());
  } else if (mode_ == AnalysisMode::kRecursive) {
    position_ = keepContainingAndDeduplicate();
    if (position_ < 0) return true;
    // The next page row handed ahead is the first one after this page: the scan appended
    // its rows at the end.
    if (runner_.advance()) {
      setRowImage(kImageDownloading);
      ++pagesStarted_;
      queueAhead();
      return false;
    }
  } else {
    return true;
  }
  startNext();
  return false;
}

int AnalysisJob::keepContainingAndDeduplicate() {
  ItemList& items = host_.items();
  // The passes may delete rows before the page and the page's own row: the next page is
  // looked for from the first surviving row that came after it.
  const int index = runner_.item().row.find(items);
  const int next = passes_.run(items, index < 0 ? items.count() : index + 1);
  return index < 0 ? -1 : next;
}

bool AnalysisJob::stop() {
  ended_ = true;
  if (!runner_.threadRunning()) {
    closePageFiles();
    return true;
  }
  progress_ = JobProgress{.caption = JobCaption::kFinishing};
  if (mode_ != AnalysisMode::kOne) setRowImage(kImageFinished);
  const bool answered = dropPages();
  closePageFiles();
  return answered;
}

bool AnalysisJob::dropPages() {
  const bool answered = runner_.stop();
  // Ended or given up, the thread can no longer hand over a page file.
  releasePageFile(false);
  while (runner_.advance()) releasePageFile(false);
  return answered;
}

void AnalysisJob::releasePageFile(bool scanned) {
  JobRecord& record = runner_.record();
  std::string file = record.pageFile.empty() ? record.reusedPageFile : record.pageFile;
  record.pageFile.clear();
  record.reusedPageFile.clear();
  if (file.empty()) return;
  if (scanned) std::swap(file, lastPageFile_);
  if (!file.empty()) spareFiles_.push_back(std::move(file));
}

void AnalysisJob::closePageFiles() {
  for (const std::string& file : spareFiles_) ::unlink(file.c_str());
  spareFiles_.clear();
  if (lastPageFile_.empty()) return;
  if (::rename(lastPageFile_.c_str(), tempPagePath(host_.appDirectory()).c_str()) != 0) {
    ::unlink(lastPageFile_.c_str());
  }
  lastPageFile_.clear();
}

void AnalysisJob::setRowImage(int image) {
  ItemList& items = host_.items();
  const int row = runner_.item().row.find(items);
  if (row >= 0) items.setImage(row, image);
}

}  // namespace murlo
