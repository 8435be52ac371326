// Murlo.log and the events the threads signal with.
#include "net/error-log.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <thread>
#include <vector>

#include "net-test.h"
#include "net/event.h"
#include "net/job-record.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "raw-test-server.h"
#include "settings/app-settings.h"
#include "text/cp932.h"

namespace murlo::test {
namespace {

using namespace std::chrono_literals;

using ErrorLogTest = NetTest;

TEST_F(ErrorLogTest, ANewLogStartsWithTheBannerAndHoldsCrLfEntriesInUtf8) {
  ASSERT_EQ(appendErrorLog(sandbox_.dir(), "http://a/x.zip", "first"), 0);
  // Texts in the list's CP932 are written in UTF-8 like the rest of the file.
  ASSERT_EQ(appendErrorLog(sandbox_.dir() + "/", utf8ToCp932("http://b/写真.zip"),
                           utf8ToCp932("接続が確立できません")),
            0);
  const std::string log = sandbox_.read("Murlo.log");
  const std::regex layout(
      "--Murlo  ver 2\\.02  ERRORLOG--\r\n"
      "\r\n\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}  http://a/x\\.zip\r\nfirst"
      "\r\n\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}  http://b/写真\\.zip\r\n接続が確立できません");
  EXPECT_TRUE(std::regex_match(log, layout)) << log;
  EXPECT_FALSE(log.ends_with("\r\n"));
}

TEST_F(ErrorLogTest, AnOlderLogKeepsItsLinesAndANoticeIsCutBetweenCharacters) {
  const std::string older = "--Murlo  ver 2.02  ERRORLOG--\r\n\r\n2020-01-01 00:00  http://a/\r\n" +
                            utf8ToCp932("接続が拒否されました");
  sandbox_.write("Murlo.log", older);
  auto job = makeJob("http://c/");
  logNoticeText(std::string(1100, 'a') + "写真", *job);
  logNoticeText(std::string(1021, 'a') + "写真", *job);
  const std::string log = sandbox_.read("Murlo.log");
  EXPECT_TRUE(log.starts_with(older));
  const auto entries = logEntries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].reason, std::string(1023, 'a'));
  EXPECT_EQ(entries[2].reason, std::string(1021, 'a'));  // "写" does not fit whole
}

TEST_F(ErrorLogTest, ConnectionFailuresAreLoggedWithJapaneseReasons) {
  RawTestServer plain("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  struct Case {
    std::string url;
    std::string message;
    std::string reason;
  };
  const Case cases[] = {
      {"http://127.0.0.1:1/x.bin", "サーバーに接続できませんでした",
       "ｻｰﾊﾞｰに接続できませんでした ("},
      // A server that answers in plain text where TLS was asked for.
      {"https://127.0.0.1:" + std::to_string(plain.port()) + "/x.bin",
       "接続に関するｴﾗｰが発生しました", "SSL 接続を確立できませんでした ("},
  };
  for (const Case& c : cases) {
    auto job = makeJob(c.url, "x.bin");
    runItem(ItemKind::kDownload, *job);
    EXPECT_EQ(job->result, ItemResult::kErrorInternet) << c.url;
    ASSERT_FALSE(messageTexts().empty());
    EXPECT_EQ(messageTexts().back(), c.message);
    ASSERT_FALSE(logEntries().empty());
    EXPECT_TRUE(logEntries().back().reason.starts_with(c.reason)) << logEntries().back().reason;
  }
  EXPECT_TRUE(isValidUtf8(sandbox_.read("Murlo.log")));
}

TEST_F(ErrorLogTest, EntriesOfThreadsFailingTogetherNeverInterleave) {
  constexpr int kThreads = 8;
  constexpr int kEntries = 40;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t] {
      const std::string reason(500, static_cast<char>('a' + t));
      for (int i = 0; i < kEntries; ++i)
        appendErrorLog(sandbox_.dir(), "http://t/" + std::to_string(t), reason);
    });
  }
  for (auto& thread : threads) thread.join();
  const auto entries = logEntries();
  ASSERT_EQ(entries.size(), static_cast<std::size_t>(kThreads * kEntries));
  for (const auto& entry : entries) {
    const char expected = static_cast<char>('a' + (entry.url.back() - '0'));
    EXPECT_EQ(entry.reason, std::string(500, expected));
  }
  EXPECT_EQ(sandbox_.read("Murlo.log").find("ERRORLOG", 40), std::string::npos);
}

TEST_F(ErrorLogTest, ALogThatCannotBeWrittenIsReportedWhenAskedAndKeepsTheResult) {
  sandbox_.write("appdir", "a file where the application folder should be");
  std::filesystem::create_directory(sandbox_.path("full"));
  std::filesystem::create_symlink("/dev/full", sandbox_.path("full/Murlo.log"));
  struct Case {
    std::string appDir;
    std::string report;
  };
  const Case cases[] = {
      {sandbox_.path("appdir"),
       "Murlo.log 作成に致命的なｴﾗｰが発生しました\r\nすぐ制作者に連絡して下さい"},
      // A full disk is told as what it is.
      {sandbox_.path("full"), "Murlo.log に書き込めませんでした (ﾃﾞｨｽｸに空きがありません)"}};
  for (const Case& c : cases) {
    auto job = makeJob("http://x/");
    job->result = ItemResult::kErrorFile;
    job->appDir = c.appDir;
    logExceptionText(std::runtime_error("reason"), *job);
    // The worker only notes it: job control reports it after the item's own result.
    EXPECT_TRUE(prompter_->messages().empty());
    EXPECT_EQ(job->result, ItemResult::kErrorFile);
    ScriptedPrompter report;
    reportLogFailure(*job, report);
    ASSERT_EQ(report.messages().size(), 1u);
    EXPECT_EQ(report.messages()[0].text, c.report);
    EXPECT_EQ(report.messages()[0].icon, PromptIcon::kExclamation);
  }
}

TEST(EventTest, IsAutoResetAndWakesAWaiter) {
  Event event;
  EXPECT_FALSE(event.tryWait());
  event.set();
  EXPECT_TRUE(event.isSet());
  EXPECT_TRUE(event.tryWait());
  EXPECT_FALSE(event.tryWait());  // the successful wait reset it

  std::thread setter([&] { event.set(); });
  EXPECT_TRUE(event.wait(10s));
  setter.join();
  EXPECT_FALSE(event.wait(20ms));
  event.set();
  event.reset();
  EXPECT_FALSE(event.isSet());
}

}  // namespace
}  // namespace murlo::test
