#include "jobs/worker-slot.h"

#include <mutex>

#include "net/job-record.h"

namespace murlo {

// The wake-up of one thread; cut when the thread is given up, so that a thread that ends
// late never calls into a job or host that may be gone.
class WorkerSlot::WakeLine {
 public:
  explicit WakeLine(std::function<void()> wake) : wake_(std::move(wake)) {}

  // Worker thread.
  void ring() {
    std::lock_guard lock(mutex_);
    if (wake_) wake_();
  }
  // Host thread. Returns after a wake-up in progress has ended.
  void cut() {
    std::lock_guard lock(mutex_);
    wake_ = nullptr;
  }

 private:
  std::mutex mutex_;
  std::function<void()> wake_;
};

WorkerSlot::WorkerSlot(std::function<void()> wake) : wake_(std::move(wake)) {}

WorkerSlot::~WorkerSlot() { stop(); }

void WorkerSlot::start(Procedure procedure, std::shared_ptr<JobRecord> record) {
  record_ = record;
  line_ = std::make_shared<WakeLine>(wake_);
  thread_ = std::thread([procedure, record = std::move(record), line = line_] {
    procedure(record);
    line->ring();
  });
}

void WorkerSlot::finish() {
  if (thread_.joinable()) thread_.join();
  record_.reset();
  line_.reset();
}

bool WorkerSlot::stop(std::chrono::milliseconds patience) {
  if (!running()) return true;
  record_->stopEvent.set();
  if (record_->doneEvent.wait(patience)) {
    finish();
    return true;
  }
  record_->gate.close();
  line_->cut();
  thread_.detach();
  record_.reset();
  line_.reset();
  return false;
}

}  // namespace murlo
