#include "jobs/item-runner.h"

#include "jobs/job-host.h"
#include "net/connection-share.h"
#include "net/job-record.h"

namespace murlo {

ItemRunner::ItemRunner(JobHost& host)
    : host_(host),
      record_(std::make_shared<JobRecord>()),
      slot_([&host] { host.wake(); }, host.stopPatience()) {}

ItemRunner::~ItemRunner() = default;

void ItemRunner::beginJob() {
  settings_ = host_.settings();
  connections_ = std::make_shared<ConnectionShare>();
  // The host's prompter outlives the job's threads; the record only borrows it.
  prompter_ = std::shared_ptr<Prompter>(host_.prompter(), [](Prompter*) {});
  record_->movement = settings_.movement;
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

JobRecord& ItemRunner::newItem() {
  record_ = makeRecord(*record_);
  return *record_;
}

JobRecord& ItemRunner::newItemAhead() {
  ahead_.push_back(makeRecord(ahead_.empty() ? *record_ : *ahead_.back()));
  return *ahead_.back();
}

bool ItemRunner::advance() {
  if (ahead_.empty()) return false;
  record_ = std::move(ahead_.front());
  ahead_.pop_front();
  return true;
}

std::size_t ItemRunner::withdrawAhead() {
  const std::size_t count = slot_.withdraw(ahead_.size());
  ahead_.resize(ahead_.size() - count);
  return count;
}

bool ItemRunner::dropAhead(std::size_t index) {
  const auto it = ahead_.begin() + static_cast<std::ptrdiff_t>(index);
  if (!slot_.withdraw(*it)) {
    (*it)->stopEvent.set();
    return false;
  }
  ahead_.erase(it);
  return true;
}

void ItemRunner::stopCurrent() { record_->stopEvent.set(); }

void ItemRunner::endWithoutThread() { record_->doneEvent.set(); }

bool ItemRunner::doneTest() {
  if (!record_->doneEvent.tryWait()) return false;
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
