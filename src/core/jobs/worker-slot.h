// WorkerSlot: the one worker thread a job runs at a time, with the stop wait and the
// give-up of a thread that does not answer it.
//
// Used on the host's thread only. The worker thread itself calls nothing here: it runs its
// procedure on its record and then rings the job's wake-up, unless the job gave it up.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace murlo {

struct JobRecord;

class WorkerSlot {
 public:
  using Procedure = void (*)(std::shared_ptr<JobRecord>);

  // How long stop() waits for the thread before giving it up.
  static constexpr std::chrono::milliseconds kStopPatience{2000};

  // `wake` runs on the worker thread after its procedure has ended.
  explicit WorkerSlot(std::function<void()> wake);
  // Stops a thread that still runs, as stop() does.
  ~WorkerSlot();
  WorkerSlot(const WorkerSlot&) = delete;
  WorkerSlot& operator=(const WorkerSlot&) = delete;

  bool running() const { return thread_.joinable(); }
  void start(Procedure procedure, std::shared_ptr<JobRecord> record);
  // After the record's done event was seen: lets the thread finish its last steps (the
  // wake-up) and forgets it.
  void finish();
  // Sets the stop event and waits up to `patience` for the done event. True when the
  // thread answered in time or none ran. Otherwise the thread is given up: its record's
  // write gate is closed, so it can no longer touch a file, its wake-up is cut off, and it
  // ends on its own, keeping its record alive until then.
  bool stop(std::chrono::milliseconds patience = kStopPatience);

 private:
  class WakeLine;

  std::function<void()> wake_;
  std::thread thread_;
  std::shared_ptr<JobRecord> record_;
  std::shared_ptr<WakeLine> line_;
};

}  // namespace murlo
