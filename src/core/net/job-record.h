// JobRecord: what job control hands to a worker thread for one item, and what the worker
// writes back (result, byte counters, the local name used).
//
// Job control makes a fresh record for every item and keeps it in a shared_ptr that the
// thread shares. A thread given up after the stop wait therefore writes only into its own
// record; job control closes the record's write gate so that the thread also cannot touch
// any file afterwards, and carries `movement` over from one item's record to the next.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "net/event.h"
#include "net/write-gate.h"

namespace murlo {

struct AppSettings;
class ConnectionShare;
class CookieJar;
class PageResponses;
class Prompter;
class RemoteFile;

// The answers of the item properties query (QueryFileInfo). Texts are CP932.
struct FileInfo {
  std::int64_t remoteSize = 0;
  std::string serverDate;
  std::string lastModified;
};

// A text one thread writes while another may read it.
class SharedText {
 public:
  void set(std::string text) {
    std::lock_guard lock(mutex_);
    text_ = std::move(text);
  }
  std::string get() const {
    std::lock_guard lock(mutex_);
    return text_;
  }

 private:
  mutable std::mutex mutex_;
  std::string text_;
};

struct JobRecord {
  // Written by the thread and the worker: the item's result code (result-codes.h).
  std::atomic<int> result{0};
  // Copies of the settings taken when the job starts. The worker may set the overwrite or
  // the automatic-rename bit of `movement` for the rest of the job.
  std::atomic<int> movement{0};
  int connection = 0;
  int output = 0;
  int tag = 0;
  int exset = 0;
  std::string url;
  std::string referrer;
  std::string password;
  std::string userName;
  std::string appDir;
  std::string proxy;
  // The user's own certificate authorities (a PEM file); none when empty.
  std::string caFile;
  int bufferSize = 1024;
  // The time-out the session applies when connection::kTimeout is set.
  std::int64_t timeoutMs = 0;
  // Written by the worker, read by the progress display at any time.
  std::atomic<std::int64_t> doneBytes{0};
  std::atomic<std::int64_t> totalBytes{0};
  // The save folder, ending in "/".
  std::string saveDir;
  // The local file name; the worker prefixes the directory hierarchy to it.
  std::string fileName;
  // Written: the local name used after same-name handling. For a resume, set by job
  // control to the full path of the partial file.
  std::string localName;
  // Written by the worker when the item succeeded: the full path of the file that now holds
  // it; empty when the item saved no file.
  std::string savedPath;
  // A page file of the analysis job that the page is fetched into (emptied first), so that
  // a crawl reuses a few files instead of making and removing one per page; empty: the
  // worker makes a new one beside Murlo.tmp.
  std::string reusedPageFile;
  // Written through the gate by the page job's worker: the file that holds the page
  // fetched. The analysis job reads it back, then reuses it, renames it to Murlo.tmp or
  // removes it.
  std::string pageFile;
  std::atomic<int> sizeKnown{0};
  // Written: the full path of the partial file being written, empty before it is opened and
  // after it got its final name. Job control may read it at any time, also from a thread it
  // gave up.
  SharedText partialPath;
  // Written: what the item did otherwise than asked and the user should learn from the
  // output (a partial file left alone), UTF-8; empty when nothing.
  SharedText notice;
  // Written by the worker: the errno of an error-log entry that could not be written, 0
  // when none failed. Job control reports it after the item's result (error-log.h).
  std::atomic<int> logError{0};
  // Written by QueryFileInfo for the item properties query.
  FileInfo info;

  // Where the worker's questions and error messages go; none: nothing is shown.
  std::shared_ptr<Prompter> prompter;
  // The job's connection cache, or none for a fresh connection per item.
  std::shared_ptr<ConnectionShare> connections;
  // The job's cookies, or none when the job neither sends nor keeps any.
  std::shared_ptr<CookieJar> cookies;
  // The page answers an analysis keeps for the download chained to it; none outside such
  // a pair of jobs.
  std::shared_ptr<PageResponses> keptAnswers;

  Event stopEvent;
  Event doneEvent;
  WriteGate gate;

  // Worker thread only. Set by the worker slot while the item runs: the worker calls it
  // once the item's answer has come whole, before its local file work, so that the next
  // item's request goes out meanwhile (the line is free again).
  std::function<void()> lineFree;
  // Worker thread only: the item's first request, sent while the item before it was
  // saving its file; the worker takes it instead of sending the same request again.
  // Declared after the stop event it watches, so it goes first.
  std::unique_ptr<RemoteFile> sentRequest;

  JobRecord();
  ~JobRecord();
};

// Fills the settings part of a record as a job does when it starts: the five setting
// words, the buffer size, the time-out, the proxy text, the CA file, the application and save
// folders.
void fillFromSettings(JobRecord& job, const AppSettings& settings, const std::string& appDir);

}  // namespace murlo
