// AnalysisJob against a loopback HTTP server: the three modes, the recursive passes and
// the end with delete-HTML and the chained download.
#include "jobs/analysis-job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "job-test.h"
#include "jobs/crawl-bounds.h"
#include "jobs/write-output.h"
#include "net/result-codes.h"
#include "wait-for.h"

namespace murlo::test {
namespace {

class AnalysisJobTest : public JobTest {
 protected:
  void servePage(const std::string& path, const std::string& body) {
    serve(path, body, "text/html");
  }
  // The analyses' own page files in the program folder (Murlo.tmp excepted).
  std::vector<std::string> pageFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(sandbox_.dir())) {
      if (entry.path().filename().string().starts_with("Murlo.tmp.")) files.push_back(entry.path());
    }
    return files;
  }
  // A careless server: every path under `folder`, at any depth, gets the page named by its
  // last part, so each address a link gives a file fetches it again.
  void serveByLastName(const std::string& folder, std::map<std::string, std::string> pages) {
    serveBy(folder + ".*", [pages = std::move(pages)](const httplib::Request& request) {
      const auto page = pages.find(request.path.substr(request.path.rfind('/') + 1));
      return page == pages.end() ? std::string() : page->second;
    });
  }
  // The full addresses of the rows without the server's "http://127.0.0.1:port", sorted.
  std::vector<std::string> sortedAddresses() {
    std::vector<std::string> addresses;
    for (int i = 0; i < host_.list.count(); ++i) {
      addresses.push_back(fullAddress(host_.list.row(i)).substr(server_.url("").size()));
    }
    std::sort(addresses.begin(), addresses.end());
    return addresses;
  }
  std::vector<std::string> notFollowed() {
    std::vector<std::string> texts;
    for (const auto& output : host_.outputs) {
      if (output.code == OutputEvent(JobNote::kNotFollowed)) texts.push_back(output.text);
    }
    return texts;
  }
  int count(const std::string& path) {
    int n = 0;
    for (const auto& p : requests()) n += p == path;
    return n;
  }
};

TEST_F(AnalysisJobTest, OneAddressAppendsItsLinksWithTheirReferrer) {
  servePage("/p.html", "<img src=\"a.jpg\"><a href=\"sub/b.html\">b</a>");
  server_.start();
  AnalysisJob job(host_, AnalysisMode::kOne, server_.url("/p.html"));
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(names(), "a.jpg;b.html;");
  EXPECT_EQ(host_.list.text(1, kColUrl), server_.url("/sub/"));
  EXPECT_EQ(host_.list.text(0, kColReferrer), server_.url("/p.html"));
  EXPECT_EQ(host_.outputCodes(),
            (std::vector<OutputEvent>{JobStart::kAnalyze, ItemResult::kSucceed}));
  EXPECT_TRUE(host_.sounds.empty());
}

TEST_F(AnalysisJobTest, SelectedModeAnalysesSelectedPagesAndMarksFailures) {
  servePage("/one.html", "<img src=\"1.jpg\">");
  server_.start();
  addRow(server_.url("/one.html"), true);
  addRow(server_.url("/skipped.html"));
  addRow(server_.url("/gone.html"), true);
  AnalysisJob job(host_, AnalysisMode::kSelected);
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(names(), "one.html;skipped.html;gone.html;1.jpg;");
  EXPECT_EQ(host_.list.row(0).image, kImageWaiting);
  EXPECT_EQ(host_.list.row(1).image, kImageWaiting);
  EXPECT_EQ(host_.list.row(2).image, kImageFailed);
  EXPECT_EQ(host_.sounds, std::vector<CompletionSound>{CompletionSound::kError});
  EXPECT_EQ(host_.outputCodes().size(), 3u);
  EXPECT_EQ(count("/skipped.html"), 0);
}

TEST_F(AnalysisJobTest, SelectedModeWithNothingSelectedEndsAtTheNextPoll) {
  server_.start();
  addRow(server_.url("/a.html"));
  AnalysisJob job(host_, AnalysisMode::kSelected);
  job.start();
  EXPECT_FALSE(job.timerTick());
  EXPECT_EQ(host_.outputCodes(), (std::vector<OutputEvent>{JobStart::kAnalyze, ItemResult::kNone}));
  EXPECT_EQ(host_.sounds, std::vector<CompletionSound>{CompletionSound::kError});
  EXPECT_EQ(host_.list.row(0).image, kImageWaiting);
  EXPECT_TRUE(requests().empty());
}

TEST_F(AnalysisJobTest, RowsDeletedDuringTheJobNeverGetAnotherRowsUpdates) {
  servePage("/a.html", "");
  servePage("/b.html", "");
  server_.start();
  addRow(server_.url("/x.jpg"));
  addRow(server_.url("/a.html"), true);
  addRow(server_.url("/b.html"), true);
  AnalysisJob job(host_, AnalysisMode::kSelected);
  // The user deletes the first row while the first page is being fetched.
  host_.onOutput = [&](const OutputEvent& code) {
    if (code == OutputEvent(ItemResult::kSucceed) && host_.list.text(0, kColFileName) == "x.jpg")
      host_.list.deleteRow(0);
  };
  job.start();
  ASSERT_TRUE(host_.run([&] { return job.timerTick(); }));
  EXPECT_EQ(names(), "a.html;b.html;");
  EXPECT_EQ(host_.list.row(0).image, kImageWaiting);
  EXPECT_EQ(host_.list.row(1).image, kImageWaiting);
  EXPECT_EQ(count("/a.html"), 1);
  EXPECT_EQ(count("/b.html"), 1);
}

TEST_F(AnalysisJobTest, TwoAnalysesInOneFolderEachScanTheirOwnPage) {
  servePage("/a.html", "<img src=\"a.jpg\">");
  servePage("/b.html", "<img src=\"b.jpg\">");
  server_.start();
  RecordingHost other(sandbox_.dir());
  other.settingsValue = host_.settingsValue;
  AnalysisJob first(host_, AnalysisMode::kOne, server_.url("/a.html"));
  AnalysisJob second(other, AnalysisMode::kOne, server_.url("/b.html"));
  // Both pages are fetched before either is scanned.
  first.start();
  ASSERT_TRUE(waitFor([&] { return host_.totalWakes > 0; }));
  second.start();
  ASSERT_TRUE(waitFor([&] { return other.totalWakes > 0; }));
  ASSERT_TRUE(host_.run([&] { return first.timerTick(); }));
  ASSERT_TRUE(other.run([&] { return second.timerTick(); }));
  EXPECT_EQ(names(), "a.jpg;");
  ASSERT_EQ(other.list.count(), 1);
  EXPECT_EQ(other.list.text(0, kColFileName), "b.jpg");
  // Murlo.tmp holds the page scanned last; no page file is left beside it.
  EXPECT_EQ(sandbox_.read("Murlo.tmp"), "<img src=\"b.jpg\">");
  EXPECT_EQ(pageFiles(), std::vector<std::string>{});
}

TEST_F(AnalysisJobTest, APageFileGoneBeforeTheScanFailsTheRowWithAMessageUnlessSuppressed) {
  servePage("/p.html", "<img src=\"a.jpg\">");
  server_.start();
  // The fetched page's file disappears between the fetch and the scan.
  host_.onOutput = [&](const OutputEvent& code) {
    if (code != OutputEvent(ItemResult::kSucceed)) return;
    for (const std::string& file : pageFiles()) std::filesystem::remove(file);
  };
  for (const bool suppressed : {false, true}) {
    host_.list.deleteAll();
    addRow(server_.url("/p.html"), true);
    host_.settingsValue.movement = suppressed ? movement::kNoErrorMessages : 0;
    const auto before = host_.prompterValue.messages().size();
    AnalysisJob job(host_, AnalysisMode::kSelected);
    ASSERT_TRUE(host_.runJob(job));
    EXPECT_EQ(names(), "p.html;");
    EXPECT_EQ(host_.list.row(0).image, kImageFailed);
    const auto messages = host_.prompterValue.messages();
    std::vector<std::string> shown;
    for (auto m = messages.begin() + static_cast<std::ptrdiff_t>(before); m != messages.end();
         ++m) {
      shown.push_back(m->text);
      EXPECT_EQ(m->icon, PromptIcon::kStop);
    }
    // The scanner names the missing file; the job's own failure message can be turned off.
    std::vector<std::string> expected{"ﾌｧｲﾙ(Murlo.tmp)が見付かりません"};
    if (!suppressed) expected.push_back("解析に失敗しました");
    EXPECT_EQ(shown, expected);
  }
}

TEST_F(AnalysisJobTest, TimerTickIsNotReentered) {
  servePage("/p.html", "");
  server_.start();
  AnalysisJob job(host_, AnalysisMode::kOne, server_.url("/p.html"));
  int inner = -1;
  host_.onOutput = [&](const OutputEvent& code) {
    if (code == OutputEvent(ItemResult::kSucceed)) inner = job.timerTick();
  };
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(inner, 1);  // "still working", without polling again
  EXPECT_EQ(host_.outputCodes(),
            (std::vector<OutputEvent>{JobStart::kAnalyze, ItemResult::kSucceed}));
}

TEST_F(AnalysisJobTest, RecursiveModeAnalysesEachPageOnceAndKeepsOnlyContainingRows) {
  // index and sub link to each other; other.html lies outside the must-contain text.
  servePage("/site/index.html",
            "<a href=\"sub.html\">s</a><img src=\"i.jpg\"><a href=\"/other.html\">o</a>");
  servePage("/site/sub.html", "<a href=\"index.html\">i</a><img src=\"s.jpg\"><img src=\"i.jpg\">");
  servePage("/other.html", "");
  server_.start();
  addRow("http://elsewhere.invalid/old.jpg");
  addRow(server_.url("/site/index.html"));
  host_.list.setText(1, kColTag, "INDUCT");
  AnalysisJob job(host_, AnalysisMode::kRecursive, "", server_.url("/site/"));
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(names(), "index.html;sub.html;i.jpg;s.jpg;");
  EXPECT_EQ(count("/site/index.html"), 1);
  EXPECT_EQ(count("/site/sub.html"), 1);
  EXPECT_EQ(count("/other.html"), 0);
  EXPECT_EQ(host_.outputCodes(), (std::vector<OutputEvent>{JobStart::kAnalyze, ItemResult::kSucceed,
                                                           ItemResult::kSucceed}));
  EXPECT_TRUE(host_.sounds.empty());
  EXPECT_EQ(host_.list.row(0).image, kImageWaiting);
  EXPECT_EQ(host_.list.row(1).image, kImageWaiting);
}

TEST_F(AnalysisJobTest, RecursiveModeFetchesTheNextPagesAheadAndAStopDropsThemUnscanned) {
  servePage("/site/index.html", "<a href=\"a.html\">a</a><a href=\"b.html\">b</a>");
  servePage("/site/a.html", "<img src=\"a.jpg\">");
  servePage("/site/b.html", "<img src=\"b.jpg\">");
  server_.start();
  addRow(server_.url("/site/index.html"));
  AnalysisJob job(host_, AnalysisMode::kRecursive, "", server_.url("/site/"));
  job.start();
  ASSERT_TRUE(waitFor([&] {
    job.timerTick();
    return host_.list.count() == 3;
  }));
  // Both pages come while the host looks at none of them.
  ASSERT_TRUE(waitFor([&] { return host_.totalWakes >= 3; }));
  EXPECT_EQ(count("/site/b.html"), 1);
  EXPECT_TRUE(job.stop());
  EXPECT_EQ(names(), "index.html;a.html;b.html;");
  EXPECT_EQ(pageFiles(), std::vector<std::string>{});
  EXPECT_FALSE(job.timerTick());
}

TEST_F(AnalysisJobTest, RecursiveModeReusesItsPageFilesAndLeavesTheLastPageAsMurloTmp) {
  servePage(
      "/site/index.html",
      "<a href=\"p1.html\">1</a><a href=\"p2.html\">2</a><img src=\"long-seed-image-name.jpg\">");
  servePage("/site/p1.html", "<a href=\"p3.html\">3</a>");
  servePage("/site/p2.html", "");
  servePage("/site/p3.html", "<img src=\"c.jpg\">");
  server_.start();
  addRow(server_.url("/site/index.html"));
  AnalysisJob job(host_, AnalysisMode::kRecursive, "", server_.url("/site/"));
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(names(), "index.html;p1.html;p2.html;long-seed-image-name.jpg;p3.html;c.jpg;");
  // p3 came into the seed page's file, emptied first.
  EXPECT_EQ(sandbox_.read("Murlo.tmp"), "<img src=\"c.jpg\">");
  EXPECT_EQ(pageFiles(), std::vector<std::string>{});
}

TEST_F(AnalysisJobTest, RecursiveModeWithBothFlagsLeavesOnlyFilesAndStartsTheirDownload) {
  servePage("/site/index.html", "<a href=\"sub.html\">s</a><img src=\"i.jpg\">");
  servePage("/site/sub.html", "<a href=\"index.html\">i</a><img src=\"s.jpg\">");
  server_.start();
  addRow(server_.url("/site/index.html"));
  AnalysisJob job(host_, AnalysisMode::kRecursive, "", server_.url("/site/"), true, true);
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(names(), "i.jpg;s.jpg;");
  EXPECT_TRUE(job.autoDownload());

  // A list left empty clears the flag: there is nothing to download.
  host_.list.deleteAll();
  servePage("/lone.html", "");
  addRow(server_.url("/lone.html"));
  AnalysisJob empty(host_, AnalysisMode::kRecursive, "", "", true, true);
  ASSERT_TRUE(host_.runJob(empty));
  EXPECT_EQ(host_.list.count(), 0);
  EXPECT_FALSE(empty.autoDownload());
}

TEST_F(AnalysisJobTest, ANonPageSeedIsNotFetchedButTheMustContainPassStillRuns) {
  server_.start();
  addRow("http://elsewhere.invalid/old.jpg");
  addRow(server_.url("/site/keep.jpg"));
  addRow(server_.url("/site/photo.jpg"));
  AnalysisJob job(host_, AnalysisMode::kRecursive, "", server_.url("/site/"));
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_TRUE(requests().empty());
  EXPECT_EQ(host_.sounds, std::vector<CompletionSound>{CompletionSound::kError});
  EXPECT_EQ(names(), "keep.jpg;photo.jpg;");
}

TEST_F(AnalysisJobTest, ASeedOutsideTheMustContainTextIsDeletedAndTheCrawlGoesOn) {
  servePage("/a/index.html", "<a href=\"/b/next.html\">n</a>");
  servePage("/b/next.html", "<img src=\"pic.jpg\">");
  server_.start();
  addRow("http://elsewhere.invalid/old.jpg");
  addRow(server_.url("/a/index.html"));
  AnalysisJob job(host_, AnalysisMode::kRecursive, "", server_.url("/b/"));
  ASSERT_TRUE(host_.runJob(job));
  // The first pass deleted both rows before the new ones; the new page is still analysed.
  EXPECT_EQ(names(), "next.html;pic.jpg;");
  EXPECT_EQ(count("/b/next.html"), 1);
}

TEST_F(AnalysisJobTest, RecursiveModeFetchesEachFileOnceWhateverDotFoldersItsLinksHold) {
  serveByLastName(
      "/site/",
      {{"index.html",
        "<a href=\"sec1/./deep/b.html\">b</a><a href=\"sec2/x/../c.html\">c</a>"
        "<img src=\"./top.jpg\">"},
       {"b.html",
        "<a href=\"../a.html\">a</a><a href=\".././\">1</a><a href=\"./../../index.html\">i</a>"},
       {"a.html",
        "<a href=\"./../sec2/./c.html\">c</a><img src=\"../top.jpg\">"
        "<a href=\"deep/../deep/./b.html\">b</a>"},
       {"",
        "<img src=\"./f.jpg\"><a href=\"/site/./sec1/../index.html\">i</a><a href=\"./\">.</a>"},
       {"c.html",
        "<a href=\"../sec1/deep/./../a.html\">a</a><img src=\"./c.jpg\">"
        "<a href=\"../sec1/./\">1</a>"}});
  server_.start();
  addRow(server_.url("/site/index.html"));
  AnalysisJob job(host_, AnalysisMode::kRecursive, "", server_.url("/site/"));
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(sortedAddresses(),
            (std::vector<std::string>{"/site/index.html", "/site/sec1/", "/site/sec1/a.html",
                                      "/site/sec1/deep/b.html", "/site/sec1/f.jpg",
                                      "/site/sec2/c.html", "/site/sec2/c.jpg", "/site/top.jpg"}));
  std::vector<std::string> fetched = requests();
  std::sort(fetched.begin(), fetched.end());
  EXPECT_EQ(fetched,
            (std::vector<std::string>{"/site/index.html", "/site/sec1/", "/site/sec1/a.html",
                                      "/site/sec1/deep/b.html", "/site/sec2/c.html"}));
  EXPECT_EQ(notFollowed(), std::vector<std::string>{});
}

TEST_F(AnalysisJobTest, RecursiveModeWithTheHtmlFinderTakesEveryImageOfModernMarkupOnce) {
  servePage("/site/index.html", R"html(<!doctype html><html lang="ja"><head>
<meta charset="utf-8"><meta property="og:image" content="/site/img/og.jpg">
<link rel="icon" href="/site/favicon.ico"><style>.hero{background:url('img/hero.jpg')}</style>
</head><body class="home">
<img class="thumb" loading="lazy" src="img/a.jpg" srcset="img/a.jpg 1x, img/a@2x.jpg 2x">
<img src="data:image/gif;base64,R0lGODlhAQABAAAAACw=" data-src="img/lazy.jpg">
<picture><source srcset="img/b.webp" type="image/webp"><img src='img/b.jpg'></picture>
<div style="background-image:url(&quot;img/bg.jpg&quot;)"></div>
<a class="card" href=news/1.html>1</a><a href="/site/photo/view?id=7&amp;w=800">p</a>
<!-- <img src="img/commented.jpg"> --></body></html>)html");
  servePage("/site/news/1.html",
            R"html(<video poster="../img/poster.jpg"></video><a href="../index.html">top</a>
<img alt="x" src="../img/a.jpg"><img data-original="../img/DSCF0001.0.jpg">)html");
  server_.start();
  host_.settingsValue.tag = 15 | tagbits::kHtml5;
  host_.settingsValue.downEx = downex::kHtml | downex::kJpg | downex::kGif;
  addRow(server_.url("/site/index.html"));
  AnalysisJob job(host_, AnalysisMode::kRecursive, "", server_.url("/site/"));
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(
      sortedAddresses(),
      (std::vector<std::string>{"/site/img/DSCF0001.0.jpg", "/site/img/a.jpg", "/site/img/a@2x.jpg",
                                "/site/img/b.jpg", "/site/img/bg.jpg", "/site/img/hero.jpg",
                                "/site/img/lazy.jpg", "/site/img/og.jpg", "/site/img/poster.jpg",
                                "/site/index.html", "/site/news/1.html"}));
  EXPECT_EQ(count("/site/index.html"), 1);
  EXPECT_EQ(count("/site/news/1.html"), 1);
}

TEST_F(AnalysisJobTest, RecursiveModeKeepsButDoesNotFollowPagesBeyondTheCrawlBounds) {
  // Careless servers: one answers every deeper folder with a link one folder deeper, the
  // other every name with a link to a name 200 bytes longer.
  serveBy("/deep/.*",
          [](const httplib::Request&) { return std::string("<a href=\"sub/\">s</a>"); });
  serveBy("/long/.*", [](const httplib::Request& request) {
    const std::string name = request.path.substr(6, request.path.size() - 11);  // "/long/N.html"
    return "<a href=\"" + name + std::string(200, 'x') + ".html\">l</a>";
  });
  server_.start();

  addRow(server_.url("/deep/"));
  AnalysisJob deep(host_, AnalysisMode::kRecursive, "", server_.url("/deep/"));
  ASSERT_TRUE(host_.runJob(deep));
  const int followed = CrawlBounds::kMaxFoldersBelowStart + 1;
  EXPECT_EQ(requests().size(), followed);
  ASSERT_EQ(host_.list.count(), followed + 1);
  std::string deepest = server_.url("/deep/");
  for (int i = 0; i < followed; ++i) deepest += "sub/";
  EXPECT_EQ(fullAddress(host_.list.row(followed)), deepest);
  EXPECT_EQ(notFollowed(), std::vector<std::string>{deepest});

  host_.list.deleteAll();
  host_.outputs.clear();
  addRow(server_.url("/long/p.html"));
  AnalysisJob longer(host_, AnalysisMode::kRecursive, "", server_.url("/long/"));
  ASSERT_TRUE(host_.runJob(longer));
  std::size_t withinBound = 0;
  for (std::size_t length = server_.url("/long/p.html").size();
       length <= CrawlBounds::kMaxAddressLength; length += 200) {
    ++withinBound;
  }
  EXPECT_EQ(requests().size(), followed + withinBound);
  const std::string longest = fullAddress(host_.list.row(host_.list.count() - 1));
  EXPECT_GT(longest.size(), CrawlBounds::kMaxAddressLength);
  EXPECT_EQ(notFollowed(), std::vector<std::string>{longest});
}

}  // namespace
}  // namespace murlo::test
