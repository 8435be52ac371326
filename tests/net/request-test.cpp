// The request on the wire: header block, Referer, scheme-less addresses, proxy, offline,
// keep-alive between the items of one job.
#include <gtest/gtest.h>

#include "http-test-server.h"
#include "jobs/worker-slot.h"
#include "net-test.h"
#include "net/connection-share.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "raw-test-server.h"
#include "settings/app-settings.h"

namespace murlo::test {
namespace {

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";

class RequestTest : public NetTest {};

TEST_F(RequestTest, SendsTheFixedHeaderBlockWithTheRefererLast) {
  RawTestServer server(kOk);
  auto job = makeJob(server.url("/a/b.txt"), "b.txt");
  job->referrer = "http://127.0.0.1/page.html";
  runItem(ItemKind::kDownload, *job);
  ASSERT_EQ(job->result, ItemResult::kSucceed);
  ASSERT_EQ(server.requests().size(), 1u);
  const std::string head = server.requests()[0];
  EXPECT_TRUE(head.starts_with("GET /a/b.txt HTTP/1.1\r\n")) << head;
  const std::size_t block = head.find(
      "Accept: */*\r\nAccept-Language: ja\r\nAccept-Encoding: gzip, deflate\r\n"
      "User-Agent: MFC_Murlo\r\nReferer: http://127.0.0.1/page.html\r\n\r\n");
  EXPECT_NE(block, std::string::npos) << head;
  EXPECT_EQ(saved("b.txt"), "ok");
}

TEST_F(RequestTest, LeavesTheRefererOutWhenThereIsNoneOrExSetBit4IsSet) {
  RawTestServer server(kOk);
  auto none = makeJob(server.url("/x"), "x");
  runItem(ItemKind::kDownload, *none);
  auto hidden = makeJob(server.url("/y"), "y");
  hidden->referrer = "http://127.0.0.1/page.html";
  hidden->exset = exset::kNoReferrer;
  runItem(ItemKind::kDownload, *hidden);
  ASSERT_EQ(server.requests().size(), 2u);
  for (const std::string& head : server.requests()) {
    EXPECT_EQ(head.find("Referer"), std::string::npos) << head;
    EXPECT_TRUE(head.ends_with("User-Agent: MFC_Murlo\r\n\r\n")) << head;
  }
}

TEST_F(RequestTest, ARefererCannotAddLinesToTheRequest) {
  RawTestServer server(kOk);
  auto job = makeJob(server.url("/x"), "x");
  job->referrer = "http://127.0.0.1/\r\nX-Injected: 1";
  runItem(ItemKind::kDownload, *job);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].find("X-Injected"), std::string::npos);
}

TEST_F(RequestTest, FetchesAnAddressWithoutSchemeOverHttp) {
  RawTestServer server(kOk);
  auto job = makeJob("127.0.0.1:" + std::to_string(server.port()) + "/plain.txt", "plain.txt");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("plain.txt"), "ok");
}

TEST_F(RequestTest, SendsTheRequestToTheProxyWhenConnectionBit3IsSet) {
  RawTestServer proxy(kOk);
  auto job = makeJob("http://murlo.invalid/file.txt", "file.txt");
  job->connection |= connection::kProxy;
  job->proxy = "127.0.0.1:" + std::to_string(proxy.port());
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  ASSERT_EQ(proxy.requests().size(), 1u);
  EXPECT_TRUE(proxy.requests()[0].starts_with("GET http://murlo.invalid/file.txt HTTP/1.1\r\n"));
}

TEST_F(RequestTest, OfflineFailsAtOnceWithoutConnecting) {
  RawTestServer server(kOk);
  auto job = makeJob(server.url("/x"), "x");
  job->connection |= connection::kOffline;
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  EXPECT_EQ(server.connections(), 0);
  EXPECT_FALSE(isSaved("x"));
  ASSERT_EQ(logEntries().size(), 1u);
  // The log's reason is the program's own Japanese text, in the log's encoding.
  EXPECT_EQ(logEntries()[0].reason, "ｵﾌﾗｲﾝ作業中のため、接続しませんでした");
}

TEST_F(RequestTest, AnUnreachableServerReportsCannotConnect) {
  int port = 0;
  {
    RawTestServer closed(kOk);  // a port that was just free and is free again
    port = closed.port();
  }
  auto job = makeJob("http://127.0.0.1:" + std::to_string(port) + "/x", "x");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  ASSERT_EQ(prompter_->messages().size(), 1u);
  EXPECT_EQ(prompter_->messages()[0].text, "サーバーに接続できませんでした");
  EXPECT_EQ(prompter_->messages()[0].icon, PromptIcon::kStop);
}

TEST_F(RequestTest, ItemsOfOneJobReuseTheConnection) {
  HttpTestServer server;
  std::vector<int> ports;
  std::mutex mutex;
  server.routes().Get(R"(/f/(\d))",
                      [&](const httplib::Request& request, httplib::Response& response) {
                        std::lock_guard lock(mutex);
                        ports.push_back(request.remote_port);
                        response.set_content("data", "text/plain");
                      });
  server.start();
  auto share = std::make_shared<ConnectionShare>();
  for (int i = 0; i < 3; ++i) {
    auto job = makeJob(server.url("/f/" + std::to_string(i)), "f" + std::to_string(i));
    job->connections = share;
    std::thread([job] {
      runItem(ItemKind::kDownload, *job);
    }).join();  // every item on a thread of its own
    EXPECT_EQ(job->result, ItemResult::kSucceed);
  }
  ASSERT_EQ(ports.size(), 3u);
  EXPECT_EQ(ports[0], ports[1]);
  EXPECT_EQ(ports[1], ports[2]);
}

// A keep-alive server that sends more than the answer it announced may have put a forged
// answer for the next request behind it: the next item, whose request goes out as soon as
// that answer is whole, asks on a connection of its own.
TEST_F(RequestTest, BytesBeyondAnAnswerNeverBecomeTheNextItemsAnswer) {
  using namespace std::chrono_literals;
  const std::string forged = "HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\nforged";
  const std::string real = "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nreal";
  // Its head and body end exactly where libcurl's 64 KiB read ends: the surplus stays unread.
  const std::string fill(65536 - 42, 'q');
  const std::vector<std::pair<std::string, std::string>> firstAnswers = {
      {"HTTP/1.1 200 OK\r\nContent-Length: 65494\r\n\r\n" + fill, fill},
      {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nfirst", "first"},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nfirst\r\n0\r\n\r\n", "first"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
  };
  for (std::size_t i = 0; i < firstAnswers.size(); ++i) {
    const auto& [answer, body] = firstAnswers[i];
    RawTestServer server({answer + forged, real});
    auto share = std::make_shared<ConnectionShare>();
    const std::string suffix = std::to_string(i);
    auto first = makeJob(server.url("/a" + suffix), "a" + suffix);
    auto next = makeJob(server.url("/b" + suffix), "b" + suffix);
    first->connections = next->connections = share;
    WorkerSlot slot([] {});
    slot.start(first);
    slot.start(next);
    ASSERT_TRUE(next->doneEvent.wait(10000ms)) << answer.size();
    slot.finish();
    slot.finish();
    EXPECT_EQ(first->result, ItemResult::kSucceed) << answer.size();
    EXPECT_TRUE(saved("a" + suffix) == body) << answer.size();
    EXPECT_EQ(next->result, ItemResult::kSucceed) << answer.size();
    EXPECT_EQ(saved("b" + suffix), "real") << answer.size();
    EXPECT_EQ(server.connections(), 2) << answer.size();
  }
}

}  // namespace
}  // namespace murlo::test
