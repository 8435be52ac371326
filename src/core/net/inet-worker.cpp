#include "net/inet-worker.h"

#include <curl/curl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "net/error-log.h"
#include "net/internet-error.h"
#include "net/job-record.h"
#include "net/local-file.h"
#include "net/partial-file.h"
#include "net/remote-file.h"
#include "net/result-codes.h"
#include "net/save-path.h"
#include "net/url-crack.h"
#include "net/worker-threads.h"
#include "platform/prompter.h"
#include "platform/user-name.h"
#include "settings/app-settings.h"
#include "text/disk-name.h"

namespace murlo {

namespace {

// The time-outs the platform's client applies when the settings give none.
constexpr std::int64_t kDefaultTimeoutMs = 60000;
// Other partial names tried when the first ones are taken by files that are not ours.
constexpr unsigned kPartialNameAttempts = 8;

bool isStrongEtag(const std::string& etag) { return !etag.empty() && !etag.starts_with("W/"); }

// The item's notice when a partial file was left alone: whose it is and where the download
// goes instead (UTF-8).
std::string leftAloneNotice(const ForeignFileError& refused, const std::string& skipped,
                            const std::string& used) {
  const std::string why = refused.owner() ? "はﾕｰｻﾞｰ " + userName(*refused.owner()) + " のﾌｧｲﾙ"
                                          : "はﾘﾝｸか通常でないﾌｧｲﾙ";
  return skipped + " " + why + "のため、そのままにして " + used + " に新しくﾀﾞｳﾝﾛｰﾄﾞします";
}

}  // namespace

CInetWorker::CInetWorker(JobRecord& job, ItemRun& run, Binding binding)
    : job_(job), run_(run), binding_(binding), fileName_(job.fileName) {}

CInetWorker::~CInetWorker() = default;

void CInetWorker::OpenSession() {
  const int word = job_.connection;
  session_.offline = (word & connection::kOffline) != 0;
  session_.timeoutMs =
      (word & connection::kTimeout) && job_.timeoutMs > 0 ? job_.timeoutMs : kDefaultTimeoutMs;
  session_.proxy.reset();
  if (word & connection::kProxy) session_.proxy = job_.proxy;
  session_.environment = ProxyEnvironment::fromProcess();
}

ConnectionOptions CInetWorker::connectionFor(const std::string& url) const {
  return {session_.proxy ? *session_.proxy : session_.environment.proxyFor(url).proxy, job_.caFile,
          job_.cookies};
}

bool CInetWorker::takeAddress(const std::string& address, unsigned serviceType, int& error) {
  CrackResult cracked = crackUrl(address);
  error = cracked.error;
  if (!cracked.url || cracked.url->serviceType != serviceType) return false;
  takeCracked(*cracked.url);
  return true;
}

void CInetWorker::takeCracked(const CrackedUrl& url) {
  server_ = url.server;
  object_ = url.object;
  port_ = url.port;
  serviceType_ = url.serviceType;
  requestUrl_ = url.requestUrl;
}

void CInetWorker::refuseWhenOffline() const {
  // The log is written in the program's encoding.
  if (session_.offline) throw InternetError(kCodeOffline, "ｵﾌﾗｲﾝ作業中のため、接続しませんでした");
}

bool CInetWorker::IsCancelled() {
  if (!job_.stopEvent.tryWait()) return false;
  job_.result = ItemResult::kUserDenied;
  cancelled_ = true;
  return true;
}

void CInetWorker::ReportResult(EngineError code, const std::string& detail) {
  if (run_.movement & movement::kNoErrorMessages) return;
  const std::string_view text = code.text();
  if (text.empty() || !job_.prompter) return;
  std::string message(text);
  if (!detail.empty()) message += "\r\n" + detail;
  job_.prompter->message(message, code.icon(), PromptButtons::kOk);
}

void CInetWorker::LogResult(EngineError code) {
  if (job_.output & output::kErrorLog) logResultText(code, job_);
}

void CInetWorker::LogException(const std::exception& error) {
  if (job_.output & output::kErrorLog) logExceptionText(error, job_);
}

void CInetWorker::MakeHierarchy() {
  const std::string planned = plannedFileName();
  std::string relativePath;
  if (run_.movement & movement::kHierarchy) {
    for (const std::string& folder : hierarchyFolders(object_)) {
      relativePath += folder;
      MakeDirectory(relativePath);
    }
  }
  fileName_ = planned;
}

std::string CInetWorker::plannedFileName() const {
  std::string name;
  if (run_.movement & movement::kHierarchy) {
    for (const std::string& folder : hierarchyFolders(object_)) name += folder + "/";
  }
  return name + safeFileName(diskName(job_.fileName));
}

void CInetWorker::MakeDirectory(std::string& relativePath) {
  const std::string path = job_.saveDir + relativePath;
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    if (::mkdir(path.c_str(), 0777) != 0 &&
        (errno != EEXIST || ::lstat(path.c_str(), &info) != 0)) {
      throw LocalFileError::fromErrno(FileErrorKind::kBadPath, path);
    }
    info.st_mode = S_IFDIR;
  }
  // A link planted under the save folder must not lead the file out of it.
  if (!S_ISDIR(info.st_mode)) {
    errno = ENOTDIR;
    throw LocalFileError::fromErrno(FileErrorKind::kBadPath, path);
  }
  relativePath += "/";
}

void CInetWorker::PrepareResume() {
  struct stat info {};
  if (::lstat(job_.localName.c_str(), &info) != 0 || !isOwnPlainFile(info)) return;
  if (takePartial(job_.localName)) rangeFrom_ = info.st_size;
}

void CInetWorker::LookForPartialFile() {
  const std::string finalPath = job_.saveDir + plannedFileName();
  struct stat info {};
  // A name that is taken gets another one later, unless it is overwritten: which one is
  // known only then.
  if (::lstat(finalPath.c_str(), &info) == 0 && !(run_.movement & movement::kOverwrite)) {
    return;
  }
  for (unsigned attempt = 0; attempt < kPartialNameAttempts; ++attempt) {
    const std::string path = partialPathFor(finalPath, job_.url, attempt);
    if (::lstat(path.c_str(), &info) != 0) return;
    if (!isOwnPlainFile(info)) continue;  // left alone; saveBody takes the next name too
    if (takePartial(path)) rangeFrom_ = info.st_size;
    return;
  }
}

bool CInetWorker::takePartial(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || info.st_size == 0) return false;
  const std::string url = partialAttribute(path, kUrlAttribute);
  // A partial file of an older run has no address kept with it.
  if (!url.empty() && url != job_.url) return false;
  rangePath_ = path;
  partialTime_ = info.st_mtime;
  partialEtag_ = partialAttribute(path, kEtagAttribute);
  return true;
}

bool CInetWorker::rangeIsForOpenFile() const {
  return rangeFrom_ && rangePath_ == localFile_->path() && *rangeFrom_ == localFile_->openedSize();
}

void CInetWorker::recordPartial() {
  localFile_->setAttribute(kUrlAttribute, job_.url);
  localFile_->setAttribute(kEtagAttribute, remoteFile_->header("ETag"));
}

std::optional<std::time_t> CInetWorker::remoteTime() const { return remoteFile_->remoteTime(); }

bool CInetWorker::remoteUnchanged() const {
  const std::string etag = remoteFile_->header("ETag");
  if (!partialEtag_.empty() && !etag.empty()) {
    if (etag != partialEtag_) return false;
    if (isStrongEtag(etag)) return true;
  }
  const std::optional<std::time_t> remote = remoteTime();
  return remote && partialTime_ && *remote == *partialTime_;
}

std::string CInetWorker::partialPathOfLocalName() const {
  return partialPathFor(job_.saveDir + job_.localName, job_.url);
}

std::string CInetWorker::finalPathOfResume() const {
  return finalPathOf(job_.localName).value_or(job_.localName);
}

void CInetWorker::openPartialFile(const std::string& first, const std::string& finalPath) {
  std::optional<ForeignFileError> refused;
  // The other names are worked out only when the first may not be continued: each costs a
  // digest of the address.
  for (unsigned attempt = 0; attempt <= kPartialNameAttempts; ++attempt) {
    const std::string name =
        attempt == 0 ? first : partialPathFor(finalPath, job_.url, attempt - 1);
    if (attempt > 0 && name == first) continue;
    try {
      openLocalFile(name, true);
    } catch (const ForeignFileError& error) {
      if (!refused) refused = error;
      continue;
    }
    if (refused) {
      const std::string notice = leftAloneNotice(*refused, first, name);
      job_.notice.set(notice);
      if (job_.output & output::kErrorLog) logNoticeText(notice, job_);
    }
    return;
  }
  throw *refused;
}

bool CInetWorker::saveBody(const std::string& partialPath, const std::string& finalPath,
                           std::size_t firstCount) {
  openPartialFile(partialPath, finalPath);
  const std::string opened = localFile_->path();
  job_.partialPath.set(opened);
  if (firstCount > 0) {
    localFile_->truncate();
    job_.doneBytes = 0;
  } else if (!continueOrRestart()) {
    return false;
  }
  recordPartial();
  // The item sends no further request: the next one's may go out while this one is saved.
  freeLineWhenAnswered();
  if (const std::optional<std::time_t> time = remoteTime()) localFile_->keepModificationTime(*time);
  if (!readingLoop(true, firstCount)) return false;
  refuseUnlessWhole();
  if (finalPath == opened) {
    job_.savedPath = opened;
    return true;
  }
  const bool underLocalName = finalPath == job_.saveDir + job_.localName;
  const std::string saved = publishPartialFile(opened, finalPath, replaceFinal_, job_.gate);
  job_.partialPath.set({});
  if (underLocalName) job_.localName = saved.substr(job_.saveDir.size());
  job_.savedPath = saved;
  return true;
}

void CInetWorker::refuseUnlessWhole() const {
  const std::int64_t have = job_.doneBytes;
  if (!job_.sizeKnown || have == job_.totalBytes) return;
  throw curlError(CURLE_PARTIAL_FILE, "ｻｰﾊﾞｰが示した " + std::to_string(job_.totalBytes) +
                                          " ﾊﾞｲﾄのうち " + std::to_string(have) +
                                          " ﾊﾞｲﾄで終わりました");
}

void CInetWorker::freeLineWhenAnswered() {
  if (run_.lineFree && remoteFile_ != nullptr && remoteFile_->complete()) {
    std::exchange(run_.lineFree, nullptr)(run_.movement);
  }
}

void CInetWorker::openLocalFile(const std::string& path, bool existing) {
  localFile_ = std::make_unique<LocalFile>(
      path, existing ? LocalFile::Mode::kContinue : LocalFile::Mode::kCreate, job_.gate);
}

void CInetWorker::allocateBuffer() {
  buffer_.assign(static_cast<std::size_t>(std::max(job_.bufferSize, 2)), 0);
}

std::size_t CInetWorker::readFirstBlock() {
  const std::size_t want = buffer_.size() - 1;
  std::size_t have = 0;
  while (have < want) {
    const std::size_t n = remoteFile_->read(buffer_.data() + have, want - have);
    if (n == 0) break;  // the end, or a stop request the caller's next test sees
    have += n;
  }
  return have;
}

bool CInetWorker::readingLoop(bool countBytes, std::size_t firstCount) {
  const std::size_t want = buffer_.size() - 1;
  // Each pass takes up to bufferSize - 1 bytes straight from the remote file's own buffer.
  std::string_view piece =
      firstCount > 0 ? std::string_view(buffer_.data(), firstCount) : remoteFile_->readView(want);
  for (;;) {
    if (piece.empty()) {
      if (remoteFile_->atEnd()) break;
      // The wait for data was ended by a stop request.
      if (IsCancelled()) return false;
    } else {
      if (IsCancelled()) return false;
      if (countBytes) {
        // Only this thread writes the counter: a plain store, no locked add per buffer.
        job_.doneBytes.store(job_.doneBytes.load(std::memory_order_relaxed) +
                                 static_cast<std::int64_t>(piece.size()),
                             std::memory_order_relaxed);
      }
      localFile_->write(piece.data(), piece.size());
    }
    piece = remoteFile_->readView(want);
  }
  freeLineWhenAnswered();
  localFile_->close();
  localFile_.reset();
  buffer_ = {};
  return true;
}

}  // namespace murlo
