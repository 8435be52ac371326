// The status check: one redirect at most, the refusals with their messages and log
// entries, and answers that are neither a success nor a followed redirect as failures.
#include <gtest/gtest.h>

#include "http-test-server.h"
#include "net-test.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "settings/app-settings.h"

namespace murlo::test {
namespace {

class StatusTest : public NetTest {
 protected:
  void redirect(HttpTestServer& server, const std::string& from, const std::string& to,
                int status = 302) {
    server.routes().Get(from, [to, status](const httplib::Request&, httplib::Response& response) {
      response.status = status;
      response.set_header("Location", to);
      response.set_content("moved", "text/plain");
    });
  }
  // A redirect to a path of the same server, by its full address (known once it runs).
  void redirectHere(HttpTestServer& server, const std::string& from, const std::string& toPath,
                    int status = 302) {
    server.routes().Get(
        from, [&server, toPath, status](const httplib::Request&, httplib::Response& response) {
          response.status = status;
          response.set_header("Location", server.url(toPath));
        });
  }
};

TEST_F(StatusTest, ARedirectToAnotherHostKeepsTheRefererAndTheItemsLocalName) {
  HttpTestServer first;
  HttpTestServer second;
  std::string referer;
  second.routes().Get("/real/name.bin",
                      [&](const httplib::Request& request, httplib::Response& response) {
                        referer = request.get_header_value("Referer");
                        response.set_content("payload", "application/octet-stream");
                      });
  second.start();
  redirect(first, "/item.bin", second.url("/real/name.bin"));
  first.start();

  auto job = makeJob(first.url("/item.bin"), "item.bin");
  job->referrer = "http://127.0.0.1/list.html";
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(referer, "http://127.0.0.1/list.html");
  EXPECT_EQ(saved("item.bin"), "payload");
  EXPECT_FALSE(isSaved("name.bin"));
  EXPECT_TRUE(prompter_->messages().empty());
  EXPECT_TRUE(logEntries().empty());
}

TEST_F(StatusTest, RedirectsOf307And308AndRelativeTargetsAreFollowed) {
  HttpTestServer server;
  server.routes().Get("/target", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("target", "text/plain");
  });
  redirectHere(server, "/temporary", "/target", 307);
  redirectHere(server, "/permanent", "/target", 308);
  redirect(server, "/relative", "/target", 301);
  server.start();
  for (const char* path : {"/temporary", "/permanent", "/relative"}) {
    auto job = makeJob(server.url(path), std::string(path + 1));
    runItem(ItemKind::kDownload, *job);
    EXPECT_EQ(job->result, ItemResult::kSucceed) << path;
    EXPECT_EQ(saved(path + 1), "target") << path;
  }
}

TEST_F(StatusTest, ASecondRedirectFailsWithTwoLogEntries) {
  HttpTestServer server;
  redirectHere(server, "/one", "/two", 301);
  redirectHere(server, "/two", "/three", 301);
  server.start();
  auto job = makeJob(server.url("/one"), "one");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  ASSERT_EQ(messageTexts(), std::vector<std::string>{"接続が確立できません"});
  EXPECT_EQ(prompter_->messages()[0].icon, PromptIcon::kExclamation);
  const auto entries = logEntries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].url, server.url("/one"));
  EXPECT_EQ(entries[0].reason, "接続が確立できません");
  EXPECT_EQ(entries[1].reason, "HTTP/1.1 301 Moved Permanently");
  EXPECT_FALSE(isSaved("one"));
}

TEST_F(StatusTest, RefusalsShowTheirMessages) {
  HttpTestServer server;
  server.routes().Get("/locked", [](const httplib::Request&, httplib::Response& response) {
    response.status = 401;
    response.set_content("no", "text/plain");
  });
  server.routes().Get("/nowhere", [](const httplib::Request&, httplib::Response& response) {
    response.status = 302;
    response.set_content("no location", "text/plain");
  });
  redirect(server, "/to-ftp", "ftp://127.0.0.1/file");
  redirectHere(server, "/refused", "/locked");
  server.start();

  struct Case {
    const char* path;
    int exset;
    const char* text;
  };
  const Case cases[] = {
      {"/locked", 0, "接続が拒否されました"},
      {"/nowhere", 0, "このｻｲﾄはﾘﾀﾞｲﾚｸﾄする場所がありません"},
      {"/to-ftp", 0, "ﾘﾀﾞｲﾚｸﾄされたURLはHTTPﾘｿｰｽではありません"},
      {"/refused", exset::kRefuseRedirects, "このｻｲﾄはﾘﾀﾞｲﾚｸﾄする場所がありません"},
  };
  for (const Case& c : cases) {
    auto job = makeJob(server.url(c.path), "f");
    job->exset = c.exset;
    runItem(ItemKind::kDownload, *job);
    EXPECT_EQ(job->result, ItemResult::kErrorInternet) << c.path;
    ASSERT_FALSE(prompter_->messages().empty());
    EXPECT_EQ(prompter_->messages().back().text, c.text) << c.path;
  }
  EXPECT_EQ(logEntries().size(), 8u);
  EXPECT_FALSE(isSaved("f"));
}

class ErrorStatusTest : public StatusTest, public ::testing::WithParamInterface<int> {};

TEST_P(ErrorStatusTest, AnAnswerOf400OrAboveFailsTheItemAndSavesNothing) {
  const int status = GetParam();
  HttpTestServer server;
  server.routes().Get("/file.zip", [status](const httplib::Request&, httplib::Response& response) {
    response.status = status;
    response.set_content("<html>error page</html>", "text/html");
  });
  server.start();
  auto job = makeJob(server.url("/file.zip"), "file.zip");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  EXPECT_FALSE(isSaved("file.zip"));
  const std::string statusText = std::to_string(status);
  ASSERT_EQ(prompter_->messages().size(), 1u);
  EXPECT_NE(prompter_->messages()[0].text.find(statusText), std::string::npos);
  ASSERT_EQ(logEntries().size(), 1u);
  EXPECT_TRUE(logEntries()[0].reason.starts_with("HTTP/1.1 " + statusText))
      << logEntries()[0].reason;
}

// 300 and 304 bring no file either: only a success or a followed redirect saves one.
INSTANTIATE_TEST_SUITE_P(Statuses, ErrorStatusTest,
                         ::testing::Values(300, 304, 400, 403, 404, 500, 503));

TEST_F(StatusTest, APageThatAnswers404IsNotFetched) {
  HttpTestServer server;
  server.routes().Get("/missing.html", [](const httplib::Request&, httplib::Response& response) {
    response.status = 404;
    response.set_content("<a href=\"x.jpg\">", "text/html");
  });
  server.start();
  sandbox_.write("Murlo.tmp", "earlier page");
  auto job = makeJob(server.url("/missing.html"));
  runItem(ItemKind::kPage, *job);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  EXPECT_EQ(sandbox_.read("Murlo.tmp"), "earlier page");
}

TEST_F(StatusTest, MovementBit1SilencesEveryMessageWhileTheLogRecords) {
  HttpTestServer server;
  redirectHere(server, "/one", "/two", 301);
  redirectHere(server, "/two", "/three", 301);
  server.routes().Get(
      "/gone", [](const httplib::Request&, httplib::Response& response) { response.status = 404; });
  server.start();
  for (const char* path : {"/one", "/gone"}) {
    auto job = makeJob(server.url(path), "f");
    job->movement = job->movement | movement::kNoErrorMessages;
    runItem(ItemKind::kDownload, *job);
    EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  }
  EXPECT_TRUE(prompter_->messages().empty());
  EXPECT_EQ(logEntries().size(), 3u);
}

TEST_F(StatusTest, WithOutputBit0ClearNoLogIsWritten) {
  HttpTestServer server;
  server.routes().Get(
      "/gone", [](const httplib::Request&, httplib::Response& response) { response.status = 404; });
  server.start();
  auto job = makeJob(server.url("/gone"), "f");
  job->output = 0;
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  EXPECT_FALSE(sandbox_.exists("Murlo.log"));
}

}  // namespace
}  // namespace murlo::test
