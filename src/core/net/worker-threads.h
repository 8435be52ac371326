// Running one item on a worker thread. runItem creates an Internet worker for the item's
// kind, steps it through session, address split, request, status check and work step,
// stores the result in the record's outcome, destroys the worker and sets the done event
// last: once the done event is seen, nothing of the item's worker (handles, files, the
// shared connection cache) is in use.
//
// A stop request (the record's stop event) is looked at after every step and once per
// transfer buffer; it ends the item with ItemResult::kUserDenied.
#pragma once

#include <functional>
#include <memory>

namespace murlo {

class RemoteFile;
struct JobRecord;
enum class ItemKind;

// What the worker thread holds for the item it runs, besides the record: job control never
// sees it.
struct ItemRun {
  // The movement word the item runs with: the request's, or what the item before it on the
  // thread ended with. The worker sets the overwrite or the automatic-rename bit in it when
  // the user answers "all".
  int movement = 0;
  // Called once the item's answer has come whole and it sends no further request, with the
  // item's movement word: the line it runs on sends the next item's first request then.
  // None for an item run on its own.
  std::function<void(int movement)> lineFree;
  // The item's first request, sent while the item before it was saving its file; the worker
  // takes it instead of sending the same request again.
  std::unique_ptr<RemoteFile> sentRequest;
};

// Runs the record's item on the calling thread, as its kind asks.
void runItem(JobRecord& record, ItemRun& run);
// What a line runs each item with: runItem, or a stand-in of a test.
using ItemProcedure = void (*)(JobRecord& record, ItemRun& run);
// Runs one item of `kind` on its own on the calling thread, with the movement word of its
// request: the item properties query, a benchmark, a test.
void runItem(ItemKind kind, JobRecord& record);

// Sends the first request the item of `record` would send, when it starts with a plain
// HTTP request (a page, a download, a JPEG-only address ending in "jpg"), and returns it.
// Nothing for the others, and when the request cannot be made: the item then meets that
// failure itself when it runs. Worker thread, while the item before it is saved.
std::unique_ptr<RemoteFile> sendFirstRequestAhead(JobRecord& record, int movement);

}  // namespace murlo
