// murlo-cli get, and the connection options of the job commands (--cookies, --save-cookies,
// --cacert) against loopback HTTP and HTTPS servers in the test process.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>

#include "cli-runner.h"
#include "http-test-server.h"
#include "sandbox.h"
#include "test-certificates.h"

namespace murlo::test {
namespace {

class CliConnectionTest : public ::testing::Test {
 protected:
  CliConnectionTest() {
    ::mkdir(box_.path("save").c_str(), 0777);
    ::mkdir(box_.path("tmp").c_str(), 0777);
    // Output window, successes, failures with their causes.
    box_.write("Murlo.ini",
               "[SETTING]\r\nOutput=59\r\n[STORE]\r\nPATH01=" + box_.path("save") + "/\r\n");
    // The temporary list of `get` goes where the test can see it (the child inherits it).
    ::setenv("TMPDIR", box_.path("tmp").c_str(), 1);
  }
  ~CliConnectionTest() override { ::unsetenv("TMPDIR"); }

  void serve(const std::string& path, const std::string& body) {
    server_.routes().Get(path, [body](const httplib::Request&, httplib::Response& response) {
      response.set_content(body, "application/octet-stream");
    });
  }
  std::vector<std::string> temporaryLists() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(box_.path("tmp"))) {
      names.push_back(entry.path().string());
    }
    return names;
  }

  Sandbox box_;
  HttpTestServer server_;
};

TEST_F(CliConnectionTest, GetDownloadsTheAddressesAndLeavesNoListBehind) {
  serve("/a.bin", "first");
  serve("/dir/b.bin", "second");
  server_.start();
  ::mkdir(box_.path("got").c_str(), 0777);
  const CliResult run =
      runCli({"get", server_.url("/a.bin"), server_.url("/dir/b.bin"), "--save-folder", "got"},
             box_.dir());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(box_.read("got/a.bin"), "first");
  EXPECT_EQ(box_.read("got/b.bin"), "second");
  EXPECT_TRUE(temporaryLists().empty());
  EXPECT_EQ(run.out.find('\r'), std::string::npos) << "piped output has no carriage returns";
  EXPECT_EQ(run.err.find('\r'), std::string::npos);
}

TEST_F(CliConnectionTest, GetKeepsTheListOfWhatFailedForDownloadToContinue) {
  serve("/d/a.bin", "first");
  std::atomic<bool> late = false;
  server_.routes().Get("/d/late.bin",
                       [&late](const httplib::Request&, httplib::Response& response) {
                         if (!late) {
                           response.status = 503;
                           return;
                         }
                         response.set_content("late", "application/octet-stream");
                       });
  server_.start();
  const CliResult run = runCli(
      {"get", server_.url("/d/a.bin"), server_.url("/d/late.bin"), "--hierarchy"}, box_.dir());
  EXPECT_EQ(run.exitCode, 1) << run.err;
  const std::vector<std::string> lists = temporaryLists();
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_NE(run.err.find("murlo-cli download --list " + lists[0]), std::string::npos) << run.err;
  EXPECT_EQ(box_.read("save/d/a.bin"), "first");

  late = true;
  const CliResult again = runCli({"download", "--list", lists[0], "--hierarchy"}, box_.dir());
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(box_.read("save/d/late.bin"), "late");
}

TEST_F(CliConnectionTest, GetRefusesWhatIsNoAddressAndAListOption) {
  server_.start();
  EXPECT_EQ(runCli({"get", "   "}, box_.dir()).exitCode, 2);
  EXPECT_EQ(runCli({"get", server_.url("/a"), "--list", "l.mrl"}, box_.dir()).exitCode, 2);
  EXPECT_EQ(runCli({"get"}, box_.dir()).exitCode, 2);
  EXPECT_TRUE(temporaryLists().empty());
}

TEST_F(CliConnectionTest, CookiesGoOutAndComeBackOnlyWhereTheUserAsks) {
  RecordedTexts sent;
  server_.routes().Get("/login",
                       [&sent](const httplib::Request& request, httplib::Response& response) {
                         sent.add(request.get_header_value("Cookie"));
                         response.set_header("Set-Cookie", "session=new; Path=/");
                         response.set_content("in", "text/plain");
                       });
  server_.routes().Get("/data.bin",
                       [&sent](const httplib::Request& request, httplib::Response& response) {
                         sent.add(request.get_header_value("Cookie"));
                         response.set_content("data", "application/octet-stream");
                       });
  server_.start();
  const std::string cookies =
      "# Netscape HTTP Cookie File\n127.0.0.1\tFALSE\t/\tFALSE\t0\tuser\tme\n";
  box_.write("cookies.txt", cookies);
  const CliResult run = runCli({"get", server_.url("/login"), server_.url("/data.bin"), "--cookies",
                                "cookies.txt", "--save-cookies", "out.txt"},
                               box_.dir());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> requests = sent.all();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], "user=me");
  EXPECT_NE(requests[1].find("user=me"), std::string::npos) << requests[1];
  EXPECT_NE(requests[1].find("session=new"), std::string::npos) << requests[1];
  EXPECT_EQ(box_.read("cookies.txt"), cookies) << "never written back";
  const std::string saved = box_.read("out.txt");
  EXPECT_NE(saved.find("\tuser\tme\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\tsession\tnew\n"), std::string::npos) << saved;
}

TEST_F(CliConnectionTest, AMalformedCookieFileStopsTheCommandWithItsLine) {
  server_.start();
  box_.write("cookies.txt", "# fine\n127.0.0.1 FALSE / FALSE 0 user me\n");
  const CliResult run =
      runCli({"get", server_.url("/a.bin"), "--cookies", "cookies.txt"}, box_.dir());
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("cookies.txt の 2 行目が Netscape 形式ではありません"), std::string::npos)
      << run.err;
  const CliResult missing =
      runCli({"get", server_.url("/a.bin"), "--cacert", "none.pem"}, box_.dir());
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("none.pem を読み込めません"), std::string::npos) << missing.err;
  EXPECT_EQ(runCli({"get", server_.url("/a.bin"), "--cacert", "."}, box_.dir()).exitCode, 2);
}

TEST_F(CliConnectionTest, ACertificateThatDoesNotVerifyIsExplainedOnTheTerminal) {
  const TestCertificates certificates(box_.dir());
  const CertificateFiles good = certificates.valid("good");
  const CertificateFiles old = certificates.expired("old");
  HttpTestServer secure(good.certificate, good.key);
  HttpTestServer expired(old.certificate, old.key);
  for (HttpTestServer* server : {&secure, &expired}) {
    server->routes().Get("/s.bin", [](const httplib::Request&, httplib::Response& response) {
      response.set_content("secret", "application/octet-stream");
    });
    server->start();
  }
  const std::string ca = certificates.trustedAuthority();
  const CliResult ok = runCli({"get", secure.url("/s.bin"), "--cacert", ca}, box_.dir());
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
  EXPECT_EQ(box_.read("save/s.bin"), "secret");

  const CliResult refused = runCli({"get", expired.url("/s.bin"), "--cacert", ca}, box_.dir());
  EXPECT_EQ(refused.exitCode, 1);
  const std::string reason =
      "ｻｰﾊﾞｰ 127.0.0.1 の証明書を確認できませんでした: 証明書の有効期限が切れています";
  EXPECT_NE(refused.out.find(">Notice :" + reason), std::string::npos) << refused.out;
  EXPECT_NE(refused.err.find(reason), std::string::npos) << refused.err;
}

}  // namespace
}  // namespace murlo::test
