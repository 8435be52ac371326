#include <gtest/gtest.h>

#include "cli-runner.h"
#include "sandbox.h"

namespace murlo::test {
namespace {

constexpr const char* kPage =
    "<html><body background=\"bg.gif\">\r\n"
    "<img src=\"\x93\xFA\x96\x7B.jpg\"> <a href=\"notes.txt\">notes</a>\r\n"
    "<a href=\"http://other.jp/song.mid\">song</a> <a href=\"sub/\">sub</a>\r\n";

TEST(CliScan, PrintsEachAppendedItemAsSixRawFields) {
  Sandbox box;
  box.write("page.htm", kPage);
  const CliResult r =
      runCli({"scan", "page.htm", "--raw", "--page", "http://host/d/index.htm"}, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "bg.gif\thttp://host/d/\tBODY\tgif\t\thttp://host/d/index.htm\n"
            "\x93\xFA\x96\x7B.jpg\thttp://host/d/\tIMG\tjpg\t\thttp://host/d/index.htm\n"
            "(index.htm)\thttp://host/d/sub/\tHREF\t\t\thttp://host/d/index.htm\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliScan, FtpAndProtocolRelativeLinksAreAbsoluteAndOtherSchemesAreDropped) {
  Sandbox box;
  box.write("page.htm",
            "<a href=\"ftp://files.jp/pub/tool.zip\">tool</a>\r\n"
            "<img src=\"//cdn.jp/img/a/../logo.gif\"> <img src=\"file:///C:/photos/x.jpg\">\r\n"
            "<a href=\"javascript:void(0)\">menu</a> <a href=\"mailto:a\">mail</a>\r\n"
            "<a href=\"//cdn.jp/\">cdn</a>\r\n");
  const CliResult r = runCli({"scan", "page.htm", "--page", "https://host/d/index.htm"}, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "tool.zip\tftp://files.jp/pub/\tHREF\tzip\t\thttps://host/d/index.htm\n"
            "logo.gif\thttps://cdn.jp/img/\tIMG\tgif\t\thttps://host/d/index.htm\n"
            "(index.htm)\thttps://cdn.jp/\tHREF\t\t\thttps://host/d/index.htm\n");
}

TEST(CliScan, UsesTheSettingsOfMurloIni) {
  Sandbox box;
  box.write("page.htm",
            "<p>listen: http://other.jp/song.mid or http://other.jp/a.gif\r\n"
            "<img src=\"b.mid\"> <a href=\"http://other.jp/notes.txt\">x</a>");
  // Every "http://" string instead of the tags, and only the custom extension list.
  box.write("Murlo.ini", "[SETTING]\r\nTag=16\r\nDownEx=8192\r\nExtend=mid;txt\r\n");
  const CliResult r = runCli({"scan", "page.htm", "--page", "http://host/"}, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "song.mid\thttp://other.jp/\tALL\tmid\t\thttp://host/\n");
}

TEST(CliScan, ANewInstallationReadsPagesWithTheHtmlFinderAndAStoredTagIsKept) {
  Sandbox box;
  box.write("page.htm", "<img class=\"x\" src='a.jpg'><img src=\"b.gif\">");
  CliResult r = runCli({"scan", "page.htm", "--page", "http://h/"}, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "a.jpg\thttp://h/\tIMG\tjpg\t\thttp://h/\nb.gif\thttp://h/\tIMG\tgif\t\thttp://h/\n");
  box.write("Murlo.ini", "[SETTING]\r\nTag=15\r\n");
  r = runCli({"scan", "page.htm", "--page", "http://h/"}, box.dir());
  EXPECT_EQ(r.out, "b.gif\thttp://h/\tIMG\tgif\t\thttp://h/\n");
}

TEST(CliScan, AppendsToTheListFileCreatingItWhenMissing) {
  Sandbox box;
  box.write("page.htm", "<img src=\"a.gif\"> <img src=\"b.jpg\">");
  CliResult r = runCli({"scan", "page.htm", "--page", "http://h/", "--list", "l.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  r = runCli({"scan", "page.htm", "--page", "http://g/", "--list", "l.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(runCli({"list", "l.mrl"}, box.dir()).out,
            "a.gif\thttp://h/\tIMG\tgif\t\thttp://h/\n"
            "b.jpg\thttp://h/\tIMG\tjpg\t\thttp://h/\n"
            "a.gif\thttp://g/\tIMG\tgif\t\thttp://g/\n"
            "b.jpg\thttp://g/\tIMG\tjpg\t\thttp://g/\n");
}

TEST(CliScan, MissingAndUnreadableFilesFail) {
  Sandbox box;
  CliResult r = runCli({"scan", "gone.htm", "--page", "http://h/", "--list", "l.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "murlo-cli: ﾌｧｲﾙ(Murlo.tmp)が見付かりません\n");
  EXPECT_FALSE(box.exists("l.mrl"));

  r = runCli({"scan", ".", "--page", "http://h/"}, box.dir());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("ファイルを読み込めません"), std::string::npos);
}

TEST(CliScan, EmptyFileNameMeansMurloTmpInTheCurrentFolder) {
  Sandbox box;
  box.write("Murlo.tmp", "<img src=\"t.gif\">");
  const CliResult r = runCli({"scan", "", "--page", "http://h/"}, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "t.gif\thttp://h/\tIMG\tgif\t\thttp://h/\n");
}

TEST(CliScan, BadUsage) {
  Sandbox box;
  EXPECT_EQ(runCli({"scan", "page.htm"}, box.dir()).exitCode, 2);
  EXPECT_EQ(runCli({"scan", "--page", "http://h/"}, box.dir()).exitCode, 2);
  EXPECT_EQ(runCli({"scan", "a.htm", "b.htm", "--page", "http://h/"}, box.dir()).exitCode, 2);
}

}  // namespace
}  // namespace murlo::test
