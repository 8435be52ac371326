#include "jobs/item-runner.h"

#include "jobs/job-host.h"
#include "net/connection-share.h"
#include "net/job-record.h"

namespace murlo {

ItemRunner::ItemRunner(JobHost& host)
    : host_(host), record_(std::make_shared<JobRecord>()), slot_([&host] { host.wake(); }) {}

ItemRunner::~ItemRunner() = default;

void ItemRunner::beginJob() {
  settings_ = host_.settings();
  connections_ = std::make_shared<ConnectionShare>();
  // The host's prompter outlives the job's threads; the record only borrows it.
  prompter_ = std::shared_ptr<Prompter>(host_.prompter(), [](Prompter*) {});
  record_->movement = settings_.movement;
  started_ = std::chrono::steady_clock::now();
}

JobRecord& ItemRunner::newItem() {
  const int movement = record_->movement;
  record_ = std::make_shared<JobRecord>();
  fillFromSettings(*record_, settings_, host_.appDirectory());
  record_->movement = movement;
  record_->prompter = prompter_;
  record_->connections = connections_;
  return *record_;
}

void ItemRunner::endWithoutThread() { record_->doneEvent.set(); }

bool ItemRunner::doneTest() {
  if (!record_->doneEvent.tryWait()) return false;
  slot_.finish();
  return true;
}

bool ItemRunner::stop() {
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
