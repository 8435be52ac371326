// CHttpWorker: the Internet worker for HTTP and HTTPS addresses.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "net/inet-worker.h"

namespace murlo {

struct RemoteRequest;

class CHttpWorker : public CInetWorker {
 public:
  using CInetWorker::CInetWorker;

  // Accepts HTTP and HTTPS; an address without a scheme is tried once more with "http://".
  bool CrackUrl() override;
  // Connects and sends the GET request with the fixed header block and the Referer last
  // (and, for a range, the If-Range condition); waits for the answer's header block.
  void OpenRequest();
  // Sends the item's first request now, into the record's sentRequest, where OpenRequest
  // takes it later; nothing when the session is offline.
  void SendRequestAhead();
  // Refuses 401, follows at most one redirect (301, 302, 303, 307, 308) and fails every
  // other answer that is no success (2xx), but a 416 to a range. False only when a stop
  // request came during a redirect.
  bool CheckStatus();

  // The work steps: true when the item is done, false when it failed or was stopped.
  bool Transfer();
  bool DownloadToFile();
  bool DownloadToTemp();
  bool Resume();
  bool TransferJpeg();
  bool QueryFileInfo();
  // False when the local file already has the remote size (the download is skipped).
  bool CheckSize();
  // Whether the item's file already lies complete under its name, as a finished download
  // leaves it: the server's size and its Last-Modified time, which the download gives the
  // file. A list that could not be written back after its job (a full disk) still holds
  // the rows of such files; they are not fetched again.
  bool alreadySaved() const;

 private:
  // The request OpenRequest sends.
  RemoteRequest requestToSend() const;
  std::unique_ptr<RemoteFile> newRequest() const;
  // Sets totalBytes and sizeKnown from Content-Length or the total of Content-Range.
  void probeSize();
  // What the steps before a download's first byte decided: the transfer goes on, or the
  // item ends here as done (the file is already there) or not done (a stop).
  enum class Preparation { kTransfer, kEndedDone, kEndedNotDone };
  // The steps of a download before its first byte: hierarchy, size check, a file saved
  // before, same-name policy, size probe, buffer.
  Preparation prepareDownload();
  std::optional<std::int64_t> remoteSize() const;
  // The redirect after a 3xx answer; false when stopped.
  bool followRedirect();
  // Reports and logs the refusal `code`, then raises an Internet error whose log text is
  // `reason`.
  [[noreturn]] void refuse(EngineError code, const std::string& reason);
  bool rangeSent() const { return rangeFrom_.has_value(); }
  bool continueOrRestart() override;
  bool requestAgain(std::optional<std::int64_t> from) override;
};

}  // namespace murlo
