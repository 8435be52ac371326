// The gate every local file write of one item passes through. Job control closes it when it
// gives up a thread that did not answer the stop request in time; from then on that thread
// can create, write or rename nothing, so it never touches a file of a later item.
#pragma once

#include <mutex>

namespace murlo {

class WriteGate {
 public:
  // Runs `write` unless the gate is closed; false when it was closed. Called by the worker.
  template <typename Write>
  bool pass(Write&& write) {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    write();
    return true;
  }

  // Called by job control. Returns after any write in progress has finished.
  void close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }

  bool isClosed() {
    std::lock_guard lock(mutex_);
    return closed_;
  }

 private:
  std::mutex mutex_;
  bool closed_ = false;
};

}  // namespace murlo
