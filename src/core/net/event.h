// An auto-reset event: set() wakes one waiter, and a successful wait resets the event.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace murlo {

class Event {
 public:
  Event() = default;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void set();
  void reset();
  // Waits up to `timeout` for the event; true when it was set (it is then reset again).
  bool wait(std::chrono::milliseconds timeout);
  // The zero-time wait: true and reset when the event was set, false at once otherwise.
  bool tryWait() {
    // A plain load first: the once-per-buffer test of an unset event costs no locked write.
    return signaled_.load(std::memory_order_acquire) &&
           signaled_.exchange(false, std::memory_order_acq_rel);
  }
  // Looks at the event without resetting it.
  bool isSet() const { return signaled_.load(std::memory_order_acquire); }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  // Also read without the mutex, so the once-per-buffer test costs no lock.
  std::atomic<bool> signaled_{false};
};

}  // namespace murlo
