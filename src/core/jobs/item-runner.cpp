#include "jobs/item-runner.h"

#include "jobs/job-host.h"
#include "net/connection-share.h"
#include "net/job-record.h"

namespace murlo {

ItemRunner::ItemRunner(JobHost& host)
    : host_(host),
      current_{{}, std::make_shared<JobRecord>()},
      slot_([&host] { host.wake(); }, host.stopPatience()) {}

ItemRunner::~ItemRunner() = default;

void ItemRunner::beginJob() {
  settings_ = host_.settings();
  connections_ = std::make_shared<ConnectionShare>();
  // The host's prompter outlives the job's threads; the record only borrows it.
  prompter_ = std::shared_ptr<Prompter>(host_.prompter(), [](Prompter*) {});
  current_.record->movement = settings_.movement;
  started_ = std::chrono::steady_clock::now();
}

std::shared_ptr<JobRecord> ItemRunner::makeRecord(const JobRecord& previous) const {
  auto record = std::make_shared<JobRecord>();
  fillFromSettings(*record, settings_, host_.appDirectory());
  record->movement = previous.movement;
  record->prompter = prompter_;
  record->connections = connections_;
  record->keptAnswers = keptAnswers_;
  return record;
}

ItemRunner::Handed& ItemRunner::newItem() {
  current_ = {{}, makeRecord(*current_.record)};
  return current_;
}

ItemRunner::Handed& ItemRunner::newItemAhead() {
  const JobRecord& previous = ahead_.empty() ? *current_.record : *ahead_.back().record;
  ahead_.push_back({{}, makeRecord(previous)});
  return ahead_.back();
}

bool ItemRunner::advance() {
  if (ahead_.empty()) return false;
  current_ = std::move(ahead_.front());
  ahead_.pop_front();
  return true;
}

void ItemRunner::withdrawAhead() { ahead_.resize(ahead_.size() - slot_.withdraw(ahead_.size())); }

void ItemRunner::dropAheadIf(const std::function<bool(JobItem&)>& gone) {
  for (auto it = ahead_.begin(); it != ahead_.end();) {
    if (!gone(it->item)) {
      ++it;
    } else if (slot_.withdraw(it->record)) {
      it = ahead_.erase(it);
    } else {
      // One that has begun stays until it ends, stopped, as the items before it do.
      it->record->stopEvent.set();
      ++it;
    }
  }
}

void ItemRunner::stopCurrent() { current_.record->stopEvent.set(); }

void ItemRunner::endWithoutThread() { current_.record->doneEvent.set(); }

bool ItemRunner::doneTest() {
  if (!current_.record->doneEvent.tryWait()) return false;
  slot_.finish();
  return true;
}

bool ItemRunner::stop() {
  withdrawAhead();
  if (slot_.stop()) return true;
  // The given-up thread keeps the connection cache it used to itself.
  connections_ = std::make_shared<ConnectionShare>();
  return false;
}

std::int64_t ItemRunner::elapsedMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               started_)
      .count();
}

}  // namespace murlo
