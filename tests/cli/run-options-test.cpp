// The per-run setting options of analyze, recurse and download against a loopback HTTP
// server: they steer one run and never change Murlo.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli-runner.h"
#include "http-test-server.h"
#include "sandbox.h"

namespace murlo::test {
namespace {

namespace fs = std::filesystem;

class CliRunOptionsTest : public ::testing::Test {
 protected:
  void serve(const std::string& path, const std::string& body) {
    server_.routes().Get(path, [body](const httplib::Request&, httplib::Response& response) {
      response.set_content(body, "text/html");
    });
  }
  // A small site with pages and images in three folders.
  void serveSite() {
    for (const char* index : {"/site/", "/site/index.html"}) {
      serve(index, "<a href=\"sub/page.html\">p</a><img src=\"img/a.jpg\">");
    }
    serve("/site/sub/page.html", "<img src=\"../img/b.jpg\"><img src=\"pic.gif\">");
    serve("/site/img/a.jpg", "A");
    serve("/site/img/b.jpg", "B");
    serve("/site/sub/pic.gif", "G");
    server_.start();
  }

  Sandbox box_;
  HttpTestServer server_;
};

TEST_F(CliRunOptionsTest, MirrorsASiteIntoANewFolderWithItsHierarchy) {
  serveSite();
  // The README's example, in a folder without Murlo.ini.
  const std::vector<std::string> mirror = {
      "recurse",     server_.url("/site/"), "--download", "--save-folder", "mirror",
      "--hierarchy", "--same-name",         "rename",     "--yes",         "--list",
      "site.mrl"};
  const CliResult r = runCli(mirror, box_.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::string m = box_.path("mirror/site/");
  EXPECT_TRUE(fs::exists(m + "index.htm"));  // the address of the folder itself
  EXPECT_EQ(readFile(m + "img/a.jpg"), "A");
  EXPECT_EQ(readFile(m + "img/b.jpg"), "B");
  EXPECT_EQ(readFile(m + "sub/pic.gif"), "G");
  EXPECT_TRUE(fs::exists(m + "sub/page.html"));
  EXPECT_FALSE(box_.exists("Murlo.ini"));

  // Again: the files that are there keep their names and the new copies are renamed.
  const CliResult again = runCli(mirror, box_.dir());
  EXPECT_EQ(again.exitCode, 0) << again.err;
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(m + "img"))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "a0.jpg", "b.jpg", "b0.jpg"}));
  EXPECT_FALSE(box_.exists("Murlo.ini"));
}

TEST_F(CliRunOptionsTest, OptionsOverrideMurloIniForOneRunOnly) {
  serveSite();
  // Murlo.ini asks for links only, pages only, the hierarchy, and asking on a same name.
  const std::string ini =
      "[SETTING]\r\nTag=2\r\nDownEx=1\r\nMovement=20\r\n[STORE]\r\nPATH01=" + box_.dir() + "\r\n";
  box_.write("Murlo.ini", ini);
  ASSERT_TRUE(fs::create_directory(box_.path("flat")));
  const CliResult r = runCli({"recurse", server_.url("/site/index.html"), "--download",
                              "--delete-html", "--links", "img,a", "--extensions", "htm,jpg",
                              "--no-hierarchy", "--save-folder", "flat", "--list", "l.mrl"},
                             box_.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(box_.path("flat")))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_EQ(readFile(box_.path("Murlo.ini")), ini);

  // JPEG only: an image that is no JFIF file fails, and stays in the list.
  ASSERT_EQ(runCli({"add", server_.url("/site/img/a.jpg"), "--list", "j.mrl"}, box_.dir()).exitCode,
            0);
  EXPECT_EQ(
      runCli({"download", "--jpeg-only", "--save-folder", "flat", "--list", "j.mrl"}, box_.dir())
          .exitCode,
      1);
  EXPECT_NE(runCli({"list", "--raw", "j.mrl"}, box_.dir()).out, "");
  EXPECT_EQ(readFile(box_.path("Murlo.ini")), ini);
}

TEST_F(CliRunOptionsTest, BadOptionsExitTwoBeforeAnythingIsFetchedOrCreated) {
  serveSite();
  box_.write("file", "");
  const std::string site = server_.url("/site/");
  const std::vector<std::vector<std::string>> bad = {
      {"recurse", site, "--same-name", "keep", "--list", "l.mrl"},
      {"recurse", site, "--links", "iframe", "--save-folder", "new", "--yes", "--list", "l.mrl"},
      {"recurse", site, "--extensions", "jpeg", "--list", "l.mrl"},
      {"recurse", site, "--save-folder", "file", "--list", "l.mrl"},
      {"recurse", site, "--save-folder", "new", "--list", "l.mrl"},
      {"recurse", site, "--save-folder", "new", "--no", "--list", "l.mrl"},
      {"recurse", site, "--list", "l.mrl", "--same-name"},
  };
  for (const auto& args : bad) {
    const CliResult r = runCli(args, box_.dir());
    EXPECT_EQ(r.exitCode, 2) << args[2] << " " << args[3];
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_FALSE(box_.exists("new"));
  EXPECT_FALSE(box_.exists("l.mrl"));
  EXPECT_FALSE(box_.exists("Murlo.ini"));
}

TEST(CliHelp, OneCommandsHelpShowsItsOptionsAndTheMirrorExample) {
  Sandbox box;
  const CliResult recurse = runCli({"help", "recurse"}, box.dir());
  EXPECT_EQ(recurse.exitCode, 0);
  EXPECT_EQ(recurse.out.find("  recurse URL"), 0u);
  for (const char* option :
       {"--save-folder DIR", "--no-hierarchy", "--same-name ask|overwrite|rename", "--links",
        "--extensions", "--jpeg-only", "--download --save-folder mirror --hierarchy"}) {
    EXPECT_NE(recurse.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(runCli({"help", "list"}, box.dir()).out.find("--save-folder"), std::string::npos);
  EXPECT_EQ(runCli({"help", "nothing"}, box.dir()).exitCode, 2);
  EXPECT_EQ(runCli({"--version"}, box.dir()).out, "murlo-cli 2.02\n");
}

}  // namespace
}  // namespace murlo::test
