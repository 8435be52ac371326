// CInetWorker: the Internet worker a worker thread creates for one item and steps through
// session, address split, request, status check and transfer. Everything runs on that
// thread; job control reaches the worker only through the JobRecord and its events.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/transfer-base.h"

namespace murlo {

struct CrackedUrl;
struct JobRecord;
class LocalFile;
class RemoteFile;

class CInetWorker : public CTransferBase {
 public:
  // Which kind of record the worker serves: a download job (plain, resume, JPEG-only, FTP)
  // or a page job (page analysis, item properties query).
  enum class Binding { kDownloadJob = 0, kPageJob = 1 };

  CInetWorker(JobRecord& job, Binding binding);
  ~CInetWorker() override;
  CInetWorker(const CInetWorker&) = delete;
  CInetWorker& operator=(const CInetWorker&) = delete;

  // Takes the session settings from the job's Connection word: offline, time-out, proxy.
  void OpenSession();
  // Splits the job's address into server, object, port and service type; raises an
  // InternetError when it cannot.
  virtual bool CrackUrl() = 0;

  // The cancellation point: when the stop event is set, stores `code` as the result and
  // returns true. The thread sets the done event once the worker is gone.
  bool IsCancelled(int code);
  bool wasCancelled() const { return cancelled_; }

  // Remembers the code and, unless Movement bit 1 silences error messages, shows its
  // message; `detail` (the refused answer's status) is shown on a second line.
  void ReportResult(int code, const std::string& detail = {});
  // Log entries, when Output bit 0 is set.
  void LogResult(int code);
  void LogException(const std::exception& error);

  // With Movement bit 2: creates the object's folders under the save folder and puts them
  // in front of the job's fileName. Always makes the file name a single safe entry.
  void MakeHierarchy();
  // Creates saveDir + relativePath when missing (a LocalFileError of kind bad path when it
  // cannot), then appends "/" to relativePath.
  void MakeDirectory(std::string& relativePath);

  int lastCode() const { return lastCode_; }
  const std::string& server() const { return server_; }
  const std::string& object() const { return object_; }
  std::uint16_t port() const { return port_; }
  unsigned serviceType() const { return serviceType_; }

 protected:
  struct Session {
    bool offline = false;
    std::int64_t timeoutMs = 0;
    std::string proxy;
  };

  // Takes a split address; false when `address` is no address or not of `serviceType`.
  bool takeAddress(const std::string& address, unsigned serviceType, int& error);
  void takeCracked(const CrackedUrl& url);
  // Raises the Internet error of an offline session.
  void refuseWhenOffline() const;
  // The transfer buffer of bufferSize bytes, allocated once per transfer.
  void allocateBuffer();
  void openLocalFile(const std::string& path, bool existing);
  // The reading loop: moves the remote body into the local file, bufferSize - 1 bytes per
  // pass, testing the stop event once per pass. `firstCount` bytes already in the buffer
  // are the first pass. True when the body has ended and the file is closed.
  bool readingLoop(bool countBytes, std::size_t firstCount = 0);
  // Reads up to the buffer size - 1 bytes, waiting for more until the buffer is full or
  // the body ends: the first block of a transfer.
  std::size_t readFirstBlock();

  JobRecord& job_;
  Binding binding_;
  int lastCode_ = 0;
  bool cancelled_ = false;
  // Declared in the reverse of the closing order: the remote file closes first, then the
  // buffer and the local file, the session last.
  Session session_;
  std::unique_ptr<LocalFile> localFile_;
  std::vector<char> buffer_;
  std::string server_;
  std::string object_;
  std::uint16_t port_ = 0;
  unsigned serviceType_ = 0;
  std::string requestUrl_;
  std::unique_ptr<RemoteFile> remoteFile_;
};

}  // namespace murlo
