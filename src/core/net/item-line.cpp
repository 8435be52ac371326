#include "net/item-line.h"

#include <algorithm>

#include "net/job-record.h"
#include "net/remote-file.h"

namespace murlo {

ItemLine::ItemLine(std::function<void()> wake, ItemProcedure procedure)
    : wake_(std::move(wake)), procedure_(procedure) {}

ItemLine::~ItemLine() = default;

void ItemLine::launch() {
  thread_ = std::thread([self = shared_from_this()] { self->loop(); });
}

void ItemLine::post(std::shared_ptr<JobRecord> record) {
  {
    std::lock_guard lock(mutex_);
    items_.push_back(std::move(record));
  }
  changed_.notify_all();
}

std::vector<std::shared_ptr<JobRecord>> ItemLine::handed() const {
  std::lock_guard lock(mutex_);
  return {items_.begin(), items_.end()};
}

bool ItemLine::finishOldest() {
  std::unique_lock lock(mutex_);
  if (items_.empty()) return false;
  changed_.wait(lock, [this] { return ended_ > 0; });
  items_.pop_front();
  --begun_;
  --ended_;
  return true;
}

std::size_t ItemLine::withdraw(std::size_t most) {
  std::lock_guard lock(mutex_);
  const std::size_t count = std::min(most, items_.size() - begun_);
  items_.resize(items_.size() - count);
  return count;
}

bool ItemLine::withdraw(const std::shared_ptr<JobRecord>& record) {
  std::lock_guard lock(mutex_);
  const auto waiting = items_.begin() + static_cast<std::ptrdiff_t>(begun_);
  const auto it = std::find(waiting, items_.end(), record);
  if (it == items_.end()) return false;
  items_.erase(it);
  return true;
}

void ItemLine::giveUp() {
  {
    std::lock_guard lock(mutex_);
    wake_ = nullptr;
    quit_ = true;
  }
  changed_.notify_all();
  thread_.detach();
}

void ItemLine::shutDown() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void ItemLine::loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || begun_ < items_.size(); });
    if (quit_) break;
    const std::shared_ptr<JobRecord> record = items_[begun_++];
    lock.unlock();
    ItemRun run;
    run.movement = movement_.value_or(record->movement);
    run.lineFree = [this](int movement) { sendNextAhead(movement); };
    if (sentAheadFor_ == record) run.sentRequest = std::move(sentAhead_);
    dropSentAhead();
    procedure_(*record, run);
    // An overwrite-all or rename-all answer of one item holds for the next.
    movement_ = run.movement;
    lock.lock();
    // The wake-up is rung under the lock, so giveUp() never returns while it runs.
    if (wake_ && items_.size() - begun_ <= kWakeWhenWaiting) wake_();
    ++ended_;
    changed_.notify_all();
  }
  lock.unlock();
  dropSentAhead();
}

void ItemLine::sendNextAhead(int movement) {
  std::shared_ptr<JobRecord> next;
  {
    std::lock_guard lock(mutex_);
    if (quit_ || begun_ >= items_.size()) return;
    next = items_[begun_];
  }
  dropSentAhead();
  sentAhead_ = sendFirstRequestAhead(*next, movement);
  if (sentAhead_) sentAheadFor_ = std::move(next);
}

void ItemLine::dropSentAhead() {
  sentAhead_.reset();
  sentAheadFor_.reset();
}

}  // namespace murlo
