// The gate every local file write of one item passes through. Job control closes it when it
// gives up a thread that did not answer the stop request in time; from then on that thread
// starts no new system call that creates, writes or renames a file, so it never touches a
// file of a later item.
//
// The gate holds no lock while a write runs: a write can block (a FIFO, a stalled network
// mount), and the closer, on the user-interface thread, must never wait for it. A write that
// was already under way when the gate closed may still finish; the partial file it goes to
// is locked by its writer (LocalFile), so no later item can write into it meanwhile.
#pragma once

#include <atomic>

namespace murlo {

class WriteGate {
 public:
  // Runs `write` unless the gate is closed; false when it was closed. Called by the worker.
  template <typename Write>
  bool pass(Write&& write) {
    if (closed_.load(std::memory_order_acquire)) return false;
    write();
    return true;
  }

  // Called by job control; returns at once.
  void close() { closed_.store(true, std::memory_order_release); }

  bool isClosed() const { return closed_.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> closed_{false};
};

}  // namespace murlo
