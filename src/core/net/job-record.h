// JobRecord: the hand-over object of one item between job control and the worker thread.
//
// It has four parts, each with one owner at each moment:
//   ItemRequest   what job control asks for. Filled on the host's thread before the item is
//                 handed over and read-only from then on, by both sides.
//   ItemProgress  counters the worker writes and the host may read at any time.
//   ItemOutcome   what the item did. Written by the worker before it sets the done event;
//                 read by the host once it has seen that event.
//   ItemControl   the stop and done events and the write gate, used by both sides.
// What only the worker thread needs from one item to the next (the request sent ahead, the
// overwrite or rename choice carried over) is no part of the record (worker-threads.h).
//
// Job control makes a fresh record for every item and keeps it in a shared_ptr that the
// thread shares. A thread given up after the stop wait therefore writes only into its own
// record; job control closes the record's write gate so that the thread also cannot touch
// any file afterwards.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "net/event.h"
#include "net/result-codes.h"
#include "net/write-gate.h"

namespace murlo {

struct AppSettings;
class ConnectionShare;
class CookieJar;
class PageResponses;
class Prompter;

// What the worker thread does with an item.
enum class ItemKind {
  // Fetches a page into a page file of the analysis job (ItemOutcome::pageFile).
  kPage,
  // Fills ItemOutcome::info for the item properties query.
  kInfo,
  // Downloads into the save folder.
  kDownload,
  // JPEG-only mode: addresses not ending in "jpg" end with ItemResult::kNotJpeg at once, and
  // only JFIF files are saved.
  kJpeg,
  // Continues the partial file named by ItemRequest::resumeFrom; when it is missing, asks
  // for another one.
  kResume,
  // Downloads an FTP item, or continues one when resumeFrom names its partial file.
  kFtp,
};

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

struct ItemRequest {
  ItemKind kind = ItemKind::kDownload;
  // Copies of the settings taken when the job starts. The worker thread starts its own
  // movement word from the first item's and keeps the overwrite or rename-all answers in it.
  int movement = 0;
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
  // The save folder, ending in "/".
  std::string saveDir;
  // The local file name; the worker prefixes the directory hierarchy to it.
  std::string fileName;
  // A resume: the full path of the partial file to continue; empty otherwise.
  std::string resumeFrom;
  // A page file of the analysis job that the page is fetched into (emptied first), so that
  // a crawl reuses a few files instead of making and removing one per page; empty: the
  // worker makes a new one beside Murlo.tmp.
  std::string reusedPageFile;
  // Where the worker's questions and error messages go; none: nothing is shown.
  std::shared_ptr<Prompter> prompter;
  // The job's connection cache, or none for a fresh connection per item.
  std::shared_ptr<ConnectionShare> connections;
  // The job's cookies, or none when the job neither sends nor keeps any.
  std::shared_ptr<CookieJar> cookies;
  // The page answers an analysis keeps for the download chained to it; none outside such
  // a pair of jobs.
  std::shared_ptr<PageResponses> keptAnswers;
};

struct ItemProgress {
  std::atomic<std::int64_t> doneBytes{0};
  std::atomic<std::int64_t> totalBytes{0};
  std::atomic<int> sizeKnown{0};
  // The full path of the partial file being written, empty before it is opened and after it
  // got its final name. Also read from a thread job control gave up.
  SharedText partialPath;
};

struct ItemOutcome {
  std::atomic<ItemResult> result{ItemResult::kNone};
  // The local name used after same-name handling (for a resume, the partial file's path).
  std::string localName;
  // When the item succeeded: the full path of the file that now holds it; empty when the
  // item saved no file.
  std::string savedPath;
  // Written through the gate by a page item: the file that holds the page fetched. The
  // analysis job reads it back, then reuses it, renames it to Murlo.tmp or removes it.
  std::string pageFile;
  // What the item did otherwise than asked and the user should learn from the output (a
  // partial file left alone), UTF-8; empty when nothing.
  SharedText notice;
  // The errno of an error-log entry that could not be written, 0 when none failed. Job
  // control reports it after the item's result (error-log.h).
  std::atomic<int> logError{0};
  // The answers of the item properties query.
  FileInfo info;
};

struct ItemControl {
  Event stopEvent;
  Event doneEvent;
  WriteGate gate;
};

// The parts are bases, so that each field keeps its one name wherever the record is used.
struct JobRecord : ItemRequest, ItemProgress, ItemOutcome, ItemControl {};

// Fills the settings part of a request as a job does when it starts: the five setting
// words, the buffer size, the time-out, the proxy text, the CA file, the application
// and save folders.
void fillFromSettings(ItemRequest& request, const AppSettings& settings, const std::string& appDir);

}  // namespace murlo
