// WorkerSlot: the one worker thread a job runs its items on, with the stop wait and the
// give-up of a thread that does not answer it.
//
// The thread lives as long as the job and takes one item after the other, so an item costs
// no thread start. Items may be handed to it ahead of time: it runs them in the order they
// were given, each as soon as the one before has ended, so the next transfer does not wait
// for the host to look at the last one. Once an item's answer has come whole, the thread
// sends the first request of the item waiting next while it saves the file, so the server
// answers meanwhile; one transfer is still on the wire at a time. Used on the host's thread
// only; the worker thread itself calls nothing here: it runs each procedure on its record
// and then rings the job's wake-up, unless the job gave it up.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

#include "net/worker-threads.h"

namespace murlo {

struct JobRecord;

class WorkerSlot {
 public:
  using Procedure = WorkerProcedure;

  // How long stop() waits for the thread before giving it up.
  static constexpr std::chrono::milliseconds kStopPatience{2000};

  // The wake-up is rung after an item only while at most this many items wait: a host that
  // handed more ahead is woken once per several items, and finishes them together.
  static constexpr std::size_t kWakeWhenWaiting = 2;

  // `wake` runs on the worker thread after a procedure has ended (see kWakeWhenWaiting).
  explicit WorkerSlot(std::function<void()> wake);
  // Stops the items that still run or wait, as stop() does, and ends the thread.
  ~WorkerSlot();
  WorkerSlot(const WorkerSlot&) = delete;
  WorkerSlot& operator=(const WorkerSlot&) = delete;

  // Whether an item was handed over and not yet finished or given up.
  bool running() const { return !records_.empty(); }
  // Hands an item to the thread (started on first use, or anew after a give-up); it runs
  // after the items handed over before it. The thread gives each item the movement word the
  // item before it ended with.
  void start(Procedure procedure, std::shared_ptr<JobRecord> record);
  // After the done event of the oldest item handed over was seen: waits for the thread to
  // finish that item's last steps (the wake-up) and forgets it.
  void finish();
  // Takes back up to `most` of the items handed over last that have not begun; returns how
  // many.
  std::size_t withdraw(std::size_t most);
  // Takes back the item of `record` if it has not begun; false when it has.
  bool withdraw(const std::shared_ptr<JobRecord>& record);
  // Takes back the items that have not begun, sets the stop event of the others and waits
  // up to `patience` for their done events. True when the thread answered in time or no
  // item ran. Otherwise the thread is given up: its records' write gates are closed, so it
  // can no longer touch a file, its wake-up is cut off, and it ends on its own after its
  // item, keeping the record alive until then.
  bool stop(std::chrono::milliseconds patience = kStopPatience);

 private:
  class Worker;

  std::function<void()> wake_;
  std::shared_ptr<Worker> worker_;
  // The items handed over and not finished, oldest first.
  std::deque<std::shared_ptr<JobRecord>> records_;
  // How many items of the current thread this side has finished.
  std::uint64_t finished_ = 0;
};

}  // namespace murlo
