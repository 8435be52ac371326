// ItemRunner: what both job controllers do around one item: the settings copied when the
// job starts, a fresh JobRecord per item, the worker thread, the done test and the stop.
// Items may be handed to the thread ahead of the current one; they become current one by
// one through advance().
//
// Host thread only.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "jobs/worker-slot.h"
#include "settings/app-settings.h"

namespace murlo {

class ConnectionShare;
class PageResponses;
class JobHost;
class Prompter;
struct JobRecord;

class ItemRunner {
 public:
  explicit ItemRunner(JobHost& host);
  ~ItemRunner();

  // Copies the settings, opens the job's connection cache and starts the elapsed time.
  void beginJob();
  const AppSettings& settings() const { return settings_; }
  // The kept page answers every later item's record carries (page-responses.h).
  void useKeptAnswers(std::shared_ptr<PageResponses> answers) { keptAnswers_ = std::move(answers); }
  const std::shared_ptr<PageResponses>& keptAnswers() const { return keptAnswers_; }

  // A fresh record for the next item with the settings part filled in; the Movement word
  // carries over the worker's changes from the previous item (overwrite or rename all).
  JobRecord& newItem();
  JobRecord& record() { return *record_; }
  // Hands the current item to the thread, which runs it as its request's kind asks.
  void run() { slot_.start(record_); }
  // A fresh record for an item after the last one handed over, and its hand-over: the
  // thread starts it as soon as the items before it have ended.
  JobRecord& newItemAhead();
  void runAhead() { slot_.start(ahead_.back()); }
  std::size_t aheadCount() const { return ahead_.size(); }
  // Once the current item is finished: makes the first item handed ahead the current one
  // (it runs or has run already); false when there is none.
  bool advance();
  // Takes back the items ahead that have not begun; returns how many (the last ones).
  std::size_t withdrawAhead();
  // Drops the item handed ahead at `index` (0 = the next one): takes it back when it has
  // not begun (true), else sets its stop event, so it ends soon with its result (false).
  bool dropAhead(std::size_t index);
  // Sets the current item's stop event; the item ends with its result as usual.
  void stopCurrent();
  // Ends the item without a thread: the next doneTest() sees it with its result as it is.
  void endWithoutThread();
  bool threadRunning() const { return slot_.running(); }
  // The zero-time test of the item's done event; on true the item's thread has ended.
  bool doneTest();
  // The stop request with the 2-second wait; false when the thread was given up.
  bool stop();

  std::int64_t elapsedMs() const;

 private:
  JobHost& host_;
  AppSettings settings_;
  std::shared_ptr<JobRecord> makeRecord(const JobRecord& previous) const;

  std::shared_ptr<JobRecord> record_;
  std::deque<std::shared_ptr<JobRecord>> ahead_;
  std::shared_ptr<ConnectionShare> connections_;
  std::shared_ptr<PageResponses> keptAnswers_;
  std::shared_ptr<Prompter> prompter_;
  std::chrono::steady_clock::time_point started_;
  // Declared last: destroyed first, so a thread still running is stopped while the rest
  // of the runner exists.
  WorkerSlot slot_;
};

}  // namespace murlo
