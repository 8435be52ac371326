#include "jobs/worker-slot.h"

#include "net/job-record.h"

namespace murlo {

WorkerSlot::WorkerSlot(std::function<void()> wake, std::chrono::milliseconds stopPatience,
                       ItemProcedure procedure)
    : wake_(std::move(wake)), stopPatience_(stopPatience), procedure_(procedure) {}

WorkerSlot::~WorkerSlot() {
  stop();
  if (line_) line_->shutDown();
}

void WorkerSlot::start(std::shared_ptr<JobRecord> record) {
  if (!line_) {
    line_ = std::make_shared<ItemLine>(wake_, procedure_);
    line_->launch();
  }
  ++handed_;
  line_->post(std::move(record));
}

void WorkerSlot::finish() {
  if (handed_ > 0 && line_->finishOldest()) --handed_;
}

std::size_t WorkerSlot::withdraw(std::size_t most) {
  if (handed_ == 0) return 0;
  const std::size_t count = line_->withdraw(most);
  handed_ -= count;
  return count;
}

bool WorkerSlot::withdraw(const std::shared_ptr<JobRecord>& record) {
  if (handed_ == 0 || !line_->withdraw(record)) return false;
  --handed_;
  return true;
}

bool WorkerSlot::stop() {
  withdraw(handed_);
  if (handed_ == 0) return true;
  const std::vector<std::shared_ptr<JobRecord>> records = line_->handed();
  for (const auto& record : records) record->stopEvent.set();
  // The items run one after the other: the last one ending means all have.
  if (records.back()->doneEvent.wait(stopPatience_)) {
    while (running()) finish();
    return true;
  }
  for (const auto& record : records) record->gate.close();
  line_->giveUp();
  line_.reset();
  handed_ = 0;
  return false;
}

}  // namespace murlo
