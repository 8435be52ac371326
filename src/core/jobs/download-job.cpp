#include "jobs/download-job.h"

#include <optional>

#include "analysis/address.h"
#include "analysis/html-link-spans.h"
#include "items/item-info.h"
#include "items/item-tags.h"
#include "items/page-type.h"
#include "jobs/job-host.h"
#include "jobs/write-output.h"
#include "net/error-log.h"
#include "net/job-record.h"
#include "net/result-codes.h"
#include "text/cp932.h"
#include "text/disk-name.h"

namespace murlo {

namespace {

// The partial file named in a suspended row's info: everything from the second byte after
// the first ":"; nothing when the text holds no ":".
std::optional<std::string> partialFileOf(const std::string& info) {
  const std::size_t colon = findChar(info, ':');
  if (colon == std::string::npos) return std::nullopt;
  return colon + 2 <= info.size() ? info.substr(colon + 2) : std::string();
}

// Whether the row's download runs on the thread: it has a fileName and url and, when it is a
// resumed row, names its partial file.
bool startsThread(const ItemRecord& row) {
  return downloadTarget(row) && (row.tag != kResumeTag || partialFileOf(row.info));
}

}  // namespace

DownloadJob::DownloadJob(JobHost& host, DownloadMode mode)
    : host_(host), runner_(host), mode_(mode) {}

DownloadJob::~DownloadJob() {
  if (watchingRows_) host_.items().setRemovalListener(nullptr);
}

void DownloadJob::start() {
  host_.items().setRemovalListener([this] { dropRemovedRows(); });
  watchingRows_ = true;
  if (host_.settings().path01.empty()) host_.setSaveFolder(host_.appDirectory());
  runner_.beginJob();
  keepFinished_ = (runner_.settings().exSet & exset::kKeepFinished) != 0;
  const ItemList& items = host_.items();
  counters_.total = mode_ == DownloadMode::kSelected ? items.selectedCount() : items.count();
  host_.writeOutput(JobStart::kDownload, "");
  startNext();
}

bool DownloadJob::startNext() {
  if (runner_.threadRunning()) return true;
  host_.SetFrameTitle(formatFigure(counters_.done, counters_.total, FigureKind::kCount));
  ItemRunner::Handed& current = runner_.newItem();
  const ItemList& items = host_.items();
  int row = position_;
  if (mode_ == DownloadMode::kSelected) {
    while (row < items.count() && !items.row(row).selected) ++row;
  }
  if (row >= items.count()) {
    // No row left: the job ends at the next poll without counting a failure.
    nothingLeft_ = true;
    runner_.endWithoutThread();
    return false;
  }
  current.item.row.point(items, row);
  setRowImage(kImageDownloading);
  // An item without a fileName or url fails with no result, without a thread.
  if (!prepare(items.row(row), current.item, *current.record)) {
    runner_.endWithoutThread();
    return true;
  }
  runner_.run();
  queueAhead();
  return true;
}

bool DownloadJob::prepare(const ItemRecord& row, JobItem& item, JobRecord& record) {
  const std::optional<DownloadTarget> target = downloadTarget(row);
  item.address = target ? target->address : fullAddress(row);
  item.resumed = row.tag == kResumeTag;
  item.page = isPageType(row.extension);
  if (!target) return false;
  record.url = target->address;
  record.fileName = target->localName;
  record.referrer = row.referrer;
  const UrlCredentials credentials = ParseUrlCredentials(record.url);
  record.userName = credentials.userName;
  record.password = credentials.password;
  if (item.resumed) {
    const std::optional<std::string> partial = partialFileOf(row.info);
    if (!partial) return false;
    item.resumedPath = diskPath(*partial);
    record.resumeFrom = item.resumedPath;
  }
  record.kind = isFtpAddress(item.address)        ? ItemKind::kFtp
                : item.resumed                    ? ItemKind::kResume
                : record.tag & tagbits::kJpegOnly ? ItemKind::kJpeg
                                                  : ItemKind::kDownload;
  return true;
}

void DownloadJob::queueAhead() {
  // The selected rows may change while the job runs: they are looked up one at a time.
  if (mode_ != DownloadMode::kAll || ended_) return;
  const ItemList& items = host_.items();
  while (runner_.aheadCount() < kItemsAhead) {
    const int row = runner_.lastItem().row.next(items);
    if (row < 0 || row >= items.count() || !startsThread(items.row(row))) return;
    ItemRunner::Handed& next = runner_.newItemAhead();
    next.item.row.point(items, row);
    prepare(items.row(row), next.item, *next.record);
    runner_.runAhead();
  }
}

void DownloadJob::settleAhead() {
  runner_.withdrawAhead();
  // A row handed ahead has begun only after the current one ended. An item that has ended
  // is finished by its result, the last one too: its file already has its final name, and
  // a row left behind would be downloaded again beside it.
  while (runner_.threadRunning() && runner_.doneTest()) finishItem();
}

void DownloadJob::dropRemovedRows() {
  if (ended_ || removingEndedRow_) return;
  ItemList& items = host_.items();
  runner_.dropAheadIf([&items](JobItem& item) { return item.row.find(items) < 0; });
  if (runner_.threadRunning() && runner_.item().row.find(items) < 0) runner_.stopCurrent();
}

void DownloadJob::showStarted() {
  host_.SetFrameTitle(formatFigure(counters_.done, counters_.total, FigureKind::kCount));
  setRowImage(kImageDownloading);
}

bool DownloadJob::timerTick() {
  if (inTick_) return true;
  if (ended_) return false;
  inTick_ = true;
  ended_ = poll();
  if (ended_) {
    convertLinks();
    host_.SetFrameTitle(kIdleFrameTitle);
  }
  inTick_ = false;
  return !ended_;
}

bool DownloadJob::poll() {
  showProgress();
  // Items that end without a thread are handled in the same poll.
  while (runner_.doneTest()) {
    if (finishItem()) return true;
  }
  return false;
}

void DownloadJob::showProgress() {
  counters_.doneBytes = 0;
  counters_.totalBytes = 0;
  if (runner_.threadRunning()) {
    JobRecord& record = runner_.record();
    counters_.doneBytes = record.doneBytes;
    counters_.totalBytes = record.totalBytes;
    ItemList& items = host_.items();
    JobItem& current = runner_.item();
    const int row = current.row.find(items);
    // A resumed row keeps naming its partial file, so a stop leaves it resumable.
    if (row >= 0) {
      const std::string progress = progressInfo(counters_.doneBytes, counters_.totalBytes);
      items.setText(row, kColInfo,
                    current.resumed ? itemTextWithPath(progress, current.resumedPath) : progress);
    }
  }
  const std::int64_t elapsed = runner_.elapsedMs();
  speed_.update(elapsed, counters_.doneBytes);
  const std::int64_t remaining = remainingBytes(counters_);
  const std::int64_t speed = speed_.speed();
  progress_.elapsedSeconds = elapsed / 1000;
  progress_.remainingSeconds = remainingSeconds(remaining, speed);
  progress_.remainingBytes = remaining;
  progress_.downloadedBytes = counters_.endedBytes + counters_.doneBytes;
  progress_.bytesPerSecond = speed;
  progress_.done = counters_.done;
  progress_.total = counters_.total;
  progress_.fileDoneBytes = counters_.doneBytes;
  progress_.fileTotalBytes = counters_.totalBytes;
}

bool DownloadJob::finishItem() {
  if (nothingLeft_) return true;
  JobRecord& record = runner_.record();
  JobItem& current = runner_.item();
  const ItemResult result = record.result;
  const std::int64_t bytes = record.doneBytes;
  const std::int64_t size = record.totalBytes;
  runner_.writeResult(current.address);

  ItemList& items = host_.items();
  const int row = current.row.find(items);
  position_ = current.row.next(items);
  if (result == ItemResult::kSucceed) {
    if (!record.savedPath.empty())
      saved_.push_back({current.address, record.savedPath, current.page});
    if (row >= 0 && keepFinished_) {
      items.setImage(row, kImageFinished);
      items.setText(row, kColInfo, progressInfo(bytes, size));
    } else if (row >= 0) {
      removingEndedRow_ = true;
      items.deleteRow(row);
      removingEndedRow_ = false;
      position_ = row;
    }
  } else {
    // An item whose row the user deleted is dropped from the job, not counted as failed.
    if (row >= 0) {
      items.setImage(row, kImageFailed);
      const bool tagged = items.row(row).tag == kResumeTag;
      items.setText(row, kColInfo,
                    tagged ? itemTextWithPath(kInfoErrorPrefix, partialPath()) : kInfoErrorPrefix);
      ++failed_;
      host_.playSound(CompletionSound::kError);
    }
    --counters_.done;
    --counters_.total;
  }
  ++counters_.done;
  // Items of unknown size count with the bytes they brought.
  counters_.endedBytes += size > 0 ? size : bytes;
  speed_.itemEnded(bytes);

  // The next row handed ahead is on the wire already, or done.
  if (runner_.advance()) {
    if (!ended_) {
      showStarted();
      queueAhead();
    }
    return false;
  }
  if (ended_) return true;
  if (mode_ == DownloadMode::kSelected && items.selectedCount() == 0) return true;
  if (position_ >= items.count()) return true;
  startNext();
  return false;
}

bool DownloadJob::stopItem() {
  ended_ = true;
  settleAhead();
  host_.SetFrameTitle(kIdleFrameTitle);
  // What was saved before the stop browses from disk as well; pages are rewritten once the
  // thread has let go of its file.
  if (!runner_.threadRunning()) {
    convertLinks();
    return true;
  }
  // The figures go blank while the thread is waited for.
  progress_ = JobProgress{.caption = JobCaption::kFinishing, .download = true};
  const bool answered = runner_.stop();
  convertLinks();
  return answered;
}

bool DownloadJob::abort() {
  ended_ = true;
  settleAhead();
  if (runner_.threadRunning()) setRowImage(kImageFailed);
  return stopItem();
}

bool DownloadJob::suspend() {
  ended_ = true;
  settleAhead();
  if (!runner_.threadRunning()) return stopItem();
  // Also a thread given up after the stop wait leaves its partial file to be continued: its
  // lock keeps a later run out until it has let go of it.
  const bool answered = stopItem();
  ItemList& items = host_.items();
  const int row = runner_.item().row.find(items);
  if (row < 0) return answered;
  const JobRecord& record = runner_.record();
  const std::string partial = partialPath();
  if (partial.empty()) {
    // Stopped before a local file was opened: nothing to continue, the row starts afresh.
    items.setImage(row, kImageWaiting);
    return answered;
  }
  items.setText(row, kColTag, kResumeTag);
  items.setText(row, kColInfo,
                itemTextWithPath(progressInfo(record.doneBytes, record.totalBytes), partial));
  items.setImage(row, kImageFinished);
  return answered;
}

std::string DownloadJob::partialPath() {
  const std::string written = runner_.record().partialPath.get();
  const JobItem& current = runner_.item();
  return written.empty() && current.resumed ? current.resumedPath : written;
}

void DownloadJob::convertLinks() {
  const int movement = runner_.settings().movement;
  std::vector<SavedFile> saved = std::move(saved_);
  saved_.clear();
  if (!(movement & movement::kHierarchy) || !(movement & movement::kConvertLinks)) return;
  // Pages read with the HTML link finder are rewritten at every place it finds a link.
  const bool html5 = (runner_.settings().tag & tagbits::kHtml5) != 0;
  for (const std::string& page :
       convertSavedPages(saved, html5 ? findHtmlLinkSpans : findTagLinkSpans)) {
    host_.writeOutput(JobNote::kNotice, page + " のﾘﾝｸをﾛｰｶﾙ用に変換できませんでした");
  }
}

void DownloadJob::setRowImage(int image) {
  ItemList& items = host_.items();
  const int row = runner_.item().row.find(items);
  if (row >= 0) items.setImage(row, image);
}

}  // namespace murlo
