// The connection beside the request: the environment's proxy and the settings' one, the
// job's cookies, and certificates that do or do not verify (made by the test).
#include <gtest/gtest.h>

#include <cstdlib>

#include "http-test-server.h"
#include "net-test.h"
#include "net/cookie-jar.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "raw-test-server.h"
#include "settings/app-settings.h"
#include "test-certificates.h"

namespace murlo::test {
namespace {

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";

// Sets environment variables for one test and takes them away again. The items run on the
// test's own thread, so nothing reads the environment while it changes.
class ScopedEnvironment {
 public:
  explicit ScopedEnvironment(std::initializer_list<std::pair<const char*, std::string>> variables) {
    for (const auto& [name, value] : variables) {
      names_.emplace_back(name);
      ::setenv(name, value.c_str(), 1);
    }
  }
  ~ScopedEnvironment() {
    for (const std::string& name : names_) ::unsetenv(name.c_str());
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::vector<std::string> names_;
};

class ConnectionOptionsTest : public NetTest {};

TEST_F(ConnectionOptionsTest, WithoutAProxySettingTheEnvironmentsProxyIsUsed) {
  RawTestServer proxy(kOk);
  const ScopedEnvironment env({{"http_proxy", "127.0.0.1:" + std::to_string(proxy.port())}});
  auto job = makeJob("http://murlo.invalid/file.txt", "file.txt");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  ASSERT_EQ(proxy.requests().size(), 1u);
  EXPECT_TRUE(proxy.requests()[0].starts_with("GET http://murlo.invalid/file.txt HTTP/1.1\r\n"));
}

TEST_F(ConnectionOptionsTest, TheSettingsProxyWinsOverTheEnvironments) {
  RawTestServer fromEnvironment(kOk);
  RawTestServer fromSettings(kOk);
  const ScopedEnvironment env(
      {{"http_proxy", "127.0.0.1:" + std::to_string(fromEnvironment.port())}});
  auto job = makeJob("http://murlo.invalid/file.txt", "file.txt");
  job->connection |= connection::kProxy;
  job->proxy = "127.0.0.1:" + std::to_string(fromSettings.port());
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(fromSettings.requests().size(), 1u);
  EXPECT_EQ(fromEnvironment.connections(), 0);
}

TEST_F(ConnectionOptionsTest, AHostInNoProxyIsFetchedDirectly) {
  RawTestServer server(kOk);
  RawTestServer proxy(kOk);
  const ScopedEnvironment env({{"http_proxy", "127.0.0.1:" + std::to_string(proxy.port())},
                               {"NO_PROXY", "localhost,127.0.0.0/8"}});
  auto job = makeJob(server.url("/direct.txt"), "direct.txt");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(proxy.connections(), 0);
}

// A server that records the Cookie header of every request and sets a cookie at /login.
class CookieServer {
 public:
  CookieServer() {
    server.routes().Get("/login", [](const httplib::Request&, httplib::Response& response) {
      response.set_header("Set-Cookie", "session=fromserver; Path=/");
      response.set_content("in", "text/plain");
    });
    server.routes().Get(R"(/page/(\w+))",
                        [this](const httplib::Request& request, httplib::Response& response) {
                          cookies.add(request.get_header_value("Cookie"));
                          response.set_content("page", "text/plain");
                        });
    server.start();
  }
  HttpTestServer server;
  RecordedTexts cookies;
};

TEST_F(ConnectionOptionsTest, TheCookieFileGoesWithRequestsToTheHostsItNames) {
  CookieServer site;
  const std::string text =
      "127.0.0.1\tFALSE\t/\tFALSE\t0\ttoken\tabc\n"
      "127.0.0.1\tFALSE\t/other\tFALSE\t0\telsewhere\t1\n"
      "murlo.invalid\tFALSE\t/\tFALSE\t0\tforeign\t2\n"
      "127.0.0.1\tFALSE\t/\tFALSE\t1\texpired\t3\n";
  auto job = makeJob(site.server.url("/page/a"), "a");
  job->cookies = CookieJar::parse(text, "cookies.txt").jar;
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(site.cookies.all(), std::vector<std::string>{"token=abc"});
}

TEST_F(ConnectionOptionsTest, CookiesTheServerSetsGoWithTheLaterItemsOfTheJob) {
  CookieServer site;
  const auto jar = CookieJar::parse("127.0.0.1\tFALSE\t/\tFALSE\t0\ttoken\tabc\n", "c.txt").jar;
  for (const char* path : {"/login", "/page/after"}) {
    auto job = makeJob(site.server.url(path), std::string(path).substr(1) + ".txt");
    job->cookies = jar;
    runItem(ItemKind::kDownload, *job);
    EXPECT_EQ(job->result, ItemResult::kSucceed);
  }
  auto otherJob = makeJob(site.server.url("/page/elsewhere"), "elsewhere.txt");
  runItem(ItemKind::kDownload, *otherJob);
  const std::vector<std::string> sent = site.cookies.all();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_NE(sent[0].find("token=abc"), std::string::npos) << sent[0];
  EXPECT_NE(sent[0].find("session=fromserver"), std::string::npos) << sent[0];
  EXPECT_EQ(sent[1], "") << "a job without cookies sends none";
}

// Each test makes its own authorities and server certificates in its sandbox.
class CertificateTest : public NetTest {
 protected:
  CertificateTest() : certificates_(sandbox_.dir()) {}

  // Downloads /file.txt from an HTTPS server with `files`, trusting the test's authority when
  // `ownAuthority`.
  std::shared_ptr<JobRecord> fetch(const CertificateFiles& files, bool ownAuthority = true) {
    HttpTestServer server(files.certificate, files.key);
    server.routes().Get("/file.txt", [](const httplib::Request&, httplib::Response& response) {
      response.set_content("secure", "text/plain");
    });
    server.start();
    auto job = makeJob(server.url("/file.txt"), "file.txt");
    if (ownAuthority) job->caFile = certificates_.trustedAuthority();
    runItem(ItemKind::kDownload, *job);
    return job;
  }

  // The reason of a refused certificate is in the message, the notice and the log.
  void expectRefused(const JobRecord& job, const std::string& problem) {
    const std::string reason = "ｻｰﾊﾞｰ 127.0.0.1 の証明書を確認できませんでした: " + problem;
    EXPECT_EQ(job.result, ItemResult::kErrorInternet);
    EXPECT_FALSE(isSaved("file.txt"));
    EXPECT_TRUE(job.notice.get().starts_with(reason)) << job.notice.get();
    ASSERT_EQ(prompter_->messages().size(), 1u);
    EXPECT_NE(prompter_->messages()[0].text.find(reason), std::string::npos)
        << prompter_->messages()[0].text;
    ASSERT_EQ(logEntries().size(), 1u);
    EXPECT_TRUE(logEntries()[0].reason.starts_with(reason)) << logEntries()[0].reason;
  }

  TestCertificates certificates_;
};

TEST_F(CertificateTest, AServerCertificateFromTheUsersOwnAuthorityIsTrusted) {
  const auto job = fetch(certificates_.valid("server"));
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("file.txt"), "secure");
  EXPECT_TRUE(prompter_->messages().empty());
}

TEST_F(CertificateTest, AnExpiredCertificateFailsTheItemNamingHostAndProblem) {
  expectRefused(*fetch(certificates_.expired("server")), "証明書の有効期限が切れています");
}

TEST_F(CertificateTest, ACertificateForAnotherNameFailsTheItem) {
  expectRefused(*fetch(certificates_.otherName("server")), "証明書がｻｰﾊﾞｰ名と一致しません");
}

TEST_F(CertificateTest, ACertificateOfAnUnknownAuthorityFailsTheItem) {
  expectRefused(*fetch(certificates_.unknownIssuer("server")),
                "証明書の発行者が不明です (信頼された認証局のものではありません)");
}

TEST_F(CertificateTest, WithoutTheUsersAuthorityTheSystemsAloneDecide) {
  const auto job = fetch(certificates_.valid("server"), /*ownAuthority=*/false);
  expectRefused(*job, "証明書の発行者が不明です (信頼された認証局のものではありません)");
}

}  // namespace
}  // namespace murlo::test
