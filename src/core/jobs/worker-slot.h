// WorkerSlot: the one worker thread a job runs its items on, with the stop wait and the
// give-up of a thread that does not answer it.
//
// The thread lives as long as the job and takes one item after the other, so an item costs
// no thread start. Used on the host's thread only; the worker thread itself calls nothing
// here: it runs its procedure on its record and then rings the job's wake-up, unless the
// job gave it up.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace murlo {

struct JobRecord;

class WorkerSlot {
 public:
  using Procedure = void (*)(std::shared_ptr<JobRecord>);

  // How long stop() waits for the thread before giving it up.
  static constexpr std::chrono::milliseconds kStopPatience{2000};

  // `wake` runs on the worker thread after each procedure has ended.
  explicit WorkerSlot(std::function<void()> wake);
  // Stops an item that still runs, as stop() does, and ends the thread.
  ~WorkerSlot();
  WorkerSlot(const WorkerSlot&) = delete;
  WorkerSlot& operator=(const WorkerSlot&) = delete;

  // Whether an item was started and not yet finished or given up.
  bool running() const { return running_; }
  // Hands the item to the thread (started on first use, or anew after a give-up).
  void start(Procedure procedure, std::shared_ptr<JobRecord> record);
  // After the record's done event was seen: waits for the thread to finish its last steps
  // (the wake-up) and forgets the item.
  void finish();
  // Sets the stop event and waits up to `patience` for the done event. True when the
  // thread answered in time or no item ran. Otherwise the thread is given up: its record's
  // write gate is closed, so it can no longer touch a file, its wake-up is cut off, and it
  // ends on its own after that item, keeping its record alive until then.
  bool stop(std::chrono::milliseconds patience = kStopPatience);

 private:
  class Worker;

  std::function<void()> wake_;
  std::shared_ptr<Worker> worker_;
  std::shared_ptr<JobRecord> record_;
  bool running_ = false;
};

}  // namespace murlo
