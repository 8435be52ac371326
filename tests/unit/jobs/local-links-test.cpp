#include "jobs/local-links.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "analysis/html-link-spans.h"
#include "sandbox.h"

namespace murlo {
namespace {

const std::vector<SavedFile> kSaved = {
    {"http://h/a/b/p.htm", "/save/a/b/p.htm", true},
    {"http://h/img/x.gif", "/save/img/x.gif", false},
    {"http://h/a/", "/save/a/index.htm", true},
    {"http://h/a/b/%E6%97%A5 1.htm?q=1", "/save/a/b/\xE6\x97\xA5 1.htm?q=1", true},
};

std::optional<std::string> replaced(std::string_view link) {
  return LocalLinks(kSaved).replacement(link, "http://h/a/b/p.htm", "/save/a/b/p.htm");
}

TEST(LocalLinks, SavedFilesAreNamedRelativeToThePage) {
  EXPECT_EQ(replaced("../../img/x.gif"), "../../img/x.gif");
  EXPECT_EQ(replaced("/img/x.gif"), "../../img/x.gif");
  EXPECT_EQ(replaced("HTTP://H/img/./x.gif#top"), "../../img/x.gif#top");
  EXPECT_EQ(replaced("//h/a/b/../../img/x.gif"), "../../img/x.gif");
  EXPECT_EQ(replaced("p.htm#s"), "p.htm#s");
  EXPECT_EQ(replaced(" ../../img/x.gif\t"), "../../img/x.gif");
  // A directory's page is its index.htm, also when the link lacks the final "/".
  EXPECT_EQ(replaced("../"), "../index.htm");
  EXPECT_EQ(replaced(".."), "../index.htm");
  EXPECT_EQ(replaced("http://h/a"), "../index.htm");
  EXPECT_EQ(replaced("../index.htm"), "../index.htm");
  // The name on disk, percent-encoded so that " ", "?" and UTF-8 bytes name the file.
  EXPECT_EQ(replaced("%E6%97%A5 1.htm?q=1"), "%E6%97%A5%201.htm%3Fq%3D1");
}

TEST(LocalLinks, OtherLinksNameTheirFullAddress) {
  EXPECT_EQ(replaced("q.htm"), "http://h/a/b/q.htm");
  EXPECT_EQ(replaced(" q.htm "), "http://h/a/b/q.htm");
  EXPECT_EQ(replaced("../c/q.htm#x"), "http://h/a/c/q.htm#x");
  EXPECT_EQ(replaced("/"), "http://h/");
  EXPECT_EQ(replaced("//cdn.example/x.js"), "http://cdn.example/x.js");
  EXPECT_EQ(replaced("?page=2"), "http://h/a/b/p.htm?page=2");
  // Absolute addresses of files not saved, fragments and other schemes stay as written.
  for (const char* kept : {"http://other/x.gif", "https://h/img/x.gif", "ftp://h/a/z.zip", "#top",
                           "", "mailto:someone@example.com", "javascript:void(0)"}) {
    EXPECT_EQ(replaced(kept), std::nullopt) << kept;
  }
}

TEST(ConvertSavedPages, RewritesOnlyTheAddressesOfThePagesAndKeepsTheirTime) {
  test::Sandbox box;
  ::mkdir(box.path("a").c_str(), 0777);
  ::mkdir(box.path("img").c_str(), 0777);
  // CP932 text with a "\" trail byte, CR LF lines, an unquoted value and a tab.
  const std::string page =
      "<html>\x95\x5C\x8E\xA6\r\n<a href=\"../img/x.gif\">\x83\x5C</a>\r\n"
      "<img src=x.gif alt=\"pic.gif\">\t<a href=\"/a/q.htm#f\">\r\n"
      "<a href=\"http://h/img/x.gif\"><a href=\"index.htm\"></html>\r\n";
  const std::string pagePath = box.write("a/index.htm", page);
  box.write("img/x.gif", "GIF");
  const std::string imagePage = box.write("img/x.gif.htm", "<a href=\"x.gif\">");
  const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, pagePath.c_str(), times, 0), 0);

  const std::vector<SavedFile> saved = {{"http://h/a/", pagePath, true},
                                        {"http://h/img/x.gif", box.path("img/x.gif"), false},
                                        {"http://h/a/", pagePath, true}};
  EXPECT_TRUE(convertSavedPages(saved).empty());
  EXPECT_EQ(box.read("a/index.htm"),
            "<html>\x95\x5C\x8E\xA6\r\n<a href=\"../img/x.gif\">\x83\x5C</a>\r\n"
            "<img src=x.gif alt=\"pic.gif\">\t<a href=\"http://h/a/q.htm#f\">\r\n"
            "<a href=\"../img/x.gif\"><a href=\"index.htm\"></html>\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(pagePath.c_str(), &info), 0);
  EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
  // Only pages are rewritten.
  EXPECT_EQ(test::readFile(imagePage), "<a href=\"x.gif\">");
  EXPECT_EQ(box.read("img/x.gif"), "GIF");

  // A page that is gone, or was replaced by a symbolic link, is reported and left alone.
  const std::string other = box.write("other.htm", "<a href=\"q.htm\">");
  ASSERT_EQ(::symlink(other.c_str(), box.path("l.htm").c_str()), 0);
  const std::vector<SavedFile> gone = {{"http://h/g.htm", box.path("g.htm"), true},
                                       {"http://h/l.htm", box.path("l.htm"), true}};
  EXPECT_EQ(convertSavedPages(gone),
            (std::vector<std::string>{box.path("g.htm"), box.path("l.htm")}));
  EXPECT_EQ(test::readFile(other), "<a href=\"q.htm\">");
}

TEST(ConvertSavedPages, APageWithABaseResolvesItsLinksAgainstItAndGetsItsOwnFileAsBase) {
  test::Sandbox box;
  ::mkdir(box.path("a").c_str(), 0777);
  ::mkdir(box.path("img").c_str(), 0777);
  // Links before the base resolve against the page; after it, against the base. Fragments
  // stay, and with the base now naming the page's own file they stay on the page.
  const std::string pagePath =
      box.write("a/p 1.htm",
                "<img src=\"x.gif\"><BASE HREF=\"../img/\"><base href=\"/ignored/\">"
                "<img src=x.gif><a href=\"#top\"><a href=\"q.htm\"><a href=\"/a/p%201.htm#s\">");
  box.write("img/x.gif", "GIF");
  const std::vector<SavedFile> saved = {{"http://h/a/p%201.htm", pagePath, true},
                                        {"http://h/img/x.gif", box.path("img/x.gif"), false}};
  EXPECT_TRUE(convertSavedPages(saved, findHtmlLinkSpans).empty());
  EXPECT_EQ(box.read("a/p 1.htm"),
            "<img src=\"http://h/a/x.gif\"><BASE HREF=\"p%201.htm\"><base href=\"/ignored/\">"
            "<img src=../img/x.gif><a href=\"#top\"><a href=\"http://h/img/q.htm\">"
            "<a href=\"p%201.htm#s\">");
}

}  // namespace
}  // namespace murlo
