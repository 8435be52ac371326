// ItemLine: the worker thread of a job and the one queue of the items handed to it.
//
// The thread takes one item after the other, in the order they were handed over, each as
// soon as the one before has ended. Once an item's answer has come whole, the thread sends
// the first request of the item waiting next while it saves the file, so the server answers
// meanwhile; one transfer is still on the wire at a time. What it keeps from one item to the
// next (that request, the overwrite or rename choice) stays on the thread.
//
// The thread keeps this object alive itself, so a thread that was given up (and detached)
// still has it while it ends. Host thread unless a method says otherwise.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "net/worker-threads.h"

namespace murlo {

struct JobRecord;
class RemoteFile;

class ItemLine : public std::enable_shared_from_this<ItemLine> {
 public:
  // The wake-up is rung after an item only while at most this many items wait: a host that
  // handed more ahead is woken once per several items, and finishes them together.
  static constexpr std::size_t kWakeWhenWaiting = 2;

  // `wake` runs on the worker thread after an item has ended (see kWakeWhenWaiting); each
  // item is run by `procedure`.
  explicit ItemLine(std::function<void()> wake, ItemProcedure procedure = &runItem);
  ~ItemLine();
  ItemLine(const ItemLine&) = delete;
  ItemLine& operator=(const ItemLine&) = delete;

  // Starts the thread.
  void launch();
  // Hands an item to the thread; it runs after the items handed over before it.
  void post(std::shared_ptr<JobRecord> record);
  // The items handed over and not yet finished, oldest first.
  std::vector<std::shared_ptr<JobRecord>> handed() const;
  // Once the oldest item handed over has ended: waits for the thread to finish that item's
  // last steps (the wake-up) and forgets it. False when no item is left.
  bool finishOldest();
  // Takes back up to `most` of the items handed over last that have not begun; returns how
  // many.
  std::size_t withdraw(std::size_t most);
  // Takes back the item of `record` if it has not begun; false when it has.
  bool withdraw(const std::shared_ptr<JobRecord>& record);
  // Cuts the wake-up (returning after one in progress) and lets the thread end after its
  // item, on its own.
  void giveUp();
  // Ends the idle thread.
  void shutDown();

 private:
  // Worker thread.
  void loop();
  // Worker thread, from the running item once its answer has come whole: sends the first
  // request of the item waiting next, with the running item's movement word.
  void sendNextAhead(int movement);
  // Worker thread: the request sent ahead for an item that was taken back is ended here, on
  // the thread whose transfers share its connection cache.
  void dropSentAhead();

  std::thread thread_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> wake_;
  const ItemProcedure procedure_;
  // Every item handed over and not finished: the first `begun_` were taken by the thread,
  // the rest wait.
  std::deque<std::shared_ptr<JobRecord>> items_;
  std::size_t begun_ = 0;
  // Items the thread has ended and the host has not finished yet.
  std::size_t ended_ = 0;
  bool quit_ = false;
  // Worker thread only: the movement word carried from item to item, and the waiting item
  // whose first request was sent ahead, with that request.
  std::optional<int> movement_;
  std::shared_ptr<JobRecord> sentAheadFor_;
  std::unique_ptr<RemoteFile> sentAhead_;
};

}  // namespace murlo
