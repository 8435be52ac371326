#include "analysis/page-scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "sandbox.h"
#include "scripted-prompter.h"

namespace murlo::test {
namespace {

class PageScanTest : public ::testing::Test {
 protected:
  // Each appended row as "tag url fileName extension referrer".
  std::vector<std::string> rows() const {
    std::vector<std::string> out;
    for (int i = 0; i < list_.count(); ++i) {
      const ItemRecord& r = list_.row(i);
      out.push_back(r.tag + " " + r.url + " " + r.fileName + " " + r.extension + " " + r.referrer);
    }
    return out;
  }

  Sandbox box_;
  AppSettings settings_;
  ItemList list_;
  ScriptedPrompter prompter_;
  PageScanContext context_{{list_, settings_}, prompter_, box_.dir()};
};

TEST_F(PageScanTest, AppendsTheAcceptedLinksWithTagAndReferrer) {
  const std::string path =
      box_.write("page.htm",
                 "<body background=\"bg.gif\">\r\n<img src=\"pics/a.JPG\"><a href=\"c.txt\">"
                 "<a href=\"/top/\"><frame src=\"../f.htm\">");
  EXPECT_EQ(scanTags(context_, "http://host/d/p.htm", path), ScanResult::kComplete);
  EXPECT_EQ(rows(), (std::vector<std::string>{
                        "BODY http://host/d/ bg.gif gif http://host/d/p.htm",
                        "IMG http://host/d/pics/ a.JPG JPG http://host/d/p.htm",
                        "HREF http://host/top/ (index.htm)  http://host/d/p.htm",
                        "FRAME http://host/ f.htm htm http://host/d/p.htm",
                    }));
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(PageScanTest, MissingFileIsReportedWithTheTemporaryFileName) {
  EXPECT_EQ(scanTags(context_, "http://host/", box_.path("gone.htm")), ScanResult::kFileMissing);
  EXPECT_EQ(scanHttpStrings(context_, "http://host/", ""), ScanResult::kFileMissing);
  ASSERT_EQ(prompter_.messages().size(), 2u);
  for (const ScriptedPrompter::Message& m : prompter_.messages()) {
    EXPECT_EQ(m.text, "ﾌｧｲﾙ(Murlo.tmp)が見付かりません");
    EXPECT_EQ(m.icon, PromptIcon::kStop);
    EXPECT_EQ(m.buttons, PromptButtons::kOk);
  }
  EXPECT_EQ(list_.count(), 0);
}

TEST_F(PageScanTest, UnreadableOrSpecialFileGivesOneWithoutAMessage) {
  std::filesystem::create_directory(box_.path("folder.htm"));
  EXPECT_EQ(scanTags(context_, "http://host/", box_.path("folder.htm")),
            ScanResult::kFileUnreadable);
  // A FIFO without a writer would block the reading for ever.
  ASSERT_EQ(mkfifo(box_.path("pipe.htm").c_str(), 0600), 0);
  EXPECT_EQ(scanTags(context_, "http://host/", box_.path("pipe.htm")), ScanResult::kFileUnreadable);
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(PageScanTest, EmptyPathMeansTheTemporaryPageFile) {
  box_.write("Murlo.tmp", "<img src=\"tmp.gif\">");
  EXPECT_EQ(tempPagePath(box_.dir()), box_.path("Murlo.tmp"));
  EXPECT_EQ(tempPagePath(box_.dir() + "/"), box_.path("Murlo.tmp"));
  EXPECT_EQ(scanTags(context_, "http://host/", ""), ScanResult::kComplete);
  EXPECT_EQ(rows(), std::vector<std::string>{"IMG http://host/ tmp.gif gif http://host/"});
}

TEST_F(PageScanTest, JobCopyOfTagBitFourChoosesTheStringScanner) {
  const std::string path =
      box_.write("p.htm", "<img src=\"a.gif\"> http://h/b.gif https://h/c.zip http://h/d.txt ");
  settings_.tag = 15 | tagbits::kAllHttp;  // the live value does not choose the scanner
  EXPECT_EQ(scanPage(context_, "http://host/", path, 15), ScanResult::kComplete);
  EXPECT_EQ(rows(), std::vector<std::string>{"IMG http://host/ a.gif gif http://host/"});

  list_.deleteAll();
  EXPECT_EQ(scanPage(context_, "http://host/", path, tagbits::kAllHttp), ScanResult::kComplete);
  EXPECT_EQ(rows(), (std::vector<std::string>{"ALL http://h/ b.gif gif http://host/",
                                              "ALL https://h/ c.zip zip http://host/"}));
}

TEST_F(PageScanTest, TagBitSixReadsThePageWithTheHtmlFinderUnlessBitFourIsSet) {
  const std::string path =
      box_.write("p.htm", "<img class=\"a\" src=\"a.gif\"> http://h/b.gif <IMG SRC='c.gif'>");
  EXPECT_EQ(scanPage(context_, "http://host/", path, 15 | tagbits::kHtml5), ScanResult::kComplete);
  EXPECT_EQ(rows(), (std::vector<std::string>{"IMG http://host/ a.gif gif http://host/",
                                              "IMG http://host/ c.gif gif http://host/"}));
  list_.deleteAll();
  EXPECT_EQ(scanPage(context_, "http://host/", path, tagbits::kAllHttp | tagbits::kHtml5),
            ScanResult::kComplete);
  EXPECT_EQ(rows(), std::vector<std::string>{"ALL http://h/ b.gif gif http://host/"});
  // The local-file analysis chooses by the live setting.
  list_.deleteAll();
  EXPECT_EQ(scanMarkup(context_, "http://host/", path, 15 | tagbits::kHtml5),
            ScanResult::kComplete);
  EXPECT_EQ(list_.count(), 2);
}

TEST_F(PageScanTest, HtmlFinderResolvesAgainstTheBaseHrefAndKeepsThePageAsReferrer) {
  const std::string page = "<head><base href=\"{}\"></head><img src=\"i/a.gif\">";
  const auto scanWithBase = [&](std::string_view base) {
    std::string content = page;
    content.replace(content.find("{}"), 2, base);
    list_.deleteAll();
    scanHtml(context_, "https://host/d/p.htm", box_.write("p.htm", content));
    return list_.count() == 1 ? list_.row(0).url + " " + list_.row(0).referrer : "none";
  };
  EXPECT_EQ(scanWithBase("http://cdn.jp/x/"), "http://cdn.jp/x/i/ https://host/d/p.htm");
  EXPECT_EQ(scanWithBase("//cdn.jp/y/"), "https://cdn.jp/y/i/ https://host/d/p.htm");
  EXPECT_EQ(scanWithBase("HTTP://cdn.jp"), "HTTP://cdn.jp/i/ https://host/d/p.htm");
  EXPECT_EQ(scanWithBase("/root/"), "https://host/root/i/ https://host/d/p.htm");
  EXPECT_EQ(scanWithBase("sub/../other/"), "https://host/d/other/i/ https://host/d/p.htm");
  EXPECT_EQ(scanWithBase("javascript:void(0)"), "https://host/d/i/ https://host/d/p.htm");
}

TEST_F(PageScanTest, HtmlFinderExtensionRuleTriesTheLastDotAndTakesBareImagesAsJpg) {
  settings_.downEx = downex::kJpg | downex::kGif;
  const std::string path =
      box_.write("p.htm",
                 "<img src=\"/p/DSCF2931.0.jpg\"><img src=\"/photo/123?w=800\">"
                 "<a href=\"/a/plain-anchor\"></a><a href=\"/a/archive.tar.gif\"></a>"
                 "<img src=\"/p/shot.jpg.exe\"><meta property=\"og:image\" content=\"/og/4567\">"
                 "<div style=\"background:url(/css/bare-css)\"></div>"
                 "<img src=\"/i/42\"><img src=\"/i/a.b\"><a href=\"/a/42\"></a>");
  EXPECT_EQ(scanHtml(context_, "http://host/", path), ScanResult::kComplete);
  EXPECT_EQ(rows(), (std::vector<std::string>{
                        "IMG http://host/p/ DSCF2931.0.jpg jpg http://host/",
                        "IMG http://host/photo/ 123?w=800 jpg http://host/",
                        "HREF http://host/a/ archive.tar.gif gif http://host/",
                        "IMG http://host/og/ 4567 jpg http://host/",
                        // A bare name where only an image stands passes whatever its length; "a.b"
                        // and the anchor "42" stay below the length rule.
                        "IMG http://host/i/ 42 jpg http://host/",
                    }));
  // The tag scanner keeps the first-dot rule.
  list_.deleteAll();
  scanTags(context_, "http://host/", box_.write("q.htm", "<img src=\"DSCF2931.0.jpg\">"));
  EXPECT_EQ(list_.count(), 0);
}

TEST_F(PageScanTest, NotifiesTheListOnceForAWholePage) {
  int changes = 0;
  list_.setChangeListener([&] { ++changes; });
  const std::string path = box_.write("p.htm", "<img src=\"a.gif\"><img src=\"b.gif\">");
  EXPECT_EQ(scanTags(context_, "http://host/", path), ScanResult::kComplete);
  EXPECT_EQ(list_.count(), 2);
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace murlo::test
