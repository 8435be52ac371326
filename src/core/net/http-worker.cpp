#include "net/http-worker.h"

#include <curl/curl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include "net/internet-error.h"
#include "net/job-record.h"
#include "net/local-file.h"
#include "net/partial-file.h"
#include "net/remote-file.h"
#include "net/result-codes.h"
#include "net/save-name.h"
#include "net/save-path.h"
#include "net/url-crack.h"
#include "net/worker-threads.h"
#include "settings/app-settings.h"
#include "settings/program-files.h"
#include "text/cp932.h"

namespace murlo {

namespace {

bool isRedirect(long status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// An answer of 400 or above: the item failed, and the message names the status.
InternetError statusError(const RemoteFile& file) {
  return InternetError(EngineError::httpStatus(static_cast<int>(file.status())), file.statusLine());
}

// A header value may not carry a line break into the request.
std::string oneLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

// A time as an HTTP date ("Sun, 06 Nov 1994 08:49:37 GMT"), whatever the locale.
std::string httpDate(std::time_t time) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm date{};
  gmtime_r(&time, &date);
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[date.tm_wday],
                date.tm_mday, kMonths[date.tm_mon], date.tm_year + 1900, date.tm_hour, date.tm_min,
                date.tm_sec);
  return text;
}

// An HTTP date as "year/month/day" without leading zeros, or "不明" (unknown) in CP932.
std::string dateText(const std::string& httpDate) {
  const std::time_t when = httpDate.empty() ? -1 : curl_getdate(httpDate.c_str(), nullptr);
  std::tm date{};
  if (when == -1 || gmtime_r(&when, &date) == nullptr) return utf8ToCp932("不明");
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d/%d", date.tm_year + 1900, date.tm_mon + 1, date.tm_mday);
  return text;
}

// The unique file a page is fetched into, beside Murlo.tmp; removed unless kept.
class TempPageFile {
 public:
  TempPageFile(const std::string& target, WriteGate& gate) : path_(target + ".XXXXXX") {
    int fd = -1;
    if (!gate.pass([&] { fd = ::mkstemp(path_.data()); })) throw LocalFileError::givenUp(target);
    if (fd < 0) throw LocalFileError::fromErrno(FileErrorKind::kGeneric, target);
    ::close(fd);
  }
  ~TempPageFile() {
    if (!kept_) ::unlink(path_.c_str());
  }
  TempPageFile(const TempPageFile&) = delete;
  TempPageFile& operator=(const TempPageFile&) = delete;

  const std::string& path() const { return path_; }
  void keep() { kept_ = true; }

 private:
  std::string path_;
  bool kept_ = false;
};

}  // namespace

bool CHttpWorker::CrackUrl() {
  int error = 0;
  if (takeAddress(job_.url, kServiceHttp, error)) return true;
  if (takeAddress("http://" + job_.url, kServiceHttp, error)) return true;
  throw urlError(error != 0 ? error : CURLUE_UNSUPPORTED_SCHEME);
}

RemoteRequest CHttpWorker::requestToSend() const {
  RemoteRequest request;
  request.url = requestUrl_;
  request.headers = {"Accept: */*", "Accept-Language: ja", "Accept-Encoding: gzip, deflate",
                     "User-Agent: MFC_Murlo"};
  if (!job_.referrer.empty() && !(job_.exset & exset::kNoReferrer)) {
    request.headers.push_back("Referer: " + oneLine(job_.referrer));
  }
  if (!job_.password.empty()) {
    request.userName = job_.userName;
    request.password = job_.password;
  }
  request.connection = connectionFor(requestUrl_);
  request.timeoutMs = session_.timeoutMs;
  request.rangeFrom = rangeFrom_;
  request.keptAnswers = job_.keptAnswers;
  request.keptAnswerUse =
      binding_ == Binding::kPageJob ? KeptAnswerUse::kKeep : KeptAnswerUse::kReuse;
  // The rest of the partial file is wanted only from the same, unchanged remote file; a
  // server that sees it changed sends the whole file instead. A strong ETag tells a change
  // that kept the date; a weak one may not stand in If-Range.
  if (rangeFrom_ && !partialEtag_.empty() && !partialEtag_.starts_with("W/")) {
    request.headers.push_back("If-Range: " + oneLine(partialEtag_));
  } else if (rangeFrom_ && partialTime_) {
    request.headers.push_back("If-Range: " + httpDate(*partialTime_));
  }
  return request;
}

std::unique_ptr<RemoteFile> CHttpWorker::newRequest() const {
  return std::make_unique<RemoteFile>(requestToSend(), job_.connections, job_.stopEvent);
}

void CHttpWorker::OpenRequest() {
  refuseWhenOffline();
  remoteFile_.reset();
  // The first request sent ahead is taken when it is this very request, range included.
  const auto sameRequest = [](const RemoteRequest& sent, const RemoteRequest& now) {
    return sent.url == now.url && sent.rangeFrom == now.rangeFrom && sent.headers == now.headers;
  };
  if (run_.sentRequest && sameRequest(run_.sentRequest->request(), requestToSend())) {
    remoteFile_ = std::move(run_.sentRequest);
  } else {
    remoteFile_ = newRequest();
  }
  remoteFile_->open();
}

void CHttpWorker::SendRequestAhead() {
  if (session_.offline) return;
  run_.sentRequest = newRequest();
  run_.sentRequest->send();
}

void CHttpWorker::refuse(EngineError code, const std::string& reason) {
  ReportResult(code);
  LogResult(code);
  throw InternetError(kReportNothing, reason);
}

bool CHttpWorker::CheckStatus() {
  const long status = remoteFile_->status();
  if (status == 401) refuse(kReportUnauthorized, remoteFile_->statusLine());
  if (isRedirect(status)) return followRedirect();
  // A piece of the file that nobody asked for is no file.
  if (status == 206 && !rangeSent()) throw statusError(*remoteFile_);
  // A resume of a complete partial file is answered 416; continueOrRestart() looks at it.
  // Anything else that is no success (300, 304, 4xx, 5xx) brings no file.
  if ((status < 200 || status >= 300) && !(status == 416 && rangeSent())) {
    throw statusError(*remoteFile_);
  }
  return true;
}

bool CHttpWorker::followRedirect() {
  const std::string answer = remoteFile_->statusLine();
  const std::string& raw = remoteFile_->rawHeaders();
  // The exact, case-sensitive text, as the raw header block has it.
  std::size_t at = raw.find("Location: ");
  if (at == std::string::npos || (job_.exset & exset::kRefuseRedirects)) {
    refuse(kReportNoRedirect, answer);
  }
  at += 10;
  const std::string target = raw.substr(at, raw.find_first_of("\r\n", at) - at);
  const std::string base = requestUrl_;
  remoteFile_.reset();
  const CrackResult cracked = crackUrl(target, base);
  if (!cracked.url) refuse(kReportRedirectUnparsable, answer + " -> " + target);
  if (cracked.url->serviceType != kServiceHttp)
    refuse(kReportRedirectNotHttp, answer + " -> " + target);
  takeCracked(*cracked.url);
  if (IsCancelled()) return false;
  OpenRequest();
  if (IsCancelled()) return false;
  const long status = remoteFile_->status();
  if (status == 200 || (rangeSent() && (status == 206 || status == 416))) return true;
  refuse(kReportRedirectFailed, remoteFile_->statusLine());
}

std::optional<std::int64_t> CHttpWorker::remoteSize() const {
  const long status = remoteFile_->status();
  if (status != 206 && status != 416) return remoteFile_->contentLength();
  // The length of a piece is not the file's: only the total of its Content-Range is.
  const auto range = remoteFile_->contentRange();
  if (range && range->total >= 0) return range->total;
  return std::nullopt;
}

void CHttpWorker::probeSize() {
  if (const auto size = remoteSize()) {
    job_.totalBytes = *size;
    job_.sizeKnown = 1;
  } else {
    job_.sizeKnown = 0;
  }
}

bool CHttpWorker::CheckSize() {
  if (!(run_.movement & movement::kSizeCheck)) return true;
  const auto size = remoteSize();
  if (!size) return true;
  struct stat info {};
  const std::string path = job_.saveDir + fileName_;
  return !(::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size == *size);
}

bool CHttpWorker::alreadySaved() const {
  const std::optional<std::int64_t> size = remoteSize();
  const std::optional<std::time_t> time = remoteTime();
  // A decoded body has another size than the one the server names.
  if (!size || !time || remoteFile_->bodyEncoded()) return false;
  struct stat info {};
  const std::string path = job_.saveDir + fileName_;
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size == *size &&
         info.st_mtim.tv_sec == *time && info.st_mtim.tv_nsec == 0;
}

bool CHttpWorker::Transfer() {
  return binding_ == Binding::kPageJob ? DownloadToTemp() : DownloadToFile();
}

CHttpWorker::Preparation CHttpWorker::prepareDownload() {
  MakeHierarchy();
  if (!CheckSize() || alreadySaved()) {
    // The file lies under its name already.
    job_.savedPath = job_.saveDir + fileName_;
    return Preparation::kEndedDone;
  }
  // A name that exists now was chosen to be overwritten (by the policy or the user).
  job_.localName = resolveSaveName(job_, fileName_, run_.movement, &replaceFinal_);
  probeSize();
  if (IsCancelled()) return Preparation::kEndedNotDone;
  allocateBuffer();
  return Preparation::kTransfer;
}

bool CHttpWorker::DownloadToFile() {
  if (const Preparation ended = prepareDownload(); ended != Preparation::kTransfer) {
    return ended == Preparation::kEndedDone;
  }
  return saveBody(partialPathOfLocalName(), job_.saveDir + job_.localName);
}

bool CHttpWorker::DownloadToTemp() {
  // The page is fetched into a file of its own, which the analysis job reads back by its
  // path: another analysis in the same folder never reads this page, and a thread given up
  // half-way never leaves its bytes where a later page is read from.
  const std::string target = programFilePath(job_.appDir, kLastPageFile);
  std::optional<TempPageFile> temp;
  if (job_.reusedPageFile.empty()) temp.emplace(target, job_.gate);
  const std::string& path = temp ? temp->path() : job_.reusedPageFile;
  allocateBuffer();
  freeLineWhenAnswered();
  openLocalFile(path, false);
  if (!readingLoop(false)) return false;
  // Handed over only while the gate is open; a given-up thread removes a file it made.
  if (!job_.gate.pass([&] { job_.pageFile = path; })) throw LocalFileError::givenUp(target);
  if (temp) temp->keep();
  return true;
}

bool CHttpWorker::Resume() {
  probeSize();
  if (IsCancelled()) return false;
  allocateBuffer();
  replaceFinal_ = (run_.movement & movement::kOverwrite) != 0;
  return saveBody(job_.localName, finalPathOfResume());
}

bool CHttpWorker::requestAgain(std::optional<std::int64_t> from) {
  rangeFrom_ = from;
  OpenRequest();
  if (IsCancelled() || !CheckStatus() || IsCancelled()) {
    return false;
  }
  probeSize();
  return true;
}

bool CHttpWorker::continueOrRestart() {
  const std::int64_t have = localFile_->openedSize();
  // A partial file an earlier run left that the first request did not ask the rest of (the
  // name was settled by the answer): ask for it now.
  if (have > 0 && !rangeIsForOpenFile() && takePartial(localFile_->path()) && !requestAgain(have)) {
    return false;
  }
  if (rangeIsForOpenFile()) {
    const long status = remoteFile_->status();
    const auto range = remoteFile_->contentRange();
    if (status == 416 && range && range->total == have && (!remoteTime() || remoteUnchanged())) {
      // The partial file already holds the whole, unchanged file; the refusal's own text is
      // no part of it.
      while (!remoteFile_->readView(buffer_.size()).empty()) {}
      job_.doneBytes = have;
      job_.totalBytes = have;
      job_.sizeKnown = 1;
      return true;
    }
    // Appended bytes must be the same file's, from the same offset, and not re-encoded.
    if (status == 206 && range && range->first == have && remoteUnchanged() &&
        !remoteFile_->bodyEncoded()) {
      job_.doneBytes = have;
      return true;
    }
  }
  // Anything but the whole file (a range of another file included) is asked for again.
  if (rangeSent() && remoteFile_->status() != 200 && !requestAgain(std::nullopt)) return false;
  // The whole file comes: it replaces what the partial file held.
  if (have > 0) localFile_->truncate();
  job_.doneBytes = 0;
  return true;
}

bool CHttpWorker::TransferJpeg() {
  if (const Preparation ended = prepareDownload(); ended != Preparation::kTransfer) {
    return ended == Preparation::kEndedDone;
  }
  const std::size_t first = readFirstBlock();
  if (IsCancelled()) return false;
  // A JFIF file has "JFIF" in bytes 6 to 9; nothing else is saved.
  if (first <= 9 || std::memcmp(buffer_.data() + 6, "JFIF", 4) != 0) return false;
  return saveBody(partialPathOfLocalName(), job_.saveDir + job_.localName, first);
}

bool CHttpWorker::QueryFileInfo() {
  job_.info.remoteSize = remoteFile_->contentLength().value_or(0);
  job_.info.lastModified = dateText(remoteFile_->header("Last-Modified"));
  job_.info.serverDate = dateText(remoteFile_->header("Date"));
  return true;
}

}  // namespace murlo
