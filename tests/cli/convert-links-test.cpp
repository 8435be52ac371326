// murlo-cli recurse --download --hierarchy --convert-links over a generated site on a
// loopback HTTP server: the mirror it leaves browses from disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <regex>
#include <utility>
#include <vector>

#include "cli-runner.h"
#include "http-test-server.h"
#include "sandbox.h"

namespace murlo::test {
namespace {

namespace fs = std::filesystem;

// A small site in folders that links every way a page can: relative with "./" and "../",
// server-relative, absolute, directories with and without their "/", fragments, and files
// that are not downloaded (an ".exe", a page outside the site, a missing page). Its pages
// are CP932 with CR LF lines.
std::map<std::string, std::string> generatedSite(const std::string& origin) {
  std::map<std::string, std::string> site;
  const std::string text = "\x93\xFA\x96\x7B\x8C\xEA\x83\x5C\r\n";
  site["/site/"] = "<html>" + text + "<a href=\"a/\">a</a>\r\n<a href=\"a/page1.html#s\">1</a>" +
                   "<a href=\"/site/b/page2.html\">2</a>\r\n<img src=\"" + origin +
                   "/site/img/p0.jpg\"><img src=\"img/p1.jpg\">\r\n<a href=\"./c\">c</a>" +
                   "<a href=\"" + origin + "/other/tool.exe\">x</a><a href=\"#top\">t</a>" +
                   "<a href=\"mailto:someone@example.com\">m</a></html>\r\n";
  site["/site/a/"] = "<body background=\"../img/bg.gif\">" + text +
                     "<a href=\"../\">up</a><a href=\"page1.html\">1</a>\r\n"
                     "<img src=\"../img/p2.jpg\"><a href=\"/site/b/\">b</a></body>\r\n";
  site["/site/a/page1.html"] = text +
                               "<a href=\"../b/page2.html\">2</a>\r\n"
                               "<a href=\"../missing.html\">gone</a>"
                               "<a href=\"/outside.html\">out</a><img src=\"/site/img/p3.jpg\">";
  site["/site/b/"] =
      "<frameset><frame src=\"page2.html\"><frame src=\"" + origin + "/site/c/\"></frameset>\r\n";
  site["/site/b/page2.html"] = text +
                               "<a href=\"../a/page1.html\">1</a><a href=\"/site/\">top</a>" +
                               "<a href=\"..\">up</a><img src=\"../img/p1.jpg\">\r\n";
  site["/site/c/"] = "<img src=\"../img/p3.jpg\"><a href=\"../index.htm\">top</a>\r\n";
  site["/outside.html"] = "<p>outside</p>";
  for (const char* image : {"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "bg.gif"}) {
    site[std::string("/site/img/") + image] = std::string("IMAGE ") + image;
  }
  site["/other/tool.exe"] = "MZ";
  return site;
}

std::string percentDecoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool isRegularFile(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A site whose pages name the server's own address, which is known only once it runs: one
// handler, registered before the start, serves the pages filled in afterwards.
class SiteServer {
 public:
  SiteServer() {
    server_.routes().Get(".*",
                         [this](const httplib::Request& request, httplib::Response& response) {
                           std::lock_guard lock(mutex_);
                           const auto page = pages_.find(request.path);
                           if (page == pages_.end()) {
                             response.status = 404;
                             return;
                           }
                           const bool image = request.path.find("/img/") != std::string::npos;
                           response.set_content(page->second, image ? "image/jpeg" : "text/html");
                         });
    server_.start();
  }
  int port() const { return server_.port(); }
  void serve(std::map<std::string, std::string> pages) {
    std::lock_guard lock(mutex_);
    pages_ = std::move(pages);
  }

 private:
  std::mutex mutex_;
  std::map<std::string, std::string> pages_;
  HttpTestServer server_;  // last: it stops before the pages go
};

TEST(ConvertLinks, TheMirrorOfAGeneratedSiteOpensFromDisk) {
  Sandbox box;
  SiteServer server;
  const std::string origin = "http://127.0.0.1:" + std::to_string(server.port());
  server.serve(generatedSite(origin));
  box.write("Murlo.ini", "[SETTING]\r\nOutput=74\r\n");
  const CliResult r =
      runCli({"recurse", origin + "/site/", "--download", "--save-folder", "mirror", "--hierarchy",
              "--convert-links", "--same-name", "rename", "--yes", "--list", "l.mrl"},
             box.dir());
  ASSERT_EQ(r.exitCode, 1) << r.out << r.err;  // the missing page fails
  const fs::path mirror = box.path("mirror");
  for (const char* file :
       {"site/index.htm", "site/a/index.htm", "site/a/page1.html", "site/b/index.htm",
        "site/b/page2.html", "site/c/index.htm", "site/img/p0.jpg", "site/img/p1.jpg",
        "site/img/p2.jpg", "site/img/p3.jpg", "site/img/bg.gif"}) {
    ASSERT_TRUE(isRegularFile(mirror / file)) << file << "\n" << r.out;
  }

  // Every link of every saved page: one to a downloaded file opens it from disk, and one
  // that leaves the disk names a file that was not downloaded.
  const std::regex linkPattern(R"re((?:href|src|background)="([^"]*)")re", std::regex::icase);
  int local = 0;
  int remote = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(mirror)) {
    const std::string ext = entry.path().extension();
    if (ext != ".htm" && ext != ".html") continue;
    const std::string page = readFile(entry.path());
    for (std::sregex_iterator it(page.begin(), page.end(), linkPattern), end; it != end; ++it) {
      const std::string link = (*it)[1];
      const std::string where = entry.path().string() + ": " + link;
      if (link.starts_with("#") || link.starts_with("mailto:")) continue;
      const std::string target = link.substr(0, link.find('#'));
      if (target.starts_with("http://")) {
        ++remote;
        ASSERT_TRUE(target.starts_with(origin + "/")) << where;
        std::string local_path = target.substr(origin.size() + 1);
        if (local_path.empty() || local_path.ends_with("/")) local_path += "index.htm";
        EXPECT_FALSE(fs::exists(mirror / local_path)) << where;
        continue;
      }
      ++local;
      EXPECT_FALSE(target.starts_with("/")) << where;
      EXPECT_TRUE(isRegularFile(entry.path().parent_path() / percentDecoded(target))) << where;
    }
  }
  EXPECT_EQ(local, 21);
  EXPECT_EQ(remote, 3);  // the ".exe", the missing page and the page outside the site
  // Only the addresses changed: the page text around them is the server's, byte for byte.
  const std::string text = "\x93\xFA\x96\x7B\x8C\xEA\x83\x5C\r\n";
  EXPECT_EQ(
      readFile(mirror / "site/index.htm"),
      "<html>" + text + "<a href=\"a/index.htm\">a</a>\r\n<a href=\"a/page1.html#s\">1</a>" +
          "<a href=\"b/page2.html\">2</a>\r\n<img src=\"img/p0.jpg\"><img src=\"img/p1.jpg\">" +
          "\r\n<a href=\"c/index.htm\">c</a><a href=\"" + origin +
          "/other/tool.exe\">x</a><a href=\"#top\">t</a>" +
          "<a href=\"mailto:someone@example.com\">m</a></html>\r\n");
}

// A site in modern markup: srcset candidates, lazy-loading attributes, a picture, CSS
// backgrounds in style attributes and a style block, protocol-relative and single-quoted or
// unquoted links, an og:image, an icon and an address written with "&amp;".
std::map<std::string, std::string> modernSite(const std::string& host) {
  std::map<std::string, std::string> site;
  site["/m/"] =
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\">\n"
      "<meta property=\"og:image\" content=\"//" +
      host +
      "/m/img/og.jpg\">\n"
      "<link rel='icon' href='/m/img/icon.gif'>\n"
      "<style>.hero{background:url('img/hero.jpg')}\n"
      ".b{background-image:url(//" +
      host +
      "/m/img/b.jpg)}</style></head><body>\n"
      "<img class=\"x\" alt='' src='img/a.jpg' srcset=\"img/a.jpg 1x, //" +
      host +
      "/m/img/a2.jpg 2x\">\n"
      "<img data-src=img/lazy.jpg src=\"data:image/gif;base64,R0lGOD\">\n"
      "<img src=\"/m/img/q.jpg?w=1&amp;h=2\" data-srcset=\"//" +
      host +
      "/m/img/l1.jpg 480w,/m/img/l2.jpg 800w\">\n"
      "<picture><source srcset=\"img/p-small.jpg\"><img src=\"img/p.jpg\"></picture>\n"
      "<div style=\"background: url(&quot;//" +
      host +
      "/m/img/s.jpg&quot;)\"></div>\n"
      "<a href='//" +
      host +
      "/m/sub/'>sub</a> <a href=sub/page.html>page</a>\n"
      "<a href=\"http://" +
      host + "/outside/x.zip\">x</a><a href=\"/outside/get?a=1&amp;b=2\">get</a></body></html>\n";
  site["/m/sub/"] = "<img srcset='../img/a.jpg 1x,../img/sub.jpg 2x'><a href=\"//" + host +
                    "/m/\">up</a><video poster=//" + host + "/m/img/poster.jpg></video>\n";
  site["/m/sub/page.html"] = "<body background='../img/bg.gif'><a href=../>up</a></body>\n";
  for (const char* image :
       {"og.jpg", "icon.gif", "hero.jpg", "b.jpg", "a.jpg", "a2.jpg", "lazy.jpg", "q.jpg", "l1.jpg",
        "l2.jpg", "p-small.jpg", "p.jpg", "s.jpg", "sub.jpg", "poster.jpg", "bg.gif"}) {
    site[std::string("/m/img/") + image] = std::string("IMAGE ") + image;
  }
  return site;
}

std::string withoutReferences(std::string text) {
  for (const auto& [reference, character] :
       {std::pair<std::string, std::string>{"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}}) {
    for (std::size_t at = text.find(reference); at != std::string::npos;
         at = text.find(reference, at + 1)) {
      text.replace(at, reference.size(), character);
    }
  }
  return text;
}

// Every link of a page as a browser reads it: the link attributes in any quoting (each
// candidate of a srcset) and every CSS url().
std::vector<std::string> linksOf(const std::string& page) {
  std::vector<std::string> links;
  const std::regex attribute(
      R"re(\s(src|href|srcset|data-src|data-srcset|poster|content|background)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))re",
      std::regex::icase);
  for (std::sregex_iterator it(page.begin(), page.end(), attribute), end; it != end; ++it) {
    const std::string name = (*it)[1];
    const std::string value = withoutReferences((*it)[2].str() + (*it)[3].str() + (*it)[4].str());
    if (!name.ends_with("srcset")) {
      links.push_back(value);
      continue;
    }
    const std::regex candidate(R"re(\s*([^\s,]+)[^,]*,?)re");
    for (std::sregex_iterator c(value.begin(), value.end(), candidate); c != end; ++c) {
      links.push_back((*c)[1]);
    }
  }
  const std::string text = withoutReferences(page);
  const std::regex cssUrl(R"re(url\(\s*['"]?([^'")\s]+))re", std::regex::icase);
  for (std::sregex_iterator it(text.begin(), text.end(), cssUrl), end; it != end; ++it) {
    links.push_back((*it)[1]);
  }
  return links;
}

TEST(ConvertLinks, TheMirrorOfAModernSiteOpensFromDiskWithTheHtmlFinder) {
  Sandbox box;
  SiteServer server;
  const std::string host = "127.0.0.1:" + std::to_string(server.port());
  server.serve(modernSite(host));
  box.write("Murlo.ini", "[SETTING]\r\nOutput=74\r\nTag=79\r\n");
  const CliResult r =
      runCli({"recurse", "http://" + host + "/m/", "--download", "--save-folder", "mirror",
              "--hierarchy", "--convert-links", "--yes", "--list", "l.mrl"},
             box.dir());
  ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
  const fs::path mirror = box.path("mirror");
  int local = 0;
  int remote = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(mirror)) {
    const std::string ext = entry.path().extension();
    if (ext != ".htm" && ext != ".html") continue;
    for (const std::string& link : linksOf(readFile(entry.path()))) {
      const std::string where = entry.path().string() + ": " + link;
      if (link == "utf-8" || link.starts_with("data:")) continue;
      if (link.starts_with("http:") || link.starts_with("//")) {
        ++remote;
        EXPECT_TRUE(link.starts_with("http://" + host + "/outside/")) << where;
        continue;
      }
      ++local;
      EXPECT_FALSE(link.starts_with("/")) << where;
      EXPECT_TRUE(isRegularFile(entry.path().parent_path() / percentDecoded(link))) << where;
    }
  }
  EXPECT_EQ(local, 22);
  EXPECT_EQ(remote, 2);
  // Only the addresses changed, and one written with "&amp;" is written with it again.
  EXPECT_EQ(
      readFile(mirror / "m/index.htm"),
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\">\n"
      "<meta property=\"og:image\" content=\"img/og.jpg\">\n"
      "<link rel='icon' href='img/icon.gif'>\n"
      "<style>.hero{background:url('img/hero.jpg')}\n"
      ".b{background-image:url(img/b.jpg)}</style></head><body>\n"
      "<img class=\"x\" alt='' src='img/a.jpg' srcset=\"img/a.jpg 1x, img/a2.jpg 2x\">\n"
      "<img data-src=img/lazy.jpg src=\"data:image/gif;base64,R0lGOD\">\n"
      "<img src=\"img/q.jpg%3Fw%3D1%26h%3D2\" data-srcset=\"img/l1.jpg 480w,img/l2.jpg 800w\">\n"
      "<picture><source srcset=\"img/p-small.jpg\"><img src=\"img/p.jpg\"></picture>\n"
      "<div style=\"background: url(&quot;img/s.jpg&quot;)\"></div>\n"
      "<a href='sub/index.htm'>sub</a> <a href=sub/page.html>page</a>\n"
      "<a href=\"http://" +
          host +
          "/outside/x.zip\">x</a>"
          "<a href=\"http://" +
          host + "/outside/get?a=1&amp;b=2\">get</a></body></html>\n");
}

}  // namespace
}  // namespace murlo::test
