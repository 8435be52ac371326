// CInetWorker: the Internet worker a worker thread creates for one item and steps through
// session, address split, request, status check and transfer. Everything runs on that
// thread; job control reaches the worker only through the JobRecord and its events. What
// the thread holds for the item besides (ItemRun) is the worker's too.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/connection-options.h"
#include "net/engine-error.h"
#include "net/proxy-environment.h"

namespace murlo {

struct CrackedUrl;
struct ItemRun;
struct JobRecord;
class LocalFile;
class RemoteFile;

class CInetWorker {
 public:
  // Which kind of record the worker serves: a download job (plain, resume, JPEG-only, FTP)
  // or a page job (page analysis, item properties query).
  enum class Binding { kDownloadJob = 0, kPageJob = 1 };

  CInetWorker(JobRecord& job, ItemRun& run, Binding binding);
  virtual ~CInetWorker();
  CInetWorker(const CInetWorker&) = delete;
  CInetWorker& operator=(const CInetWorker&) = delete;

  // Takes the session settings from the job's Connection word: offline, time-out, proxy
  // (the settings' own, else the environment's).
  void OpenSession();
  // Splits the job's address into server, object, port and service type; raises an
  // InternetError when it cannot.
  virtual bool CrackUrl() = 0;
  // For a resume, before the request: asks for the bytes from the partial file's length on,
  // on condition that the remote file is still the one the partial file holds the start of
  // (its ETag, or its modification time).
  void PrepareResume();
  // For a plain download, before the first request: when an earlier run left a partial
  // file of the name the download will get, asks for the rest of it as PrepareResume does,
  // so that the item costs one request.
  void LookForPartialFile();

  // The cancellation point: when the stop event is set, stores ItemResult::kUserDenied as
  // the result and returns true. The thread sets the done event once the worker is gone.
  bool IsCancelled();
  bool wasCancelled() const { return cancelled_; }

  // Unless movement::kNoErrorMessages silences them, shows the failure's message; `detail`
  // (the refused answer's status line) is shown on a second line.
  void ReportResult(EngineError code, const std::string& detail = {});
  // Log entries, when output::kErrorLog is set.
  void LogResult(EngineError code);
  void LogException(const std::exception& error);

  // With movement::kHierarchy: creates the object's folders under the save folder and puts them
  // in front of the request's fileName, in the worker's own fileName_. Always makes the file name a
  // single safe entry, named as it goes on disk (UTF-8, percent-escapes decoded).
  void MakeHierarchy();
  // Creates saveDir + relativePath when missing (a LocalFileError of kind bad path when it
  // cannot, or when the entry there is a symbolic link or no folder), then appends "/" to
  // relativePath.
  void MakeDirectory(std::string& relativePath);

  const std::string& server() const { return server_; }
  const std::string& object() const { return object_; }
  std::uint16_t port() const { return port_; }
  unsigned serviceType() const { return serviceType_; }

 protected:
  struct Session {
    bool offline = false;
    std::int64_t timeoutMs = 0;
    // The settings' proxy when they name one; otherwise the environment chooses per address.
    std::optional<std::string> proxy;
    ProxyEnvironment environment{{}};
  };

  // The proxy, certificate authorities and cookies of a request for `url`.
  ConnectionOptions connectionFor(const std::string& url) const;

  // Takes a split address; false when `address` is no address or not of `serviceType`.
  bool takeAddress(const std::string& address, unsigned serviceType, int& error);
  void takeCracked(const CrackedUrl& url);
  // Raises the Internet error of an offline session.
  void refuseWhenOffline() const;
  // The transfer buffer of bufferSize bytes, allocated once per transfer.
  void allocateBuffer();
  void openLocalFile(const std::string& path, bool existing);
  // Moves the body into `partialPath`, continuing what an earlier run left there when the
  // remote file is unchanged, and renames the complete file to `finalPath` (no rename when
  // both are the same: the partial file of an older list). `firstCount` bytes already in the
  // buffer are the body's first bytes. True when the file is complete.
  bool saveBody(const std::string& partialPath, const std::string& finalPath,
                std::size_t firstCount = 0);
  // Raises an Internet error unless the file, as the transfer counted it, has the size the
  // server announced (when it announced one): a body that ended cleanly may still be a
  // piece that stops short of the file's end.
  void refuseUnlessWhole() const;
  // Opens the partial file to write: `first`, or when that may not be continued (a link,
  // another user's file) the first free other partial name of `finalPath`, which the item's
  // notice then names.
  void openPartialFile(const std::string& first, const std::string& finalPath);
  // Takes the partial file at `path` for continuing: its time and ETag become the range's
  // condition. False when it is empty or was written for another address.
  bool takePartial(const std::string& path);
  // Keeps the address and the answer's ETag with the open partial file.
  void recordPartial();
  // Whether the range asked for is the one of the open partial file.
  bool rangeIsForOpenFile() const;
  // The job's file name as MakeHierarchy makes it, with the object's folders when they are
  // kept.
  std::string plannedFileName() const;
  // Once the answer has come whole, and the item sends no further request: lets the line
  // send the next item's request. Only the first call does that.
  void freeLineWhenAnswered();
  // The partial file of the job's local name under the save folder.
  std::string partialPathOfLocalName() const;
  // The final path of a resumed partial file (job control put its path in localName).
  std::string finalPathOfResume() const;
  // The reading loop: moves the remote body into the local file, bufferSize - 1 bytes per
  // pass, testing the stop event once per pass. `firstCount` bytes already in the buffer
  // are the first pass. True when the body has ended and the file is closed.
  bool readingLoop(bool countBytes, std::size_t firstCount = 0);
  // Reads up to the buffer size - 1 bytes, waiting for more until the buffer is full or
  // the body ends: the first block of a transfer.
  std::size_t readFirstBlock();

  // Makes the answer fit the open partial file: keeps its bytes when the answer continues
  // the same remote file from its end, otherwise asks for the whole file again and empties
  // the partial file. Sets doneBytes. False when stopped.
  virtual bool continueOrRestart() = 0;
  // Sends the request again, for the bytes from `from` on or (nothing) for the whole file;
  // false when stopped.
  virtual bool requestAgain(std::optional<std::int64_t> from) = 0;
  // The remote file's time from the answer (Last-Modified, MDTM), when it gave one.
  std::optional<std::time_t> remoteTime() const;
  // True when the answer is of the remote file the partial file holds the start of: a
  // strong ETag equal to the one kept, or else the same time; a different ETag is a change
  // whatever the time.
  bool remoteUnchanged() const;

  JobRecord& job_;
  ItemRun& run_;
  Binding binding_;
  // The request's file name with the hierarchy folders MakeHierarchy put in front.
  std::string fileName_;
  // The range asked for, the partial file it continues, and that file's modification time
  // and kept ETag it is conditional on.
  std::optional<std::int64_t> rangeFrom_;
  std::string rangePath_;
  std::optional<std::time_t> partialTime_;
  std::string partialEtag_;
  // Whether a file that takes the final name meanwhile may be replaced.
  bool replaceFinal_ = false;
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
