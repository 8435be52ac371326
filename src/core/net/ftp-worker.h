// CFtpWorker: the Internet worker for FTP addresses: anonymous login, active mode, binary.
#pragma once

#include "net/inet-worker.h"
#include "net/job-record.h"

namespace murlo {

class CFtpWorker : public CInetWorker {
 public:
  using CInetWorker::CInetWorker;

  // Accepts only FTP addresses.
  bool CrackUrl() override;
  // Logs in and starts the transfer of the object; an object that does not exist raises
  // the Internet error "file not found" (2) before any local file is made.
  void OpenFtpFile();
  // RunFtpDownload for a download job; false for a page job.
  bool StartFtpDownload();
  // Downloads into the partial file of the local name, or continues the partial file of a
  // resume (job control puts its path in resumeFrom), then gives it its final name.
  bool RunFtpDownload();

 private:
  bool resuming() const { return !job_.resumeFrom.empty(); }
  bool continueOrRestart() override;
  bool requestAgain(std::optional<std::int64_t> from) override;
};

}  // namespace murlo
