// murlo-cli analyze, recurse and download against a loopback HTTP server in the test process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

#include "cli-runner.h"
#include "http-test-server.h"
#include "net/partial-file.h"
#include "sandbox.h"
#include "wait-for.h"

namespace murlo::test {
namespace {

using namespace std::chrono_literals;

class CliJobTest : public ::testing::Test {
 protected:
  CliJobTest() {
    ::mkdir(box_.path("save").c_str(), 0777);
    box_.write("Murlo.ini",
               "[SETTING]\r\nOutput=74\r\n[STORE]\r\nPATH01=" + box_.path("save") + "/\r\n");
  }
  void servePage(const std::string& path, const std::string& body) {
    server_.routes().Get(path, [body](const httplib::Request&, httplib::Response& response) {
      response.set_content(body, "text/html");
    });
  }
  // Serves `body` at `path` in 1000-byte pieces, 10 ms apart while slow_ is set, with a
  // fixed Last-Modified time, so interrupted downloads of it can be continued.
  void serveDripping(const std::string& path, const std::string& body) {
    server_.routes().Get(path, [body, slow = slow_, sent = sent_, ranges = ranges_](
                                   const httplib::Request& request, httplib::Response& response) {
      ranges->add(request.get_header_value("Range"));
      response.set_header("Last-Modified", "Tue, 14 Nov 2023 22:13:20 GMT");
      setDrippingBody(response, body, "application/octet-stream", slow, 1000, 10ms, sent);
    });
  }
  // The list file's rows as murlo-cli list --raw prints them.
  std::string listed() { return runCli({"list", "--raw", "l.mrl"}, box_.dir()).out; }

  Sandbox box_;
  HttpTestServer server_;
  std::shared_ptr<std::atomic<bool>> slow_ = std::make_shared<std::atomic<bool>>(true);
  std::shared_ptr<std::atomic<std::size_t>> sent_ = std::make_shared<std::atomic<std::size_t>>(0);
  std::shared_ptr<RecordedTexts> ranges_ = std::make_shared<RecordedTexts>();
};

// Starts murlo-cli in `cwd` without waiting for it; its output goes to files in `io`, both
// streams into "stdout" when `merged` (as 2>&1 does).
pid_t startCli(const std::vector<std::string>& args, const std::string& cwd, const Sandbox& io,
               bool merged = false) {
  const std::string outPath = io.path("stdout");
  const std::string errPath = io.path("stderr");
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(127);
    const int null = open("/dev/null", O_RDONLY);
    dup2(null, 0);
    dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    if (merged) dup2(1, 2);
    else dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    execCli(args);
  }
  return pid;
}

// Waits for the child `pid` and returns its exit status, or -1 when it did not exit.
int exitStatusOf(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(CliJobTest, InterruptSignalsSuspendADownloadAndALaterRunCompletesIt) {
  const std::string body = bytePattern(200000);
  serveDripping("/big.bin", body);
  server_.start();
  ASSERT_EQ(runCli({"add", server_.url("/big.bin"), "--list", "l.mrl"}, box_.dir()).exitCode, 0);

  const std::string partialPath =
      partialPathFor(box_.path("save") + "/big.bin", server_.url("/big.bin"));
  std::size_t partial = 0;
  // Each signal suspends the run that the one before left to be continued.
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
    Sandbox io;
    const std::size_t before = *sent_;
    const pid_t pid = startCli({"download", "--list", "l.mrl"}, box_.dir(), io);
    ASSERT_TRUE(waitFor([&] { return *sent_ >= before + 30000; }));
    ::kill(pid, signalNumber);
    EXPECT_EQ(exitStatusOf(pid), 3) << signalNumber << ": " << readFile(io.path("stderr"));

    // The row now says where its partial file is.
    const std::string row = listed();
    EXPECT_EQ(row.find("big.bin\t" + server_.url("/") + "\tRESUME\tbin\t"), 0u) << row;
    EXPECT_NE(row.find(" KB/ 195 KB  \x8A\xAE\x97\xB9 : " + partialPath + "\t"), std::string::npos)
        << row;
    const std::size_t grown = readFile(partialPath).size();
    EXPECT_GT(grown, partial) << signalNumber;
    EXPECT_LT(grown, body.size());
    partial = grown;
  }

  *slow_ = false;
  const CliResult again = runCli({"download", "--list", "l.mrl"}, box_.dir());
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(again.out, "Download...\n>Succeed :" + server_.url("/big.bin") + "\n");
  EXPECT_TRUE(readFile(box_.path("save") + "/big.bin") == body);
  EXPECT_FALSE(std::filesystem::exists(partialPath));
  EXPECT_EQ(listed(), "");
}

TEST_F(CliJobTest, ADownloadKilledMidFileIsCompletedByTheNextRunUnderItsOwnName) {
  const std::string body = bytePattern(400000);
  serveDripping("/big.bin", body);
  server_.start();
  ASSERT_EQ(runCli({"add", server_.url("/big.bin"), "--list", "l.mrl"}, box_.dir()).exitCode, 0);
  const std::string finalPath = box_.path("save") + "/big.bin";
  const std::string partialPath = partialPathFor(finalPath, server_.url("/big.bin"));

  Sandbox io;
  const pid_t pid = startCli({"download", "--list", "l.mrl"}, box_.dir(), io);
  // Killed once a block is on disk with the remote file's time, which the writer stamps just
  // after the block: only then does the partial file say which file it holds the start of.
  ASSERT_TRUE(waitFor([&] {
    struct stat info {};
    return ::stat(partialPath.c_str(), &info) == 0 && info.st_size > 0 &&
           info.st_mtime == 1700000000;  // the Last-Modified time served
  }));
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  const std::size_t kept = readFile(partialPath).size();
  EXPECT_GT(kept, 0u);
  EXPECT_LT(kept, body.size());
  EXPECT_FALSE(std::filesystem::exists(finalPath));

  *slow_ = false;
  const CliResult again = runCli({"download", "--list", "l.mrl"}, box_.dir());
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_TRUE(readFile(finalPath) == body);
  EXPECT_EQ(ranges_->all().back(), "bytes=" + std::to_string(kept) + "-");
  // One complete file, and no broken or renamed copy beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(box_.path("save")), {}), 1);
}

TEST_F(CliJobTest, ARunningDownloadKeepsAddOffItsListAndNothingIsLost) {
  serveDripping("/big.bin", bytePattern(1000000));
  server_.start();
  const std::string base = server_.url("/");
  ASSERT_EQ(
      runCli({"add", base + "big.bin", base + "gone.bin", "--list", "l.mrl"}, box_.dir()).exitCode,
      0);

  Sandbox io;
  const pid_t pid = startCli({"download", "--list", "l.mrl"}, box_.dir(), io);
  ASSERT_TRUE(waitFor([&] { return *sent_ >= 10000; }));
  const CliResult refused = runCli({"add", base + "new.bin", "--list", "l.mrl"}, box_.dir());
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("murlo-cli: l.mrl: 他の murlo がこのリストファイルを使用中です"),
            std::string::npos)
      << refused.err;

  *slow_ = false;
  EXPECT_EQ(exitStatusOf(pid), 1) << readFile(io.path("stderr"));
  const std::string failedRow = "gone.bin\t" + base + "\tADD\tbin\tError : \t\n";
  EXPECT_EQ(listed(), failedRow);
  ASSERT_EQ(runCli({"add", base + "new.bin", "--list", "l.mrl"}, box_.dir()).exitCode, 0);
  EXPECT_EQ(listed(), failedRow + "new.bin\t" + base + "\tADD\tbin\t\t\n");
  EXPECT_FALSE(std::filesystem::exists(box_.path(".l.mrl.lock")));
}

TEST_F(CliJobTest, FailedItemsStayInTheListWithTheirErrorAndExitOne) {
  servePage("/ok.html", "ok");
  server_.start();
  ASSERT_EQ(runCli({"add", server_.url("/ok.html"), server_.url("/gone.bin"), "--list", "l.mrl"},
                   box_.dir())
                .exitCode,
            0);
  const CliResult r = runCli({"download", "--list", "l.mrl", "--rows", "1-2"}, box_.dir());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(listed(), "gone.bin\t" + server_.url("/") + "\tADD\tbin\tError : \t\n");
  EXPECT_EQ(readFile(box_.path("save/ok.html")), "ok");
}

TEST_F(CliJobTest, ALogOnAFullDiskIsToldAfterTheItemsLineWhichEndsFirst) {
  server_.start();
  box_.write("Murlo.ini", "[SETTING]\r\nOutput=83\r\nMovement=66\r\n[STORE]\r\nPATH01=" +
                              box_.path("save") + "/\r\n");
  std::filesystem::create_symlink("/dev/full", box_.path("Murlo.log"));
  ASSERT_EQ(runCli({"add", server_.url("/gone.bin"), "--list", "l.mrl"}, box_.dir()).exitCode, 0);
  const Sandbox io;
  const pid_t cli = startCli({"download", "--list", "l.mrl"}, box_.dir(), io, /*merged=*/true);
  EXPECT_EQ(exitStatusOf(cli), 1);
  EXPECT_EQ(readFile(io.path("stdout")),
            "Download...\n>Error :" + server_.url("/gone.bin") +
                "\nmurlo-cli: Murlo.log に書き込めませんでした (ﾃﾞｨｽｸに空きがありません)\n");
}

TEST_F(CliJobTest, RecurseWithDeleteHtmlAndDownloadFetchesTheSiteFiles) {
  servePage("/site/index.html",
            "<a href=\"sub.html\">s</a><img src=\"a.jpg\"><a href=\"/out.html\">o</a>");
  servePage("/site/sub.html", "<a href=\"index.html\">i</a><img src=\"b.jpg\">");
  servePage("/site/a.jpg", "AAAA");
  servePage("/site/b.jpg", "BBBB");
  server_.start();
  const CliResult r = runCli({"recurse", server_.url("/site/index.html"), "--delete-html",
                              "--download", "--list", "l.mrl"},
                             box_.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Analyze...\n>Succeed :" + server_.url("/site/index.html") +
                       "\n>Succeed :" + server_.url("/site/sub.html") +
                       "\nDownload...\n>Succeed :" + server_.url("/site/a.jpg") +
                       "\n>Succeed :" + server_.url("/site/b.jpg") + "\n");
  EXPECT_EQ(readFile(box_.path("save/a.jpg")), "AAAA");
  EXPECT_EQ(readFile(box_.path("save/b.jpg")), "BBBB");
  EXPECT_EQ(listed(), "");
}

TEST_F(CliJobTest, AnalyzeAppendsTheLinksOfTheChosenRows) {
  servePage("/p.html", "<img src=\"x.jpg\">");
  server_.start();
  ASSERT_EQ(
      runCli({"add", server_.url("/p.html"), server_.url("/q.jpg"), "--list", "l.mrl"}, box_.dir())
          .exitCode,
      0);
  const CliResult r = runCli({"analyze", "--list", "l.mrl"}, box_.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::string base = server_.url("/");
  EXPECT_EQ(listed(), "p.html\t" + base + "\tADD\thtml\t\t\n" + "q.jpg\t" + base +
                          "\tADD\tjpg\t\t\n" + "x.jpg\t" + base + "\tIMG\tjpg\t\t" +
                          server_.url("/p.html") + "\n");
}

TEST_F(CliJobTest, UsageAndInputErrorsExitTwo) {
  EXPECT_EQ(runCli({"download"}, box_.dir()).exitCode, 2);
  EXPECT_EQ(runCli({"download", "--list", "missing.mrl"}, box_.dir()).exitCode, 2);
  ASSERT_EQ(runCli({"add", "http://127.0.0.1:1/a.bin", "--list", "l.mrl"}, box_.dir()).exitCode, 0);
  for (const char* rows : {"0", "2", "1-", "x", "2-1"}) {
    EXPECT_EQ(runCli({"download", "--list", "l.mrl", "--rows", rows}, box_.dir()).exitCode, 2)
        << rows;
  }
  const CliResult image = runCli({"recurse", "http://h/a.jpg", "--list", "l.mrl"}, box_.dir());
  EXPECT_EQ(image.exitCode, 2);
  EXPECT_EQ(image.err, "murlo-cli: このURLは解析不可能です。\n");
  EXPECT_EQ(runCli({"recurse", "nourl", "--list", "l.mrl"}, box_.dir()).err,
            "murlo-cli: 不正なURLです。\n");
}

}  // namespace
}  // namespace murlo::test
