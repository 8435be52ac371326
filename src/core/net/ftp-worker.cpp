#include "net/ftp-worker.h"

#include <curl/curl.h>

#include "net/internet-error.h"
#include "net/job-record.h"
#include "net/local-file.h"
#include "net/remote-file.h"
#include "net/url-crack.h"

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
  request.proxy = session_.proxy;
  request.timeoutMs = session_.timeoutMs;
  remoteFile_ = std::make_unique<RemoteFile>(std::move(request), job_.connections, job_.stopEvent);
  remoteFile_->open();
}

bool CFtpWorker::StartFtpDownload() {
  return binding_ == Binding::kDownloadJob && RunFtpDownload();
}

bool CFtpWorker::RunFtpDownload() {
  MakeHierarchy();
  job_.localName = ResolveSaveName(job_);
  // FTP sizes are not probed.
  job_.sizeKnown = 0;
  job_.totalBytes = 0;
  allocateBuffer();
  openLocalFile(job_.saveDir + job_.localName, false);
  return readingLoop(true);
}

}  // namespace murlo
