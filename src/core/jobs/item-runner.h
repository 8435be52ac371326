// ItemRunner: what both job controllers do around one item: the settings copied when the
// job starts, a fresh JobRecord per item, the worker thread, the done test and the stop.
// Items may be handed to the thread ahead of the current one; they become current one by
// one through advance(). Each item is kept as one entry with the host's side of it (its
// row and address) and its record, so the items ahead are in this one queue only.
//
// Host thread only.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "jobs/row-cursor.h"
#include "jobs/worker-slot.h"
#include "settings/app-settings.h"

namespace murlo {

class ConnectionShare;
class CookieJar;
class PageResponses;
class JobHost;
class Prompter;
struct JobRecord;

// The host's side of an item: its row, its address and, for a resumed download, its
// partial file as the file system names it.
struct JobItem {
  RowCursor row;
  std::string address;
  bool resumed = false;
  std::string resumedPath;
  // A page-type row: its links are rewritten when the job converts links.
  bool page = false;
};

class ItemRunner {
 public:
  // One item: the host's side and the record handed to the thread.
  struct Handed {
    JobItem item;
    std::shared_ptr<JobRecord> record;
  };

  explicit ItemRunner(JobHost& host);
  ~ItemRunner();

  // Copies the settings, opens the job's connection cache and cookies, and starts the elapsed
  // time. A cookie file that cannot be read is reported; the job then goes on without it.
  void beginJob();
  const AppSettings& settings() const { return settings_; }
  // The kept page answers every later item's record carries (page-responses.h).
  void useKeptAnswers(std::shared_ptr<PageResponses> answers) { keptAnswers_ = std::move(answers); }
  const std::shared_ptr<PageResponses>& keptAnswers() const { return keptAnswers_; }

  // A fresh current item, its record's settings part filled in.
  Handed& newItem();
  JobItem& item() { return current_.item; }
  JobRecord& record() { return *current_.record; }
  // Hands the current item to the thread, which runs it as its request's kind asks.
  void run() { slot_.start(current_.record); }
  // A fresh item after the last one handed over, to be filled and handed over by runAhead():
  // the thread starts it as soon as the items before it have ended.
  Handed& newItemAhead();
  void runAhead() { slot_.start(ahead_.back().record); }
  std::size_t aheadCount() const { return ahead_.size(); }
  // The item handed over last, or the current one when none waits ahead.
  JobItem& lastItem() { return ahead_.empty() ? current_.item : ahead_.back().item; }
  // Once the current item is finished: makes the first item handed ahead the current one
  // (it runs or has run already); false when there is none.
  bool advance();
  // Takes back the items ahead that have not begun (the last ones).
  void withdrawAhead();
  // Drops the items ahead for which `gone` is true: takes each back when it has not begun,
  // else sets its stop event, so it ends soon with its result and stays until then.
  void dropAheadIf(const std::function<bool(JobItem&)>& gone);
  // Sets the current item's stop event; the item ends with its result as usual.
  void stopCurrent();
  // Ends the item without a thread: the next doneTest() sees it with its result as it is.
  void endWithoutThread();
  bool threadRunning() const { return slot_.running(); }
  // Once the item ended: writes its notice, if any, and its result with `address` to the
  // output, and reports an error-log entry it could not write.
  void writeResult(const std::string& address);
  // The zero-time test of the item's done event; on true the item's thread has ended.
  bool doneTest();
  // The stop request with the 2-second wait; false when the thread was given up.
  bool stop();

  std::int64_t elapsedMs() const;

 private:
  JobHost& host_;
  AppSettings settings_;
  std::shared_ptr<JobRecord> makeRecord(const JobRecord& previous) const;

  Handed current_;
  // The items handed over after the current one, in their order.
  std::deque<Handed> ahead_;
  std::shared_ptr<ConnectionShare> connections_;
  std::shared_ptr<PageResponses> keptAnswers_;
  std::shared_ptr<CookieJar> cookies_;
  std::shared_ptr<Prompter> prompter_;
  std::chrono::steady_clock::time_point started_;
  // Declared last: destroyed first, so a thread still running is stopped while the rest
  // of the runner exists.
  WorkerSlot slot_;
};

}  // namespace murlo
