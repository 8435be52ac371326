// DownloadJob against a loopback HTTP server (and pyftpdlib for FTP rows).
#include "jobs/download-job.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <thread>

#include "ftp-test-server.h"
#include "items/item-info.h"
#include "job-test.h"
#include "jobs/progress-figures.h"
#include "jobs/worker-slot.h"
#include "jobs/write-output.h"
#include "net/job-record.h"
#include "net/partial-file.h"
#include "net/result-codes.h"
#include "net/save-path.h"
#include "text/cp932.h"
#include "wait-for.h"

namespace murlo::test {
namespace {

using namespace std::chrono_literals;

const std::string kDone = "\x8A\xAE\x97\xB9";  // 完了 in CP932

class DownloadJobTest : public JobTest {
 protected:
  // Serves `body` at /slow.bin, slowly while `slow` is set, adds its row, starts its
  // download and suspends it once the first 2 KB have come.
  void suspendASlowDownload(const std::string& body,
                            const std::shared_ptr<std::atomic<bool>>& slow);
};

TEST_F(DownloadJobTest, DownloadsEveryRowInOrderAndRemovesTheFinishedOnes) {
  serve("/a.bin", "AAA");
  serve("/b.bin", bytePattern(5000));
  serve("/dir/", "<html></html>", "text/html");
  server_.start();
  addRow(server_.url("/a.bin"));
  addRow(server_.url("/b.bin"));
  addRow(server_.url("/dir/"));
  DownloadJob job(host_, DownloadMode::kAll);
  ASSERT_TRUE(host_.runJob(job));

  EXPECT_EQ(saved("a.bin"), "AAA");
  EXPECT_TRUE(saved("b.bin") == bytePattern(5000));
  EXPECT_EQ(saved("index.htm"), "<html></html>");
  EXPECT_EQ(host_.list.count(), 0);
  EXPECT_EQ(requests(), (std::vector<std::string>{"/a.bin", "/b.bin", "/dir/"}));
  EXPECT_EQ(host_.outputCodes(),
            (std::vector<OutputEvent>{JobStart::kDownload, ItemResult::kSucceed,
                                      ItemResult::kSucceed, ItemResult::kSucceed}));
  EXPECT_EQ(host_.outputs[1].text, server_.url("/a.bin"));
  EXPECT_EQ(host_.outputs[3].text, server_.url("/dir/"));
  EXPECT_EQ(host_.titles, (std::vector<std::string>{"0/3 Finished", "1/3 Finished", "2/3 Finished",
                                                    "Murlo ver2.02"}));
  EXPECT_TRUE(host_.sounds.empty());
  EXPECT_EQ(job.doneCount(), 3);
  EXPECT_EQ(job.failedCount(), 0);
  // The items ran back to back on wake-ups, not one per 500 ms tick.
  EXPECT_GE(host_.totalWakes, 3);
}

// A partial file left alone is told in the output, on the line before the item's result.
TEST_F(DownloadJobTest, AnItemsNoticeIsWrittenBeforeItsResult) {
  serve("/a.bin", "AAA");
  server_.start();
  const std::string partial = partialPathFor(saveDir() + "a.bin", server_.url("/a.bin"));
  ASSERT_EQ(::symlink("elsewhere", partial.c_str()), 0);
  addRow(server_.url("/a.bin"));
  DownloadJob job(host_, DownloadMode::kAll);
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(saved("a.bin"), "AAA");
  EXPECT_EQ(host_.outputCodes(), (std::vector<OutputEvent>{JobStart::kDownload, JobNote::kNotice,
                                                           ItemResult::kSucceed}));
  EXPECT_EQ(host_.outputs[1].text.find(partial + " はﾘﾝｸか"), 0u) << host_.outputs[1].text;
}

TEST_F(DownloadJobTest, KeptRowsShowTheirFinalSizeAndFinishedImage) {
  serve("/a.bin", bytePattern(3000));
  server_.start();
  host_.settingsValue.exSet = exset::kKeepFinished;
  addRow(server_.url("/a.bin"));
  DownloadJob job(host_);
  ASSERT_TRUE(host_.runJob(job));
  ASSERT_EQ(host_.list.count(), 1);
  EXPECT_EQ(host_.list.row(0).image, kImageFinished);
  EXPECT_EQ(host_.list.text(0, kColInfo), "2 KB/ 2 KB  " + kDone + " : ");
  EXPECT_TRUE(isFinishedInfo(host_.list.text(0, kColInfo)));
}

TEST_F(DownloadJobTest, FailedItemsStayMarkedAndLeaveTheTotal) {
  serve("/a.bin", "AAA");
  server_.start();
  addRow(server_.url("/missing.bin"));
  addRow(server_.url("/a.bin"));
  // A row without a url fails without a thread.
  addRow(server_.url("/nourl.bin"));
  host_.list.setText(2, kColUrl, "");
  DownloadJob job(host_);
  ASSERT_TRUE(host_.runJob(job));

  EXPECT_EQ(names(), "missing.bin;nourl.bin;");
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(host_.list.row(row).image, kImageFailed);
    EXPECT_EQ(host_.list.text(row, kColInfo), "Error : ");
  }
  const std::vector<OutputEvent> codes = host_.outputCodes();
  ASSERT_EQ(codes.size(), 4u);
  EXPECT_NE(codes[1], OutputEvent(ItemResult::kSucceed));
  EXPECT_EQ(codes[2], OutputEvent(ItemResult::kSucceed));
  EXPECT_EQ(codes[3], OutputEvent(ItemResult::kNone));
  EXPECT_EQ(host_.sounds,
            (std::vector<CompletionSound>{CompletionSound::kError, CompletionSound::kError}));
  // 3 items, 2 failed: the total drops with each failure.
  EXPECT_EQ(host_.titles, (std::vector<std::string>{"0/3 Finished", "0/2 Finished", "1/2 Finished",
                                                    "Murlo ver2.02"}));
  EXPECT_EQ(job.doneCount(), 1);
  EXPECT_EQ(job.totalCount(), 1);
  EXPECT_EQ(job.failedCount(), 2);
}

TEST_F(DownloadJobTest, AnErrorLogThatCannotBeWrittenIsReportedAfterTheItemsResult) {
  server_.start();
  std::filesystem::create_symlink("/dev/full", sandbox_.path("Murlo.log"));
  host_.settingsValue.movement |= movement::kNoErrorMessages;
  addRow(server_.url("/missing.bin"));
  std::size_t messagesAtResult = 0;
  host_.onOutput = [&](const OutputEvent& code) {
    if (code != OutputEvent(JobStart::kDownload))
      messagesAtResult = host_.prompterValue.messages().size();
  };
  DownloadJob job(host_);
  ASSERT_TRUE(host_.runJob(job));
  ASSERT_EQ(host_.outputs.size(), 2u);
  EXPECT_EQ(messagesAtResult, 0u);
  EXPECT_EQ(
      host_.prompterValue.texts(),
      (std::vector<std::string>{"Murlo.log に書き込めませんでした (ﾃﾞｨｽｸに空きがありません)"}));
}

TEST_F(DownloadJobTest, SelectedModeTakesOnlySelectedRowsAndEndsQuietlyWithoutAny) {
  serve("/a.bin", "A");
  serve("/b.bin", "B");
  server_.start();
  addRow(server_.url("/a.bin"));
  addRow(server_.url("/b.bin"));

  DownloadJob none(host_, DownloadMode::kSelected);
  none.start();
  EXPECT_FALSE(none.timerTick());
  EXPECT_EQ(host_.outputCodes(), std::vector<OutputEvent>{JobStart::kDownload});
  EXPECT_TRUE(host_.sounds.empty());
  EXPECT_TRUE(requests().empty());
  EXPECT_EQ(names(), "a.bin;b.bin;");

  host_.list.setSelected(1, true);
  DownloadJob selected(host_, DownloadMode::kSelected);
  ASSERT_TRUE(host_.runJob(selected));
  EXPECT_EQ(requests(), std::vector<std::string>{"/b.bin"});
  EXPECT_EQ(names(), "a.bin;");
  EXPECT_EQ(host_.list.row(0).image, kImageWaiting);
}

TEST_F(DownloadJobTest, AResumeRowWithoutAColonFailsWithoutAThread) {
  serve("/a.bin", "A");
  server_.start();
  addRow(server_.url("/a.bin"));
  host_.list.setText(0, kColTag, "RESUME");
  host_.list.setText(0, kColInfo, "no path here");
  DownloadJob job(host_);
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_TRUE(requests().empty());
  EXPECT_TRUE(host_.prompterValue.messages().empty());
  EXPECT_EQ(host_.list.row(0).image, kImageFailed);
  EXPECT_EQ(host_.list.text(0, kColInfo), "Error : ");
  EXPECT_EQ(host_.outputCodes(),
            (std::vector<OutputEvent>{JobStart::kDownload, ItemResult::kNone}));
}

TEST_F(DownloadJobTest, AnFtpRowIsFetchedByTheFtpThreadAlone) {
  std::filesystem::create_directory(sandbox_.path("ftp"));
  sandbox_.write("ftp/f.bin", "FTP DATA");
  sandbox_.write("ftp/g.bin", "MORE FTP DATA");
  FtpTestServer ftp(sandbox_.path("ftp"));
  ASSERT_TRUE(ftp.running());
  server_.start();
  addRow(ftp.url("/f.bin"));
  // A "RESUME" FTP row continues its partial file over FTP, not as an HTTP resume.
  addRow(ftp.url("/g.bin"));
  const std::string partial = partialPathFor(saveDir() + "g.bin", ftp.url("/g.bin"));
  sandbox_.write("save/" + baseName(partial), "MORE ");
  struct stat remote {};
  ::stat(sandbox_.path("ftp/g.bin").c_str(), &remote);
  const struct timespec times[2] = {{remote.st_mtime, 0}, {remote.st_mtime, 0}};
  ::utimensat(AT_FDCWD, partial.c_str(), times, 0);
  host_.list.setText(1, kColTag, "RESUME");
  host_.list.setText(1, kColInfo, kInfoResumeEntryPrefix + partial);
  DownloadJob job(host_);
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(
      host_.outputCodes(),
      (std::vector<OutputEvent>{JobStart::kDownload, ItemResult::kSucceed, ItemResult::kSucceed}));
  EXPECT_EQ(saved("f.bin"), "FTP DATA");
  EXPECT_EQ(saved("g.bin"), "MORE FTP DATA");
  EXPECT_FALSE(sandbox_.exists("save/" + baseName(partial)));
  EXPECT_TRUE(requests().empty());
}

// Serves `body` with its length in 100-byte pieces, one every 20 ms while `slow` is set;
// Range requests get the rest from the asked offset.
void serveSlowly(HttpTestServer& server, const std::string& path, const std::string& body,
                 std::shared_ptr<std::atomic<bool>> slow) {
  server.routes().Get(path, [body, slow](const httplib::Request&, httplib::Response& response) {
    setDrippingBody(response, body, "application/octet-stream", slow, 100);
  });
}

// Starts the download of the one row and suspends it once the row shows the first 2 KB of
// its 97 received.
void suspendOnceTwoKilobytesCame(RecordingHost& host) {
  DownloadJob job(host);
  job.start();
  // The row's progress text counts the kilobytes received.
  ASSERT_TRUE(waitFor([&] {
    job.timerTick();
    return host.list.text(0, kColInfo).starts_with("2 KB/ 97 KB  ");
  }));
  EXPECT_TRUE(job.suspend());
  EXPECT_FALSE(job.timerTick());
}

void DownloadJobTest::suspendASlowDownload(const std::string& body,
                                           const std::shared_ptr<std::atomic<bool>>& slow) {
  serveSlowly(server_, "/slow.bin", body, slow);
  server_.start();
  addRow(server_.url("/slow.bin"));
  suspendOnceTwoKilobytesCame(host_);
}

TEST_F(DownloadJobTest, SuspendTagsTheRowResumeAndALaterJobCompletesTheFile) {
  const std::string body = bytePattern(100000);
  auto slow = std::make_shared<std::atomic<bool>>(true);
  suspendASlowDownload(body, slow);
  ASSERT_EQ(host_.list.count(), 1);
  const ItemRecord& row = host_.list.row(0);
  EXPECT_EQ(row.tag, "RESUME");
  EXPECT_EQ(row.image, kImageFinished);
  const std::string partialPath = partialPathFor(saveDir() + "slow.bin", server_.url("/slow.bin"));
  EXPECT_TRUE(row.info.ends_with(" : " + partialPath)) << row.info;
  EXPECT_NE(row.info.find(" KB/ 97 KB  " + kDone + " : "), std::string::npos) << row.info;
  EXPECT_FALSE(sandbox_.exists("save/slow.bin"));
  const std::size_t partial = readFile(partialPath).size();
  EXPECT_GE(partial, 2048u);
  EXPECT_LT(partial, body.size());
  EXPECT_EQ(host_.titles.back(), "Murlo ver2.02");

  *slow = false;
  DownloadJob again(host_);
  ASSERT_TRUE(host_.runJob(again));
  EXPECT_EQ(host_.outputCodes().back(), OutputEvent(ItemResult::kSucceed));
  EXPECT_EQ(host_.list.count(), 0);
  EXPECT_TRUE(readFile(saveDir() + "slow.bin") == body);
  EXPECT_FALSE(sandbox_.exists("save/slow0.bin"));
  EXPECT_FALSE(std::filesystem::exists(partialPath));
}

TEST_F(DownloadJobTest, ASuspendedRowNamingAPathThatCp932LacksIsUtf8Throughout) {
  const std::string folder = sandbox_.path("caf\xC3\xA9") + "/";  // no é in CP932
  std::filesystem::create_directory(folder);
  host_.settingsValue.path01 = folder;
  const std::string body = bytePattern(100000);
  auto slow = std::make_shared<std::atomic<bool>>(true);
  suspendASlowDownload(body, slow);
  const std::string partialPath = partialPathFor(folder + "slow.bin", server_.url("/slow.bin"));
  const std::string& info = host_.list.row(0).info;
  EXPECT_TRUE(isValidUtf8(info)) << info;
  EXPECT_TRUE(info.ends_with(" KB  完了 : " + partialPath)) << info;
  EXPECT_TRUE(isFinishedInfo(info));

  *slow = false;
  DownloadJob again(host_);
  ASSERT_TRUE(host_.runJob(again));
  EXPECT_EQ(host_.outputCodes().back(), OutputEvent(ItemResult::kSucceed));
  EXPECT_TRUE(readFile(folder + "slow.bin") == body);
}

TEST_F(DownloadJobTest, ASuspendWithTheNextRowOnTheWireFinishesTheEndedRowAndKeepsTheRest) {
  serve("/a.bin", "AAA");
  const std::string body = bytePattern(100000);
  serveSlowly(server_, "/b.bin", body, std::make_shared<std::atomic<bool>>(true));
  serve("/c.bin", "CCC");
  serve("/d.bin", "DDD");
  server_.start();
  for (const char* name : {"/a.bin", "/b.bin", "/c.bin", "/d.bin"}) addRow(server_.url(name));
  DownloadJob job(host_);
  job.start();
  // The thread goes on to the second row by itself; the host has not looked at the first.
  const std::string partial = partialPathFor(saveDir() + "b.bin", server_.url("/b.bin"));
  ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(partial); }));
  EXPECT_EQ(host_.outputCodes(), std::vector<OutputEvent>{JobStart::kDownload});
  EXPECT_TRUE(job.suspend());

  EXPECT_EQ(saved("a.bin"), "AAA");
  EXPECT_EQ(host_.outputCodes(),
            (std::vector<OutputEvent>{JobStart::kDownload, ItemResult::kSucceed}));
  ASSERT_EQ(host_.list.count(), 3);
  EXPECT_EQ(host_.list.text(0, kColTag), "RESUME");
  for (const int row : {1, 2}) {
    EXPECT_EQ(host_.list.text(row, kColTag), "ADD");
    EXPECT_EQ(host_.list.row(row).image, kImageWaiting);
  }
  EXPECT_TRUE(host_.list.text(0, kColInfo).ends_with(" : " + partial));
  EXPECT_EQ(requests(), std::vector<std::string>{"/a.bin"});
  EXPECT_EQ(host_.titles.back(), "Murlo ver2.02");
}

TEST_F(DownloadJobTest, AStopAfterTheLastItemHandedOverEndedFinishesItsRow) {
  for (const char* name : {"/a.bin", "/b.bin", "/c.bin", "/d.bin"}) serve(name, name);
  server_.start();
  // Both stops meet two rows the thread has ended and the host has not looked at yet.
  for (const bool suspend : {false, true}) {
    SCOPED_TRACE(suspend ? "suspend" : "abort");
    host_.list.deleteAll();
    addRow(server_.url(suspend ? "/c.bin" : "/a.bin"));
    addRow(server_.url(suspend ? "/d.bin" : "/b.bin"));
    const int wakes = host_.totalWakes;
    DownloadJob job(host_);
    job.start();
    // The thread rings the wake-up after each item, once its done event is set.
    ASSERT_TRUE(waitFor([&] { return host_.totalWakes >= wakes + 2; }));
    EXPECT_TRUE(suspend ? job.suspend() : job.abort());
    EXPECT_EQ(host_.list.count(), 0) << names();
    EXPECT_EQ(host_.outputs.back().text, server_.url(suspend ? "/d.bin" : "/b.bin"));
    EXPECT_EQ(host_.outputs.back().code, OutputEvent(ItemResult::kSucceed));
    EXPECT_EQ(job.failedCount(), 0);
  }
  EXPECT_EQ(saved("b.bin"), "/b.bin");
  EXPECT_EQ(saved("d.bin"), "/d.bin");
}

TEST_F(DownloadJobTest, RowsDeletedWhileTheJobRunsAreNotSaved) {
  serveSlowly(server_, "/a.bin", bytePattern(100000), std::make_shared<std::atomic<bool>>(true));
  for (const char* name : {"/b.bin", "/c.bin", "/d.bin"}) serve(name, name);
  server_.start();
  for (const char* name : {"/a.bin", "/b.bin", "/c.bin", "/d.bin"}) addRow(server_.url(name));
  DownloadJob job(host_);
  job.start();
  const std::string partial = partialPathFor(saveDir() + "a.bin", server_.url("/a.bin"));
  ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(partial); }));
  // The row on the wire and two rows handed to the thread behind it.
  host_.list.deleteRow(2);
  host_.list.deleteIf([](const ItemRecord& row) { return row.fileName != "d.bin"; });
  ASSERT_TRUE(host_.run([&] { return job.timerTick(); }));

  EXPECT_EQ(requests(), std::vector<std::string>{"/d.bin"});
  EXPECT_EQ(saved("d.bin"), "/d.bin");
  for (const char* name : {"a.bin", "b.bin", "c.bin"})
    EXPECT_FALSE(sandbox_.exists(std::string("save/") + name));
  EXPECT_EQ(host_.list.count(), 0);
  EXPECT_TRUE(host_.sounds.empty());
  EXPECT_EQ(job.failedCount(), 0);
  EXPECT_EQ(host_.outputCodes(),
            (std::vector<OutputEvent>{JobStart::kDownload, ItemResult::kUserDenied,
                                      ItemResult::kSucceed}));
}

TEST_F(DownloadJobTest, AFileAlreadyCompleteUnderItsNameIsNotFetchedAgain) {
  for (const char* name : {"/a.bin", "/b.bin"}) {
    server_.routes().Get(name, [](const httplib::Request&, httplib::Response& response) {
      response.set_header("Last-Modified", "Tue, 14 Nov 2023 22:13:20 GMT");
      response.set_content(bytePattern(3000), "application/octet-stream");
    });
  }
  server_.start();
  addRow(server_.url("/a.bin"));
  DownloadJob first(host_);
  ASSERT_TRUE(host_.runJob(first));
  // The list could not be written back: the next run gets the finished row again, and a
  // row whose name holds another file of the same size.
  addRow(server_.url("/a.bin"));
  addRow(server_.url("/b.bin"));
  sandbox_.write("save/b.bin", bytePattern(3000));
  DownloadJob again(host_);
  ASSERT_TRUE(host_.runJob(again));

  EXPECT_EQ(host_.outputCodes(), (std::vector<OutputEvent>{
                                     JobStart::kDownload, ItemResult::kSucceed, JobStart::kDownload,
                                     ItemResult::kSucceed, ItemResult::kSucceed}));
  EXPECT_EQ(host_.list.count(), 0);
  EXPECT_FALSE(sandbox_.exists("save/a0.bin"));
  EXPECT_TRUE(readFile(saveDir() + "b0.bin") == bytePattern(3000));
}

// Blocks the worker thread's question until the test releases it, like a user who never
// answers; then names `file` as the partial file.
class BlockingPrompter : public ScriptedPrompter {
 public:
  explicit BlockingPrompter(std::string file) : file_(std::move(file)) {}
  PromptAnswer message(const std::string& text, PromptIcon icon, PromptButtons buttons) override {
    ScriptedPrompter::message(text, icon, buttons);
    std::unique_lock lock(mutex_);
    asked_ = true;
    released_.wait(lock, [this] { return release_; });
    return PromptAnswer::kYes;
  }
  std::optional<std::string> chooseSaveFile(const FileDialogRequest&) override {
    chosen_ = true;
    return file_;
  }
  bool asked() {
    std::lock_guard lock(mutex_);
    return asked_;
  }
  bool chosen() const { return chosen_; }
  void release() {
    {
      std::lock_guard lock(mutex_);
      release_ = true;
    }
    released_.notify_all();
  }

 private:
  std::string file_;
  std::mutex mutex_;
  std::condition_variable released_;
  bool asked_ = false;
  bool release_ = false;
  std::atomic<bool> chosen_{false};
};

TEST_F(DownloadJobTest, AStopWhileTheThreadHangsReturnsAfterTwoSecondsAndTheThreadIsHarmless) {
  serve("/a.bin", bytePattern(4000));
  server_.start();
  const std::string other = sandbox_.write("save/other.bin", "abc");
  BlockingPrompter prompter(other);
  host_.prompterOverride = &prompter;
  addRow(server_.url("/a.bin"));
  host_.list.setText(0, kColTag, "RESUME");
  host_.list.setText(0, kColInfo, kInfoResumeEntryPrefix + saveDir() + "gone.bin");

  DownloadJob job(host_);
  job.start();
  ASSERT_TRUE(waitFor([&] { return prompter.asked(); }));
  const auto before = std::chrono::steady_clock::now();
  EXPECT_FALSE(job.abort());
  const auto waited = std::chrono::steady_clock::now() - before;
  EXPECT_GE(waited, 1900ms);
  EXPECT_LT(waited, 3s);
  EXPECT_EQ(host_.list.row(0).image, kImageFailed);
  const std::string infoAfterStop = host_.list.text(0, kColInfo);
  const int wakes = host_.totalWakes;

  // The given-up thread now gets its answer and goes on to its end without touching the
  // file, the list or the host.
  prompter.release();
  ASSERT_TRUE(waitFor([&] { return prompter.chosen(); }));
  std::this_thread::sleep_for(300ms);  // lets the late thread run to its end; nothing to wait on
  EXPECT_EQ(readFile(other), "abc");
  EXPECT_EQ(host_.totalWakes, wakes);
  EXPECT_EQ(host_.list.text(0, kColInfo), infoAfterStop);
  EXPECT_EQ(host_.outputCodes(), std::vector<OutputEvent>{JobStart::kDownload});
  EXPECT_FALSE(job.timerTick());
}

// The items after the first are handed to the thread before the user answers the first
// one's overwrite question: the answer for all still holds for them.
TEST_F(DownloadJobTest, AnOverwriteAllAnswerHoldsForTheItemsHandedAheadOfIt) {
  for (const std::string name : {"a.bin", "b.bin", "c.bin"}) {
    serve("/" + name, "new " + name);
    sandbox_.write("save/" + name, "old");
  }
  server_.start();
  host_.settingsValue.movement = 0;  // ask
  host_.prompterValue.choose(OverwriteChoice::kOverwriteAll);
  for (const std::string name : {"a.bin", "b.bin", "c.bin"}) addRow(server_.url("/" + name));
  DownloadJob job(host_);
  ASSERT_TRUE(host_.runJob(job));

  EXPECT_EQ(host_.prompterValue.overwriteQuestions(), std::vector<std::string>{"a.bin"});
  EXPECT_EQ(saved("a.bin"), "new a.bin");
  EXPECT_EQ(saved("b.bin"), "new b.bin");
  EXPECT_EQ(saved("c.bin"), "new c.bin");
}

TEST_F(DownloadJobTest, ASaveFolderNeverChosenBecomesTheProgramFolderInTheSettings) {
  serve("/a.bin", "AAA");
  server_.start();
  host_.settingsValue.path01.clear();
  addRow(server_.url("/a.bin"));
  DownloadJob job(host_);
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(host_.settingsValue.path01, sandbox_.dir());
  EXPECT_EQ(readFile(sandbox_.path("a.bin")), "AAA");
}

TEST_F(DownloadJobTest, ASuspendThatGivesTheThreadUpKeepsTheRowResumable) {
  // The give-up itself keeps the real stop wait in the test above.
  host_.stopPatienceValue = 100ms;
  serve("/a.bin", bytePattern(4000));
  server_.start();
  BlockingPrompter prompter(saveDir() + "chosen.bin");
  host_.prompterOverride = &prompter;
  addRow(server_.url("/a.bin"));
  const std::string partial = saveDir() + "gone.bin";
  host_.list.setText(0, kColTag, "RESUME");
  host_.list.setText(0, kColInfo, kInfoResumeEntryPrefix + partial);

  DownloadJob job(host_);
  job.start();
  ASSERT_TRUE(waitFor([&] { return prompter.asked(); }));
  EXPECT_FALSE(job.suspend());
  EXPECT_EQ(host_.list.text(0, kColTag), "RESUME");
  EXPECT_TRUE(host_.list.text(0, kColInfo).ends_with(" : " + partial))
      << host_.list.text(0, kColInfo);
  EXPECT_EQ(host_.list.row(0).image, kImageFinished);
  prompter.release();
  ASSERT_TRUE(waitFor([&] { return prompter.chosen(); }));
}

// A worker stuck in a system call of its write gate: an open of a FIFO that no one reads.
std::string gFifo;
void openFifoThroughTheGate(JobRecord& record, ItemRun&) {
  record.gate.pass([] {
    const int fd = ::open(gFifo.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
  });
  record.doneEvent.set();
}

TEST(WorkerSlotTest, AStopDuringABlockedOpenReturnsAfterTheGiveUp) {
  Sandbox sandbox;
  gFifo = sandbox.path("fifo");
  ASSERT_EQ(::mkfifo(gFifo.c_str(), 0600), 0);
  auto record = std::make_shared<JobRecord>();
  {
    WorkerSlot slot([] {}, 100ms, openFifoThroughTheGate);
    slot.start(record);
    std::this_thread::sleep_for(100ms);  // lets the worker reach its open; nothing to wait on
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(slot.stop());
    EXPECT_LT(std::chrono::steady_clock::now() - before, 3s);
    EXPECT_TRUE(record->gate.isClosed());
  }
  // A reader ends the worker's open; the given-up thread then ends on its own.
  const int reader = ::open(gFifo.c_str(), O_RDONLY | O_CLOEXEC);
  EXPECT_TRUE(record->doneEvent.wait(5000ms));
  ::close(reader);
}

// Holds the thread until the record's stop event is set.
void waitForStop(JobRecord& record, ItemRun&) {
  record.stopEvent.wait(5000ms);
  record.doneEvent.set();
}

TEST(WorkerSlotTest, WithdrawTakesBackNoMoreThanTheLastItemsAsked) {
  auto busy = std::make_shared<JobRecord>();
  auto current = std::make_shared<JobRecord>();
  auto ahead = std::make_shared<JobRecord>();
  WorkerSlot slot([] {}, kStopPatience, waitForStop);
  slot.start(busy);
  slot.start(current);
  slot.start(ahead);
  // Two items wait; only the one handed over last is taken back.
  EXPECT_EQ(slot.withdraw(1), 1u);
  EXPECT_EQ(slot.withdraw(0), 0u);
  busy->stopEvent.set();
  current->stopEvent.set();
  EXPECT_TRUE(current->doneEvent.wait(5000ms));
  EXPECT_FALSE(ahead->doneEvent.tryWait());
  // Both items have ended: the slot forgets them, and its end waits for nothing.
  slot.finish();
  slot.finish();
  EXPECT_FALSE(slot.running());
}

// The settings' cookie file is read when a job starts: its cookies go with the job's
// requests; one that cannot be read is told, and the job goes on without cookies.
TEST_F(DownloadJobTest, TheSettingsCookieFileIsReadWhenTheJobStarts) {
  RecordedTexts cookies;
  server_.routes().Get(R"(/c/(\w+))",
                       [&cookies](const httplib::Request& request, httplib::Response& response) {
                         cookies.add(request.get_header_value("Cookie"));
                         response.set_content("c", "text/plain");
                       });
  server_.start();
  host_.settingsValue.cookieFile =
      sandbox_.write("cookies.txt", "127.0.0.1\tFALSE\t/\tFALSE\t0\tuser\tme\n");
  addRow(server_.url("/c/one"));
  DownloadJob first(host_, DownloadMode::kAll);
  ASSERT_TRUE(host_.runJob(first));

  host_.settingsValue.cookieFile = sandbox_.write("bad.txt", "127.0.0.1 FALSE / FALSE 0 u me\n");
  addRow(server_.url("/c/two"));
  DownloadJob second(host_, DownloadMode::kAll);
  ASSERT_TRUE(host_.runJob(second));
  EXPECT_EQ(second.failedCount(), 0);
  EXPECT_EQ(cookies.all(), (std::vector<std::string>{"user=me", ""}));
  ASSERT_EQ(host_.prompterValue.messages().size(), 1u);
  EXPECT_EQ(host_.prompterValue.messages()[0].text,
            "ｸｯｷｰ ﾌｧｲﾙ " + sandbox_.path("bad.txt") +
                " の 1 行目が Netscape 形式ではありません: ﾀﾌﾞで区切られた 7 つの項目がありません"
                "\r\nｸｯｷｰを使わずに続けます。");
}

}  // namespace
}  // namespace murlo::test
