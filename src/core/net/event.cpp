#include "net/event.h"

namespace murlo {

void Event::set() {
  {
    std::lock_guard lock(mutex_);
    signaled_.store(true, std::memory_order_release);
  }
  changed_.notify_one();
}

void Event::reset() {
  std::lock_guard lock(mutex_);
  signaled_.store(false, std::memory_order_release);
}

bool Event::wait(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  if (!changed_.wait_for(lock, timeout, [this] { return signaled_.load(); })) return false;
  signaled_.store(false, std::memory_order_release);
  return true;
}

}  // namespace murlo
