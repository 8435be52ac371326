// CFtpWorker: the Internet worker for FTP addresses: anonymous login, active mode, binary.
#pragma once

#include "net/inet-worker.h"

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
  bool RunFtpDownload();
};

}  // namespace murlo
