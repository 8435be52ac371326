// JobSession over the recording host: the chain from analysis to download, the pages it
// does not fetch twice, the end sounds and the failure count across both jobs.
#include "jobs/job-session.h"

#include <gtest/gtest.h>

#include "job-test.h"
#include "jobs/analysis-job.h"
#include "jobs/completion-sound.h"
#include "jobs/download-job.h"

namespace murlo::test {
namespace {

using JobSessionTest = JobTest;

TEST_F(JobSessionTest, AnAnalysisChainsTheDownloadOfItsPagesWithoutFetchingThemAgain) {
  JobSession session(host_);
  EXPECT_FALSE(session.startDownload(DownloadMode::kAll));  // nothing to download
  EXPECT_EQ(session.stop(false), JobSession::StopResult::kNotRunning);

  serve("/site/index.html", "<img src=\"a.jpg\"><img src=\"gone.jpg\">", "text/html");
  serve("/site/a.jpg", "AAA");
  server_.start();
  addRow(server_.url("/site/index.html"), true);
  addRow(server_.url("/missing.html"), true);
  ASSERT_TRUE(session.startAnalysis({.mode = AnalysisMode::kSelected, .autoDownload = true}));
  EXPECT_FALSE(session.startDownload(DownloadMode::kAll));  // one job at a time
  ASSERT_TRUE(host_.run([&] {
    session.tick();
    return session.running();
  }));

  EXPECT_EQ(saved("a.jpg"), "AAA");
  EXPECT_EQ(saved("index.html"), "<img src=\"a.jpg\"><img src=\"gone.jpg\">");
  EXPECT_EQ(requests(), (std::vector<std::string>{"/site/index.html", "/site/a.jpg"}));
  // Analysis start, the page, the failed page; download start, the page, the failed page
  // again, a.jpg, gone.jpg failed.
  ASSERT_EQ(host_.outputCodes().size(), 8u);
  EXPECT_EQ(host_.outputCodes()[3], OutputEvent(JobStart::kDownload));
  EXPECT_EQ(session.failures(), 3);
  EXPECT_EQ(host_.sounds,
            (std::vector<CompletionSound>{CompletionSound::kError, CompletionSound::kAnalysis,
                                          CompletionSound::kError, CompletionSound::kError,
                                          CompletionSound::kDownload}));
  // The progress display came down once, after the download, and the end was reported
  // once: the download's four items, the two failed ones counted.
  EXPECT_EQ(host_.progressEnds, 1);
  EXPECT_EQ(host_.endings, std::vector<std::string>{"ﾀﾞｳﾝﾛｰﾄﾞが終了しました: 2/4 完了、失敗 2"});
  EXPECT_TRUE(session.progress().download);
}

TEST_F(JobSessionTest, AnAnalysisReportsItsPagesAndAStoppedJobReportsNothing) {
  JobSession session(host_);
  serve("/a.html", "<img src=\"a.jpg\">", "text/html");
  serve("/b.html", "<img src=\"b.jpg\">", "text/html");
  server_.start();
  for (const char* page : {"/a.html", "/gone.html", "/b.html"}) addRow(server_.url(page), true);
  const auto runToEnd = [&] {
    return host_.run([&] {
      session.tick();
      return session.running();
    });
  };
  ASSERT_TRUE(session.startAnalysis({.mode = AnalysisMode::kSelected}));
  ASSERT_TRUE(runToEnd());
  EXPECT_EQ(host_.endings, std::vector<std::string>{"解析が終了しました: 2/3 完了、失敗 1"});

  ASSERT_TRUE(session.startDownload(DownloadMode::kAll));
  EXPECT_EQ(session.stop(true), JobSession::StopResult::kStopped);
  ASSERT_TRUE(runToEnd());
  EXPECT_EQ(host_.endings.size(), 1u);
}

// A crawl is asked for with its start page: the session appends that page as the seed row,
// with the tag the front end names, and the crawl starts there.
TEST_F(JobSessionTest, ACrawlStartsFromTheSeedRowTheSessionAppends) {
  serve("/site/index.html", "<a href=\"next.html\">n</a>", "text/html");
  serve("/site/next.html", "<img src=\"a.jpg\">", "text/html");
  server_.start();
  JobSession session(host_);
  ASSERT_TRUE(session.startAnalysis({.mode = AnalysisMode::kRecursive,
                                     .address = server_.url("/site/index.html"),
                                     .mustContain = server_.url("/site/"),
                                     .seedTag = "WIZARD"}));
  ASSERT_TRUE(host_.run([&] {
    session.tick();
    return session.running();
  }));

  EXPECT_EQ(requests(), (std::vector<std::string>{"/site/index.html", "/site/next.html"}));
  EXPECT_EQ(names(), "index.html;next.html;a.jpg;");
  EXPECT_EQ(host_.list.text(0, kColTag), "WIZARD");
}

}  // namespace
}  // namespace murlo::test
