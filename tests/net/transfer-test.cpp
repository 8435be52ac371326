// Moving the body into the save folder: content, decoding, names, the same-name policy,
// the size check, stopping, stalls and cut-off bodies.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "compressed-body.h"
#include "http-test-server.h"
#include "net-test.h"
#include "net/remote-file.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "raw-test-server.h"
#include "settings/app-settings.h"
#include "wait-for.h"

namespace murlo::test {
namespace {

using namespace std::chrono_literals;

std::string pattern(std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>('a' + i * 7 % 26);
  return data;
}

long long fileSize(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

class TransferTest : public NetTest {
 protected:
  // Serves `body` at `path`, with the usual Content-Length.
  void serve(const std::string& path, const std::string& body) {
    server_.routes().Get(path, [body](const httplib::Request&, httplib::Response& response) {
      response.set_content(body, "application/octet-stream");
    });
  }
  // Serves an endless body in 100-byte pieces, one every 20 ms; counts the pieces sent.
  void serveSlowly(const std::string& path, int pieces = 1000000) {
    server_.routes().Get(
        path, [this, pieces](const httplib::Request&, httplib::Response& response) {
          response.set_chunked_content_provider(
              "application/octet-stream", [this, pieces](std::size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(20ms);  // the server's pace, not a wait of the test
                if (sent_ >= pieces) {
                  sink.done();
                  return true;
                }
                ++sent_;
                return sink.write(std::string(100, 'x').data(), 100);
              });
        });
  }

  HttpTestServer server_;
  std::atomic<int> sent_{0};
};

TEST_F(TransferTest, SavesTheBodyAndCountsItsBytes) {
  const std::string body = pattern(1000000);
  serve("/big.bin", body);
  serve("/empty.txt", "");
  server_.start();
  auto job = makeJob(server_.url("/big.bin"), "big.bin");
  job->bufferSize = 256;
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_TRUE(saved("big.bin") == body);
  EXPECT_EQ(job->doneBytes, 1000000);
  EXPECT_EQ(job->totalBytes, 1000000);
  EXPECT_EQ(job->sizeKnown, 1);
  EXPECT_EQ(job->localName, "big.bin");

  auto empty = makeJob(server_.url("/empty.txt"), "empty.txt");
  runItem(ItemKind::kDownload, *empty);
  EXPECT_EQ(empty->result, ItemResult::kSucceed);
  EXPECT_TRUE(isSaved("empty.txt"));
  EXPECT_EQ(saved("empty.txt"), "");
}

TEST_F(TransferTest, DecodesAGzipBody) {
  const std::string body = pattern(3000000);
  server_.routes().Get("/page.html", [&](const httplib::Request&, httplib::Response& response) {
    response.set_header("Content-Encoding", "gzip");
    response.set_content(compressed(body, kGzipBits), "text/html");
  });
  server_.start();
  auto job = makeJob(server_.url("/page.html"), "page.html");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_TRUE(saved("page.html") == body) << saved("page.html").size();
  EXPECT_EQ(job->sizeKnown, 0);  // the length on the wire is not the file's
}

TEST_F(TransferTest, FetchesAPageIntoAFileOfItsOwnBesideTheTemporaryFile) {
  serve("/index.html", "<html>page</html>");
  server_.start();
  sandbox_.write("Murlo.tmp", "earlier page");
  auto job = makeJob(server_.url("/index.html"));
  runItem(ItemKind::kPage, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_TRUE(job->pageFile.starts_with(sandbox_.path("Murlo.tmp."))) << job->pageFile;
  EXPECT_EQ(readFile(job->pageFile), "<html>page</html>");
  EXPECT_EQ(sandbox_.read("Murlo.tmp"), "earlier page");
  EXPECT_EQ(job->doneBytes, 0);
}

TEST_F(TransferTest, TheHierarchyRecreatesTheServerFoldersInsideTheSaveFolder) {
  serve("/dir/sub/", "index");
  serve("/a/b/c.gif", "gif");
  server_.start();
  auto index = makeJob(server_.url("/dir/sub/"), "index.htm");
  index->movement = index->movement | movement::kHierarchy;
  runItem(ItemKind::kDownload, *index);
  EXPECT_EQ(index->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("dir/sub/index.htm"), "index");
  EXPECT_EQ(index->localName, "dir/sub/index.htm");

  // A file name from a hand-edited list cannot point out of the save folder.
  auto escape = makeJob(server_.url("/a/b/c.gif"), "../../escape.gif");
  escape->movement = escape->movement | movement::kHierarchy;
  runItem(ItemKind::kDownload, *escape);
  EXPECT_EQ(escape->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("a/b/.._.._escape.gif"), "gif");
  EXPECT_FALSE(sandbox_.exists("escape.gif"));
}

TEST_F(TransferTest, AutomaticRenamingCountsInHexadecimal) {
  serve("/pic.jpg", "new picture");
  serve("/readme", "new readme");
  server_.start();
  for (const char* name : {"pic.jpg", "pic0.jpg", "pic1.jpg", "readme"}) {
    sandbox_.write(std::string("save/") + name, "old");
  }
  auto pic = makeJob(server_.url("/pic.jpg"), "pic.jpg");
  runItem(ItemKind::kDownload, *pic);
  EXPECT_EQ(pic->localName, "pic2.jpg");
  EXPECT_EQ(saved("pic2.jpg"), "new picture");
  EXPECT_EQ(saved("pic.jpg"), "old");
  auto readme = makeJob(server_.url("/readme"), "readme");
  runItem(ItemKind::kDownload, *readme);
  EXPECT_EQ(readme->localName, "readme0");
  EXPECT_EQ(saved("readme0"), "new readme");
  EXPECT_TRUE(prompter_->overwriteQuestions().empty());
}

TEST_F(TransferTest, TheOverwriteQuestionDecidesAndMaySetThePolicyForTheJob) {
  serve("/pic.jpg", "new");
  server_.start();
  // The movement word the worker thread goes on with after the item.
  int movementAfter = 0;
  auto ask = [&](OverwriteChoice choice) {
    sandbox_.write("save/pic.jpg", "old");
    prompter_->choose(choice);
    auto job = makeJob(server_.url("/pic.jpg"), "pic.jpg");
    ItemRun run;
    run.movement = 0;
    runItem(*job, run);
    movementAfter = run.movement;
    EXPECT_EQ(job->result, ItemResult::kSucceed);
    return job;
  };
  auto overwrite = ask(OverwriteChoice::kOverwrite);
  EXPECT_EQ(overwrite->localName, "pic.jpg");
  EXPECT_EQ(saved("pic.jpg"), "new");

  auto all = ask(OverwriteChoice::kOverwriteAll);
  EXPECT_EQ(all->localName, "pic.jpg");
  EXPECT_EQ(movementAfter & movement::kOverwrite, movement::kOverwrite);

  prompter_->giveFile("/somewhere/else/chosen.jpg");
  auto saveAs = ask(OverwriteChoice::kSaveAs);
  EXPECT_EQ(saveAs->localName, "chosen.jpg");  // the chosen folder is not used
  EXPECT_EQ(saved("chosen.jpg"), "new");
  EXPECT_EQ(prompter_->dialogTitles().back(), "ﾌｧｲﾙを保存する");

  auto rename = ask(OverwriteChoice::kAutoRenameAll);
  EXPECT_EQ(rename->localName, "pic1.jpg");  // counting starts at 1 after the question
  EXPECT_EQ(movementAfter & movement::kAutoRename, movement::kAutoRename);
  EXPECT_EQ(prompter_->overwriteQuestions().size(), 4u);
}

TEST_F(TransferTest, TheSizeCheckSkipsAFileOfTheRemoteSize) {
  serve("/same.bin", "0123456789");
  server_.start();
  sandbox_.write("save/same.bin", "abcdefghij");
  auto job = makeJob(server_.url("/same.bin"), "same.bin");
  job->movement = movement::kSizeCheck | movement::kOverwrite;
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("same.bin"), "abcdefghij");

  sandbox_.write("save/same.bin", "short");
  auto differs = makeJob(server_.url("/same.bin"), "same.bin");
  differs->movement = movement::kSizeCheck | movement::kOverwrite;
  runItem(ItemKind::kDownload, *differs);
  EXPECT_EQ(saved("same.bin"), "0123456789");
}

TEST_F(TransferTest, AStopRequestEndsASlowTransferWithinOneBuffer) {
  serveSlowly("/slow.bin");
  server_.start();
  auto job = makeJob(server_.url("/slow.bin"), "slow.bin");
  std::thread worker([job] { runItem(ItemKind::kDownload, *job); });
  ASSERT_TRUE(waitFor([&] { return job->doneBytes >= 500; }));
  const auto atStop = job->doneBytes.load();
  const auto stopped = std::chrono::steady_clock::now();
  job->stopEvent.set();
  const bool ended = job->doneEvent.wait(2000ms);
  worker.join();
  ASSERT_TRUE(ended);
  EXPECT_LT(std::chrono::steady_clock::now() - stopped, 500ms);
  EXPECT_EQ(job->result, ItemResult::kUserDenied);
  EXPECT_LE(job->doneBytes - atStop, job->bufferSize - 1);
  // The bytes stay in the partial file; nothing carries the final name.
  EXPECT_EQ(fileSize(partialFile("slow.bin", job->url)), job->doneBytes);
  EXPECT_FALSE(isSaved("slow.bin"));
  EXPECT_TRUE(logEntries().empty());
}

TEST_F(TransferTest, AServerThatNeverAnswersIsCutOffByTheTimeOut) {
  RawTestServer silent("");
  auto job = makeJob(silent.url("/x"), "x");
  job->timeoutMs = 300;
  const auto start = std::chrono::steady_clock::now();
  runItem(ItemKind::kDownload, *job);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{"接続に関するｴﾗｰが発生しました"});
  ASSERT_EQ(logEntries().size(), 1u);
  EXPECT_TRUE(logEntries()[0].reason.starts_with("接続がﾀｲﾑｱｳﾄしました ("))
      << logEntries()[0].reason;
  EXPECT_NE(logEntries()[0].reason.find("timed out"), std::string::npos);
}

TEST_F(TransferTest, AServerThatTricklesBytesTimesOutWhileAFastOneDoesNot) {
  // Under 1 KiB in a whole time-out period is a stall, however steadily the bytes come.
  RawTestServer trickle("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nx", 200ms);
  auto job = makeJob(trickle.url("/trickle.bin"), "trickle.bin");
  job->timeoutMs = 1000;
  std::thread worker([job] { runItem(ItemKind::kDownload, *job); });
  const bool ended = job->doneEvent.wait(10s);
  if (!ended) job->stopEvent.set();
  worker.join();
  ASSERT_TRUE(ended);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  EXPECT_GE(job->doneBytes, 2);  // bytes kept coming
  ASSERT_EQ(logEntries().size(), 1u);
  EXPECT_NE(logEntries()[0].reason.find("timed out"), std::string::npos);

  const std::string body = pattern(2000000);
  RawTestServer fast("HTTP/1.1 200 OK\r\nContent-Length: 2000000\r\n\r\n" + body);
  auto quick = makeJob(fast.url("/fast.bin"), "fast.bin");
  quick->timeoutMs = 1000;
  runItem(ItemKind::kDownload, *quick);
  EXPECT_EQ(quick->result, ItemResult::kSucceed);
  EXPECT_TRUE(saved("fast.bin") == body);
}

TEST_F(TransferTest, ASilenceOfOneTimeOutAfterTheLastProgressFailsWhereverItFalls) {
  // 2 KiB at once, then a silence of one and a half periods before the rest: the silence
  // spans the end of the period that had the first bytes.
  server_.routes().Get("/pause.bin", [](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(4096, "application/octet-stream",
                                  [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                    if (offset > 0)
                                      std::this_thread::sleep_for(900ms);  // the server's pace
                                    return sink.write(std::string(2048, 'p').data(), 2048);
                                  });
  });
  server_.start();
  auto job = makeJob(server_.url("/pause.bin"), "pause.bin");
  job->timeoutMs = 600;
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  ASSERT_EQ(logEntries().size(), 1u);
  EXPECT_NE(logEntries()[0].reason.find("timed out"), std::string::npos);
  EXPECT_EQ(readFile(partialFile("pause.bin", job->url)), std::string(2048, 'p'));
}

TEST_F(TransferTest, ABodyCutOffMidwayFailsAndKeepsWhatCame) {
  RawTestServer server("HTTP/1.1 200 OK\r\nContent-Length: 10000\r\n\r\n" + std::string(5000, 'p'));
  auto job = makeJob(server.url("/cut.bin"), "cut.bin");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  EXPECT_EQ(readFile(partialFile("cut.bin", job->url)), std::string(5000, 'p'));
  EXPECT_FALSE(isSaved("cut.bin"));
}

TEST_F(TransferTest, AGivenUpThreadWritesNoMore) {
  serveSlowly("/slow.bin", 40);
  serveSlowly("/page.html", 40);
  server_.start();
  sandbox_.write("Murlo.tmp", "earlier page");

  auto download = makeJob(server_.url("/slow.bin"), "slow.bin");
  std::thread downloader([download] { runItem(ItemKind::kDownload, *download); });
  ASSERT_TRUE(waitFor([&] { return download->doneBytes >= 300; }));
  download->gate.close();
  // The gate lets a write already under way finish (write-gate.h): it can only hold bytes
  // counted before the close, and nothing is written after it.
  const std::int64_t countedAtGiveUp = download->doneBytes;
  const std::string partial = partialFile("slow.bin", download->url);
  const long long sizeAtGiveUp = fileSize(partial);
  downloader.join();
  EXPECT_EQ(download->result, ItemResult::kErrorFile);
  EXPECT_GE(fileSize(partial), sizeAtGiveUp);
  EXPECT_LE(fileSize(partial), countedAtGiveUp);

  sent_ = 0;
  auto page = makeJob(server_.url("/page.html"));
  std::thread fetcher([page] { runItem(ItemKind::kPage, *page); });
  ASSERT_TRUE(waitFor([&] { return sent_ >= 3; }));
  page->gate.close();
  fetcher.join();
  EXPECT_EQ(sandbox_.read("Murlo.tmp"), "earlier page");
  for (const auto& entry : std::filesystem::directory_iterator(sandbox_.dir())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with("Murlo.tmp.")) << entry.path();
  }
}

}  // namespace
}  // namespace murlo::test
