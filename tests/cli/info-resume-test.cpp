// murlo-cli info and resume against a loopback HTTP server in the test process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>

#include "cli-runner.h"
#include "http-test-server.h"
#include "sandbox.h"

namespace murlo::test {
namespace {

constexpr const char* kModified = "Tue, 14 Nov 2023 22:13:20 GMT";
constexpr time_t kModifiedTime = 1700000000;

class CliInfoResumeTest : public ::testing::Test {
 protected:
  CliInfoResumeTest() {
    ::mkdir(box_.path("save").c_str(), 0777);
    box_.write("Murlo.ini", "[STORE]\r\nPATH01=" + box_.path("save") + "/\r\n");
    server_.routes().Get("/big.bin",
                         [this](const httplib::Request& request, httplib::Response& response) {
                           ranges_->add(request.get_header_value("Range"));
                           response.set_header("Date", "Wed, 15 Nov 2023 08:00:00 GMT");
                           response.set_header("Last-Modified", kModified);
                           response.set_content(body_, "application/octet-stream");
                         });
    server_.routes().Get("/moved", [this](const httplib::Request&, httplib::Response& response) {
      response.set_redirect(server_.url("/big.bin"));
    });
    server_.start();
  }
  CliResult run(const std::vector<std::string>& args) { return runCli(args, box_.dir()); }
  // The first `size` bytes of the file, dated with the server's Last-Modified time as an
  // interrupted download leaves them; returns the full path.
  std::string writePartial(const std::string& relative, std::size_t size) {
    box_.write(relative, body_.substr(0, size));
    const std::string path = box_.path(relative);
    const timespec times[2] = {{kModifiedTime, 0}, {kModifiedTime, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    return path;
  }

  const std::string body_ = bytePattern(300000);
  Sandbox box_;
  // Before the server: its handlers record into it until the server has stopped.
  std::shared_ptr<RecordedTexts> ranges_ = std::make_shared<RecordedTexts>();
  HttpTestServer server_;
};

TEST_F(CliInfoResumeTest, InfoPrintsSizeAndDatesAndFollowsARedirect) {
  const CliResult info = run({"info", server_.url("/big.bin"), "--referrer", "http://r.example/"});
  EXPECT_EQ(info.exitCode, 0) << info.err;
  EXPECT_EQ(info.out, "300000\n2023/11/15\n2023/11/14\n");

  const CliResult moved = run({"info", server_.url("/moved")});
  EXPECT_EQ(moved.exitCode, 0) << moved.err;
  EXPECT_EQ(moved.out, "300000\n2023/11/15\n2023/11/14\n");

  const CliResult missing = run({"info", server_.url("/none.bin")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("このﾌｧｲﾙは存在しません"), std::string::npos) << missing.err;

  EXPECT_EQ(run({"info"}).exitCode, 2);
}

TEST_F(CliInfoResumeTest, AnOptionWithoutItsValueOrUnknownIsAUsageErrorNotAnAddress) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"info", "--referrer"},
                                             {"info", "--referrer", "--referrer"},
                                             {"info", server_.url("/big.bin"), "--referer", "R"},
                                             {"resume", "a.part", "http://h/a", "--list"},
                                             {"scan", "page.htm", "--page"}}) {
    const CliResult r = run(args);
    EXPECT_EQ(r.exitCode, 2) << args[1] << " " << args.back();
    EXPECT_NE(r.err.find("使い方"), std::string::npos) << r.err;
  }
  const CliResult unknown = run({"info", server_.url("/big.bin"), "--referer", "R"});
  EXPECT_NE(unknown.err.find("不明なオプションです: --referer"), std::string::npos) << unknown.err;
}

TEST_F(CliInfoResumeTest, ResumeAddsTheRowThatTheNextDownloadCompletes) {
  const std::string partial = writePartial("save/big.bin", 120000);

  const CliResult added = run({"resume", "save/big.bin", server_.url("/big.bin"), "--referrer",
                               "http://r.example/", "--list", "l.mrl"});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  EXPECT_EQ(run({"list", "--raw", "l.mrl"}).out,
            "big.bin\t" + server_.url("/") + "\tRESUME\tbin\t0 kb \x8A\xAE\x97\xB9 : " + partial +
                "\thttp://r.example/\n");

  const CliResult download = run({"download", "--list", "l.mrl"});
  EXPECT_EQ(download.exitCode, 0) << download.err;
  EXPECT_EQ(ranges_->all(), std::vector<std::string>{"bytes=120000-"});
  EXPECT_TRUE(readFile(partial) == body_);
  EXPECT_EQ(run({"list", "--raw", "l.mrl"}).out, "");
}

TEST_F(CliInfoResumeTest, APartialFileOutsideTheSaveFolderNeedsItsOwnYes) {
  std::filesystem::create_directory(box_.path("elsewhere"));
  const std::string partial = writePartial("elsewhere/big.bin", 1000);
  ASSERT_EQ(run({"resume", partial, server_.url("/big.bin"), "--list", "l.mrl"}).exitCode, 0);

  EXPECT_EQ(run({"download", "--yes", "--list", "l.mrl"}).exitCode, 1);
  EXPECT_EQ(readFile(partial).size(), 1000u);

  // The failed row keeps the path, so the same partial file is continued once agreed.
  const CliResult agreed = run({"download", "--resume-outside", "--list", "l.mrl"});
  EXPECT_EQ(agreed.exitCode, 0) << agreed.err;
  EXPECT_TRUE(readFile(partial) == body_);
  EXPECT_EQ(ranges_->all().back(), "bytes=1000-");
}

TEST_F(CliInfoResumeTest, ResumeRefusesWhatTheDialogRefuses) {
  const CliResult bare = run({"resume", "x.part", "word", "--list", "l.mrl"});
  EXPECT_EQ(bare.exitCode, 2);
  EXPECT_NE(bare.err.find("不正な URL です"), std::string::npos) << bare.err;
  const CliResult empty = run({"resume", "x.part", "", "--list", "l.mrl"});
  EXPECT_NE(empty.err.find("URLが指定されていません"), std::string::npos) << empty.err;
  EXPECT_EQ(run({"resume", "x.part", "http://h.example/x"}).exitCode, 2);  // no list
  EXPECT_FALSE(std::filesystem::exists(box_.path("l.mrl")));
}

}  // namespace
}  // namespace murlo::test
