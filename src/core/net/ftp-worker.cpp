#include "net/ftp-worker.h"

#include <curl/curl.h>

#include "net/internet-error.h"
#include "net/job-record.h"
#include "net/local-file.h"
#include "net/partial-file.h"
#include "net/remote-file.h"
#include "net/result-codes.h"
#include "net/save-name.h"
#include "net/url-crack.h"
#include "net/worker-threads.h"
#include "settings/app-settings.h"

namespace murlo {

bool CFtpWorker::CrackUrl() {
  int error = 0;
  if (takeAddress(job_.url, kServiceFtp, error)) return true;
  throw urlError(error != 0 ? error : CURLUE_UNSUPPORTED_SCHEME);
}

void CFtpWorker::OpenFtpFile() {
  refuseWhenOffline();
  RemoteRequest request;
  request.url = requestUrl_;
  request.ftp = true;
  request.connection = connectionFor(requestUrl_);
  request.timeoutMs = session_.timeoutMs;
  request.rangeFrom = rangeFrom_;
  remoteFile_.reset();
  remoteFile_ = std::make_unique<RemoteFile>(request, job_.connections, job_.stopEvent);
  try {
    remoteFile_->open();
  } catch (const InternetError& error) {
    // A partial file longer than the remote file: the server refuses the offset, and the
    // whole file is asked for instead.
    if (!rangeFrom_ || error.code() != EngineError::curl(CURLE_BAD_DOWNLOAD_RESUME)) throw;
    rangeFrom_.reset();
    OpenFtpFile();
  }
}

bool CFtpWorker::StartFtpDownload() {
  return binding_ == Binding::kDownloadJob && RunFtpDownload();
}

bool CFtpWorker::RunFtpDownload() {
  // FTP sizes are not probed.
  job_.sizeKnown = 0;
  job_.totalBytes = 0;
  if (resuming()) {
    replaceFinal_ = (run_.movement & movement::kOverwrite) != 0;
    allocateBuffer();
    return saveBody(job_.localName, finalPathOfResume());
  }
  MakeHierarchy();
  job_.localName = resolveSaveName(job_, fileName_, run_.movement, &replaceFinal_);
  allocateBuffer();
  return saveBody(partialPathOfLocalName(), job_.saveDir + job_.localName);
}

bool CFtpWorker::requestAgain(std::optional<std::int64_t> from) {
  rangeFrom_ = from;
  OpenFtpFile();
  return !IsCancelled();
}

bool CFtpWorker::continueOrRestart() {
  const std::int64_t have = localFile_->openedSize();
  // A partial file an earlier run left: ask for the rest of it.
  if (have > 0 && !rangeIsForOpenFile() && takePartial(localFile_->path()) && !requestAgain(have)) {
    return false;
  }
  if (rangeIsForOpenFile() && remoteUnchanged()) {
    job_.doneBytes = have;
    return true;
  }
  // The remote file changed or gives no time: start afresh.
  if (rangeFrom_ && !requestAgain(std::nullopt)) return false;
  if (have > 0) localFile_->truncate();
  job_.doneBytes = 0;
  return true;
}

}  // namespace murlo
