// The request on the wire: header block, Referer, scheme-less addresses, proxy, offline,
// keep-alive between the items of one job.
#include <gtest/gtest.h>

#include "http-test-server.h"
#include "net-test.h"
#include "net/connection-share.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "raw-test-server.h"
#include "settings/app-settings.h"
#include "text/cp932.h"

namespace murlo::test {
namespace {

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";

class RequestTest : public NetTest {};

TEST_F(RequestTest, SendsTheFixedHeaderBlockWithTheRefererLast) {
  RawTestServer server(kOk);
  auto job = makeJob(server.url("/a/b.txt"), "b.txt");
  job->referrer = "http://127.0.0.1/page.html";
  downloadThread(job);
  ASSERT_EQ(job->result, RESULT_SUCCEED);
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
  downloadThread(none);
  auto hidden = makeJob(server.url("/y"), "y");
  hidden->referrer = "http://127.0.0.1/page.html";
  hidden->exset = exset::kNoReferrer;
  downloadThread(hidden);
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
  downloadThread(job);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].find("X-Injected"), std::string::npos);
}

TEST_F(RequestTest, FetchesAnAddressWithoutSchemeOverHttp) {
  RawTestServer server(kOk);
  auto job = makeJob("127.0.0.1:" + std::to_string(server.port()) + "/plain.txt", "plain.txt");
  downloadThread(job);
  EXPECT_EQ(job->result, RESULT_SUCCEED);
  EXPECT_EQ(saved("plain.txt"), "ok");
}

TEST_F(RequestTest, SendsTheRequestToTheProxyWhenConnectionBit3IsSet) {
  RawTestServer proxy(kOk);
  auto job = makeJob("http://murlo.invalid/file.txt", "file.txt");
  job->connection |= connection::kProxy;
  job->proxy = "127.0.0.1:" + std::to_string(proxy.port());
  downloadThread(job);
  EXPECT_EQ(job->result, RESULT_SUCCEED);
  ASSERT_EQ(proxy.requests().size(), 1u);
  EXPECT_TRUE(proxy.requests()[0].starts_with("GET http://murlo.invalid/file.txt HTTP/1.1\r\n"));
}

TEST_F(RequestTest, OfflineFailsAtOnceWithoutConnecting) {
  RawTestServer server(kOk);
  auto job = makeJob(server.url("/x"), "x");
  job->connection |= connection::kOffline;
  downloadThread(job);
  EXPECT_EQ(job->result, RESULT_ERROR_INTERNET);
  EXPECT_EQ(server.connections(), 0);
  EXPECT_FALSE(isSaved("x"));
  ASSERT_EQ(logEntries().size(), 1u);
  // The log's reason is the program's own Japanese text, in the log's encoding.
  EXPECT_EQ(cp932ToUtf8(logEntries()[0].reason), "ｵﾌﾗｲﾝ作業中のため、接続しませんでした");
}

TEST_F(RequestTest, AnUnreachableServerReportsCannotConnect) {
  int port = 0;
  {
    RawTestServer closed(kOk);  // a port that was just free and is free again
    port = closed.port();
  }
  auto job = makeJob("http://127.0.0.1:" + std::to_string(port) + "/x", "x");
  downloadThread(job);
  EXPECT_EQ(job->result, RESULT_ERROR_INTERNET);
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
    std::thread(downloadThread, job).join();  // every item on a thread of its own
    EXPECT_EQ(job->result, RESULT_SUCCEED);
  }
  ASSERT_EQ(ports.size(), 3u);
  EXPECT_EQ(ports[0], ports[1]);
  EXPECT_EQ(ports[1], ports[2]);
}

}  // namespace
}  // namespace murlo::test
