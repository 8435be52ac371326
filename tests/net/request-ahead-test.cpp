// The next item's request, sent while the item before it saves its file: sent once, over
// the same connection, and dropped on the worker thread when that item is taken back.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <set>

#include "http-test-server.h"
#include "jobs/worker-slot.h"
#include "net-test.h"
#include "net/connection-share.h"
#include "net/job-record.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "wait-for.h"

namespace murlo::test {
namespace {

using namespace std::chrono_literals;

// What the wrapped download below saw when its line became free.
std::function<bool()> gNextRequested;
bool gNextRequestedWhileSaving = false;
bool gHoldUntilStopped = false;

// Runs the items of the slot. The download of a.htm, once its answer is whole and the next
// request went out, notes whether the server saw that request while this file was still
// partial; it may then hold the item until it is stopped.
void downloadWatchingTheLine(JobRecord& record, ItemRun& run) {
  if (record.fileName == "a.htm") {
    run.lineFree = [&record, free = std::move(run.lineFree)](int movement) {
      free(movement);
      gNextRequestedWhileSaving = !record.partialPath.get().empty() && waitFor(gNextRequested, 5s);
      // The stop is left set for the download to see.
      if (gHoldUntilStopped && record.stopEvent.wait(5000ms)) record.stopEvent.set();
    };
  }
  runItem(record, run);
}

class RequestAheadTest : public NetTest {
 protected:
  RequestAheadTest() {
    server_.routes().Get(R"(/\w+\.htm)",
                         [this](const httplib::Request& request, httplib::Response& response) {
                           // The first page waits until the test has handed over every item.
                           if (request.path == "/a.htm") waitFor([this] { return go_.load(); }, 5s);
                           {
                             std::lock_guard lock(mutex_);
                             ++requests_[request.path];
                             ranges_[request.path] = request.get_header_value("Range");
                             clientPorts_.insert(request.remote_port);
                           }
                           // Dated and not compressed, so that a partial file can be continued.
                           response.set_header("Last-Modified", "Tue, 14 Nov 2023 22:13:20 GMT");
                           response.set_content("page " + request.path, "application/octet-stream");
                         });
    server_.start();
    gNextRequestedWhileSaving = false;
  }

  std::shared_ptr<JobRecord> item(const std::string& name) {
    auto record = makeJob(server_.url("/" + name), name);
    record->connections = share_;
    return record;
  }
  // Hands the slot the watched download of a.htm and then `next`, and lets a.htm be answered.
  std::shared_ptr<JobRecord> startWatchedThen(WorkerSlot& slot,
                                              const std::shared_ptr<JobRecord>& next,
                                              bool holdUntilStopped) {
    const std::string nextPath = "/" + next->fileName;
    gNextRequested = [this, nextPath] { return requests(nextPath) > 0; };
    gHoldUntilStopped = holdUntilStopped;
    auto first = item("a.htm");
    slot.start(first);
    slot.start(next);
    go_ = true;
    return first;
  }
  int requests(const std::string& path) {
    std::lock_guard lock(mutex_);
    return requests_[path];
  }
  std::string range(const std::string& path) {
    std::lock_guard lock(mutex_);
    return ranges_[path];
  }
  std::size_t connections() {
    std::lock_guard lock(mutex_);
    return clientPorts_.size();
  }

  HttpTestServer server_;
  std::shared_ptr<ConnectionShare> share_ = std::make_shared<ConnectionShare>();
  std::atomic<bool> go_{false};
  std::mutex mutex_;
  std::map<std::string, int> requests_;
  std::map<std::string, std::string> ranges_;
  std::set<int> clientPorts_;
};

TEST_F(RequestAheadTest, TheNextRequestGoesOutWhileAFileIsSavedAndIsNotSentAgain) {
  auto second = item("b.htm");
  std::shared_ptr<JobRecord> first;
  {
    WorkerSlot slot([] {}, kStopPatience, downloadWatchingTheLine);
    first = startWatchedThen(slot, second, false);
    ASSERT_TRUE(second->doneEvent.wait(10000ms));
    slot.finish();
    slot.finish();
  }
  EXPECT_TRUE(gNextRequestedWhileSaving);
  EXPECT_EQ(first->result, ItemResult::kSucceed);
  EXPECT_EQ(second->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("a.htm"), "page /a.htm");
  EXPECT_EQ(saved("b.htm"), "page /b.htm");
  EXPECT_EQ(requests("/b.htm"), 1);
  EXPECT_EQ(connections(), 1u);
}

// The request sent ahead is the one the item needs: ranged when a partial file waits for it.
TEST_F(RequestAheadTest, TheRequestSentAheadAsksForTheRestOfAPartialFile) {
  auto second = item("b.htm");
  writeWithTime(partialFile("b.htm", second->url), "page", 1700000000);
  {
    WorkerSlot slot([] {}, kStopPatience, downloadWatchingTheLine);
    startWatchedThen(slot, second, false);
    ASSERT_TRUE(second->doneEvent.wait(10000ms));
    slot.finish();
    slot.finish();
  }
  EXPECT_TRUE(gNextRequestedWhileSaving);
  EXPECT_EQ(second->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("b.htm"), "page /b.htm");
  EXPECT_EQ(requests("/b.htm"), 1);
  EXPECT_EQ(range("/b.htm"), "bytes=4-");
}

TEST_F(RequestAheadTest, AnItemTakenBackAfterItsRequestWentOutNeverRunsAndTheNextOneDoes) {
  auto takenBack = item("c.htm");
  auto later = item("d.htm");
  WorkerSlot slot([] {}, kStopPatience, downloadWatchingTheLine);
  startWatchedThen(slot, takenBack, true);
  ASSERT_TRUE(waitFor([this] { return requests("/c.htm") > 0; }));
  EXPECT_EQ(slot.withdraw(1), 1u);
  EXPECT_TRUE(slot.stop());
  // The thread drops the answer that was never read before it goes on with the next item.
  slot.start(later);
  ASSERT_TRUE(later->doneEvent.wait(10000ms));
  slot.finish();
  EXPECT_EQ(later->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("d.htm"), "page /d.htm");
  EXPECT_FALSE(isSaved("c.htm"));
  EXPECT_FALSE(takenBack->doneEvent.tryWait());
  EXPECT_EQ(requests("/c.htm"), 1);
}

}  // namespace
}  // namespace murlo::test
