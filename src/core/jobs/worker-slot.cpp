#include "jobs/worker-slot.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "net/job-record.h"
#include "net/remote-file.h"

namespace murlo {

// The thread and the items waiting for it. The thread keeps this object alive itself, so a
// thread that was given up (and detached) still has it while it ends.
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
      waiting_.push_back({procedure, std::move(record)});
    }
    changed_.notify_all();
  }
  // Returns once `count` items have ended with all their steps, the wake-up included.
  void waitEnded(std::uint64_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this, count] { return ended_ >= count; });
  }
  std::size_t withdraw(std::size_t most) {
    std::lock_guard lock(mutex_);
    const std::size_t count = std::min(most, waiting_.size());
    waiting_.resize(waiting_.size() - count);
    return count;
  }
  bool withdraw(const std::shared_ptr<JobRecord>& record) {
    std::lock_guard lock(mutex_);
    const auto it = std::find_if(waiting_.begin(), waiting_.end(),
                                 [&record](const Item& item) { return item.record == record; });
    if (it == waiting_.end()) return false;
    waiting_.erase(it);
    return true;
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
  struct Item {
    Procedure procedure;
    std::shared_ptr<JobRecord> record;
  };

  // Worker thread.
  void loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return quit_ || !waiting_.empty(); });
      if (quit_) break;
      Item item = std::move(waiting_.front());
      waiting_.pop_front();
      // An overwrite-all or rename-all answer of one item holds for the next.
      if (last_) item.record->movement = last_->movement.load();
      lock.unlock();
      if (sentAheadFor_ != item.record) dropSentAhead();
      sentAheadFor_.reset();
      item.record->lineFree = [this] { sendNextAhead(); };
      item.procedure(item.record);
      item.record->lineFree = nullptr;
      item.record->sentRequest.reset();
      lock.lock();
      last_ = std::move(item.record);
      // The wake-up is rung under the lock, so giveUp() never returns while it runs.
      if (wake_ && waiting_.size() <= kWakeWhenWaiting) wake_();
      ++ended_;
      changed_.notify_all();
    }
    lock.unlock();
    dropSentAhead();
  }

  // Worker thread, from the running item's lineFree.
  void sendNextAhead() {
    Item next;
    {
      std::lock_guard lock(mutex_);
      if (quit_ || waiting_.empty()) return;
      next = waiting_.front();
    }
    sendFirstRequestAhead(next.procedure, *next.record);
    sentAheadFor_ = std::move(next.record);
  }

  // Worker thread: the request sent ahead for an item that was taken back is ended here,
  // on the thread whose transfers share its connection cache.
  void dropSentAhead() {
    if (sentAheadFor_) sentAheadFor_->sentRequest.reset();
    sentAheadFor_.reset();
  }

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> wake_;
  std::deque<Item> waiting_;
  std::shared_ptr<JobRecord> last_;
  // Worker thread only: the waiting item whose first request was sent ahead.
  std::shared_ptr<JobRecord> sentAheadFor_;
  std::uint64_t ended_ = 0;
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
    finished_ = 0;
  }
  records_.push_back(record);
  worker_->post(procedure, std::move(record));
}

void WorkerSlot::finish() {
  if (records_.empty()) return;
  worker_->waitEnded(++finished_);
  records_.pop_front();
}

std::size_t WorkerSlot::withdraw(std::size_t most) {
  if (records_.empty()) return 0;
  const std::size_t count = worker_->withdraw(most);
  records_.resize(records_.size() - count);
  return count;
}

bool WorkerSlot::withdraw(const std::shared_ptr<JobRecord>& record) {
  if (!worker_ || !worker_->withdraw(record)) return false;
  records_.erase(std::find(records_.begin(), records_.end(), record));
  return true;
}

bool WorkerSlot::stop(std::chrono::milliseconds patience) {
  withdraw(records_.size());
  if (records_.empty()) return true;
  for (const auto& record : records_) record->stopEvent.set();
  // The items run one after the other: the last one ending means all have.
  if (records_.back()->doneEvent.wait(patience)) {
    while (!records_.empty()) finish();
    return true;
  }
  for (const auto& record : records_) record->gate.close();
  worker_->giveUp();
  worker_.reset();
  records_.clear();
  return false;
}

}  // namespace murlo
