// murlo-cli recurse --download --hierarchy --convert-links over a generated site on a
// loopback HTTP server: the mirror it leaves browses from disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <regex>

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

TEST(ConvertLinks, TheMirrorOfAGeneratedSiteOpensFromDisk) {
  Sandbox box;
  HttpTestServer server;
  server.start();
  const std::string origin = "http://127.0.0.1:" + std::to_string(server.port());
  for (const auto& [path, body] : generatedSite(origin)) {
    server.routes().Get(path, [body](const httplib::Request&, httplib::Response& response) {
      response.set_content(body, "text/html");
    });
  }
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

}  // namespace
}  // namespace murlo::test
