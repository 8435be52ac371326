#include "jobs/worker-slot.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include "net/job-record.h"

namespace murlo {

// The thread and the one item it is given at a time. The thread keeps this object alive
// itself, so a thread that was given up (and detached) still has it while it ends.
class WorkerSlot::Worker : public std::enable_shared_from_this<Worker> {
 public:
  explicit Worker(std::function<void()> wake) : wake_(std::move(wake)) {}

  // Host thread.
  void launch() {
    thread_ = std::thread([self = shared_from_this()] { self->loop(); });
  }
  void post(Procedure procedure, std::shared_ptr<JobRecord> record) {
    {
      std::lock_guard lock(mutex_);
      procedure_ = procedure;
      record_ = std::move(record);
      busy_ = true;
    }
    changed_.notify_all();
  }
  // Returns once the item's last steps, the wake-up included, are done.
  void waitIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
  }
  // Cuts the wake-up (returning after one in progress) and lets the thread end after its
  // item, on its own.
  void giveUp() {
    {
      std::lock_guard lock(mutex_);
      wake_ = nullptr;
      quit_ = true;
    }
    changed_.notify_all();
    thread_.detach();
  }
  // Ends the idle thread.
  void shutDown() {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

 private:
  // Worker thread.
  void loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return quit_ || procedure_ != nullptr; });
      if (procedure_ == nullptr) return;
      const Procedure procedure = procedure_;
      std::shared_ptr<JobRecord> record = std::move(record_);
      procedure_ = nullptr;
      lock.unlock();
      procedure(std::move(record));
      lock.lock();
      // The wake-up is rung under the lock, so giveUp() never returns while it runs.
      if (wake_) wake_();
      busy_ = false;
      changed_.notify_all();
      if (quit_) return;
    }
  }

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> wake_;
  Procedure procedure_ = nullptr;
  std::shared_ptr<JobRecord> record_;
  bool busy_ = false;
  bool quit_ = false;
};

WorkerSlot::WorkerSlot(std::function<void()> wake) : wake_(std::move(wake)) {}

WorkerSlot::~WorkerSlot() {
  stop();
  if (worker_) worker_->shutDown();
}

void WorkerSlot::start(Procedure procedure, std::shared_ptr<JobRecord> record) {
  if (!worker_) {
    worker_ = std::make_shared<Worker>(wake_);
    worker_->launch();
  }
  record_ = record;
  running_ = true;
  worker_->post(procedure, std::move(record));
}

void WorkerSlot::finish() {
  if (running_) worker_->waitIdle();
  record_.reset();
  running_ = false;
}

bool WorkerSlot::stop(std::chrono::milliseconds patience) {
  if (!running_) return true;
  record_->stopEvent.set();
  if (record_->doneEvent.wait(patience)) {
    finish();
    return true;
  }
  record_->gate.close();
  worker_->giveUp();
  worker_.reset();
  record_.reset();
  running_ = false;
  return false;
}

}  // namespace murlo
