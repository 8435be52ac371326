// WorkerSlot: the worker thread a job runs its items on (an ItemLine, item-line.h), with the
// stop wait and the give-up of a thread that does not answer it.
//
// The thread lives as long as the job and takes one item after the other, so an item costs
// no thread start. Items may be handed to it ahead of time: it runs them in the order they
// were given, each as soon as the one before has ended, so the next transfer does not wait
// for the host to look at the last one. Used on the host's thread only.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

#include "jobs/job-host.h"
#include "net/item-line.h"

namespace murlo {

struct JobRecord;

class WorkerSlot {
 public:
  // `wake` runs on the worker thread after an item has ended (ItemLine::kWakeWhenWaiting);
  // stop() waits `stopPatience` for the thread; `procedure` runs each item.
  explicit WorkerSlot(std::function<void()> wake,
                      std::chrono::milliseconds stopPatience = kStopPatience,
                      ItemProcedure procedure = &runItem);
  // Stops the items that still run or wait, as stop() does, and ends the thread.
  ~WorkerSlot();
  WorkerSlot(const WorkerSlot&) = delete;
  WorkerSlot& operator=(const WorkerSlot&) = delete;

  // Whether an item was handed over and not yet finished or given up.
  bool running() const { return handed_ > 0; }
  // Hands an item to the thread (started on first use, or anew after a give-up); it runs
  // after the items handed over before it, as its request's kind asks. The thread gives each
  // item the movement word the item before it ended with.
  void start(std::shared_ptr<JobRecord> record);
  // After the done event of the oldest item handed over was seen: waits for the thread to
  // finish that item's last steps (the wake-up) and forgets it.
  void finish();
  // Takes back up to `most` of the items handed over last that have not begun; returns how
  // many.
  std::size_t withdraw(std::size_t most);
  // Takes back the item of `record` if it has not begun; false when it has.
  bool withdraw(const std::shared_ptr<JobRecord>& record);
  // Takes back the items that have not begun, sets the stop event of the others and waits
  // up to the stop patience for their done events. True when the thread answered in time or
  // no item ran. Otherwise the thread is given up: its records' write gates are closed, so
  // it can no longer touch a file, its wake-up is cut off, and it ends on its own after its
  // item, keeping the record alive until then.
  bool stop();

 private:
  std::function<void()> wake_;
  std::chrono::milliseconds stopPatience_;
  ItemProcedure procedure_;
  std::shared_ptr<ItemLine> line_;
  // How many items were handed over and not finished, withdrawn or given up.
  std::size_t handed_ = 0;
};

}  // namespace murlo
