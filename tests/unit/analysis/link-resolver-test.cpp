#include "analysis/link-resolver.h"

#include <gtest/gtest.h>

namespace murlo {
namespace {

class AddLinkTest : public ::testing::Test {
 protected:
  // Resolves one link and returns "url|fileName|extension", or "" when it was dropped.
  std::string resolve(std::string_view link, std::string_view page, std::string_view tag = "IMG") {
    const int before = list_.count();
    if (!addLink(sink_, link, page, tag)) {
      EXPECT_EQ(list_.count(), before);
      return "";
    }
    const ItemRecord& r = list_.row(list_.count() - 1);
    EXPECT_EQ(r.referrer, page);
    EXPECT_EQ(r.tag, tag);
    EXPECT_EQ(r.info, "");
    return r.url + "|" + r.fileName + "|" + r.extension;
  }

  AppSettings settings_;
  ItemList list_;
  LinkSink sink_{list_, settings_};
};

TEST_F(AddLinkTest, ResolvesTheFourKindsOfLinks) {
  EXPECT_EQ(resolve("/img/x.gif", "http://host/a/b.htm"), "http://host/img/|x.gif|gif");
  EXPECT_EQ(resolve("pics/x.gif", "http://host/a/b.htm"), "http://host/a/pics/|x.gif|gif");
  EXPECT_EQ(resolve("http://other/p/q.jpg", "http://host/a/b.htm"), "http://other/p/|q.jpg|jpg");
  EXPECT_EQ(resolve("HTTP://other/q.jpg", "http://host/"), "HTTP://other/|q.jpg|jpg");
  EXPECT_EQ(resolve("../x.htm", "http://host/a/b/page.htm"), "http://host/a/|x.htm|htm");
  EXPECT_EQ(resolve("../../x.htm", "http://host/a/b/page.htm"), "http://host/|x.htm|htm");
  EXPECT_EQ(resolve("./sub/x.htm", "http://host/a/p.htm"), "http://host/a/sub/|x.htm|htm");
}

TEST_F(AddLinkTest, EveryKindOfLinkLosesItsDotFolders) {
  const std::string page = "http://host/sec2/a.html";
  // Dot-relative links, whatever "./" and "../" they combine.
  EXPECT_EQ(resolve(".././", page), "http://host/|(index.htm)|");
  EXPECT_EQ(resolve("./../", page), "http://host/|(index.htm)|");
  EXPECT_EQ(resolve("./sub/../x.htm", page), "http://host/sec2/|x.htm|htm");
  EXPECT_EQ(resolve("../../.././../x.htm", page), "http://host/|x.htm|htm");
  // Plain relative, server-relative and absolute links.
  EXPECT_EQ(resolve("a/./b/", page), "http://host/sec2/a/b/|(index.htm)|");
  EXPECT_EQ(resolve("a/b/../c/", page), "http://host/sec2/a/c/|(index.htm)|");
  EXPECT_EQ(resolve("/a/./b/../../../x.htm", page), "http://host/|x.htm|htm");
  EXPECT_EQ(resolve("http://other/a/../b/./y.htm", page), "http://other/b/|y.htm|htm");
  // A page address that holds them itself.
  EXPECT_EQ(resolve("x.htm", "http://host/a/./b/../p.htm"), "http://host/a/|x.htm|htm");
}

TEST_F(AddLinkTest, FragmentsAreDroppedAndQueriesLeaveTheExtension) {
  EXPECT_EQ(resolve("../p1.html#top", "http://host/a/b.htm"), "http://host/|p1.html|html");
  EXPECT_EQ(resolve("#top", "http://host/a/b.htm"), "");
  EXPECT_EQ(resolve("p10.html?v=1.2", "http://host/a/b.htm"), "http://host/a/|p10.html?v=1.2|html");
  EXPECT_EQ(resolve("x.htm?img=a.jpg#f", "http://host/a/b.htm"),
            "http://host/a/|x.htm?img=a.jpg|htm");
}

TEST_F(AddLinkTest, RecognisesHttpsLikeHttp) {
  EXPECT_EQ(resolve("https://other/p/q.jpg", "http://host/"), "https://other/p/|q.jpg|jpg");
  EXPECT_EQ(resolve("/img/x.gif", "https://host/a/b.htm"), "https://host/img/|x.gif|gif");
  EXPECT_EQ(resolve("/img/x.gif", "HTTPS://host/a/b.htm"), "HTTPS://host/img/|x.gif|gif");
}

TEST_F(AddLinkTest, FtpLinksAreAbsoluteAddresses) {
  const std::string page = "http://host/dir/p.htm";
  EXPECT_EQ(resolve("ftp://other/pub/x.zip", page), "ftp://other/pub/|x.zip|zip");
  EXPECT_EQ(resolve("ftp://other/pub/a/../", page), "ftp://other/pub/|(index.htm)|");
  // Written in capitals, the scheme is stored in small letters, the form downloads take
  // for FTP.
  EXPECT_EQ(resolve("FTP://other/x.zip", page), "ftp://other/|x.zip|zip");
  // Too short for a host and a name: no folder "ftp://" of the page's directory.
  EXPECT_EQ(resolve("ftp://", page), "");
  EXPECT_EQ(resolve("https://", page), "");
  // Server-relative links on an FTP page keep the page's server.
  EXPECT_EQ(resolve("/pub/y.zip", "ftp://h/a/index.htm"), "ftp://h/pub/|y.zip|zip");
}

TEST_F(AddLinkTest, ProtocolRelativeLinksTakeThePagesScheme) {
  EXPECT_EQ(resolve("//cdn.jp/img/x.jpg", "http://host/a/p.htm"), "http://cdn.jp/img/|x.jpg|jpg");
  EXPECT_EQ(resolve("//cdn.jp/img/x.jpg", "https://host/"), "https://cdn.jp/img/|x.jpg|jpg");
  EXPECT_EQ(resolve("//ftp.jp/pub/x.zip", "ftp://host/i.htm"), "ftp://ftp.jp/pub/|x.zip|zip");
  EXPECT_EQ(resolve("//cdn.jp/a/../b/./x.jpg#top", "https://host/"), "https://cdn.jp/b/|x.jpg|jpg");
  EXPECT_EQ(resolve("//cdn.jp/d/", "http://host/"), "http://cdn.jp/d/|(index.htm)|");
  // A page address without a scheme this program fetches: http is assumed.
  EXPECT_EQ(resolve("//cdn.jp/x.jpg", "host/p.htm"), "http://cdn.jp/|x.jpg|jpg");
  EXPECT_EQ(resolve("//", "http://host/"), "");
}

TEST_F(AddLinkTest, LinksWithOtherSchemesAreDropped) {
  // Dropped even where the extension filter would let them through.
  settings_.downEx |= downex::kCustom;
  settings_.extend = "mailto:a;javascript:void(0);tel:0312345678;about:blank;1234";
  for (const char* link :
       {"JavaScript:void(0)", "tel:0312345678", "about:blank", "mailto:a", "MAILTO:someone@host.jp",
        "blob:https://host/1234", "data:text/html,a.htm", "file:///C:/photos/x.jpg",
        "x.y+z-1://h/b.jpg"}) {
    EXPECT_EQ(resolve(link, "http://host/d/p.htm"), "") << link;
  }
  // No scheme: one letter before the ":" (a drive letter or a name), a ":" after a "/", a
  // digit or a CP932 character first.
  EXPECT_EQ(resolve("a:b.htm", "http://host/d/p.htm"), "http://host/d/|a:b.htm|htm");
  EXPECT_EQ(resolve("C:\\x.jpg", "http://host/d/p.htm"), "http://host/d/|C:\\x.jpg|jpg");
  EXPECT_EQ(resolve("img/a:b.jpg", "http://host/d/p.htm"), "http://host/d/img/|a:b.jpg|jpg");
  EXPECT_EQ(resolve("1x:y.jpg", "http://host/d/p.htm"), "http://host/d/|1x:y.jpg|jpg");
  EXPECT_EQ(resolve("x\x82\xA0:y.jpg", "http://host/d/p.htm"),
            "http://host/d/|x\x82\xA0:y.jpg|jpg");
  // "http:" without "//" stays a plain relative link.
  EXPECT_EQ(resolve("http:b.htm", "http://host/d/p.htm"), "http://host/d/|http:b.htm|htm");
}

TEST_F(AddLinkTest, DropsEmptyAndShortNames) {
  EXPECT_EQ(resolve("", "http://host/"), "");
  EXPECT_EQ(resolve("ab", "http://host/"), "");  // name shorter than 4
  EXPECT_EQ(resolve("a.gif", "http://host/"), "http://host/|a.gif|gif");
  EXPECT_EQ(resolve(".hidden", "http://host/a/p.htm"), "");
  EXPECT_EQ(resolve("..", "http://host/a/p.htm"), "");
}

TEST_F(AddLinkTest, ExtensionIsTheTextAfterTheFirstDot) {
  EXPECT_EQ(resolve("a.tar.gz", "http://host/"), "");
  settings_.downEx |= downex::kCustom;
  settings_.extend = "tar.gz";
  EXPECT_EQ(resolve("a.tar.gz", "http://host/"), "http://host/|a.tar.gz|tar.gz");
  settings_.extend = "readme";
  EXPECT_EQ(resolve("readme", "http://host/"), "http://host/|readme|readme");
  // The settings are read at every link.
  settings_.downEx = 0;
  EXPECT_EQ(resolve("b.jpg", "http://host/"), "");
}

TEST_F(AddLinkTest, EmptyFileNameBecomesTheIndexMarkerOnlyWithTheHtmlClass) {
  EXPECT_EQ(resolve("http://host/dir/", "http://x/"), "http://host/dir/|(index.htm)|");
  EXPECT_EQ(resolve("http://host", "http://x/"), "");  // "host" is no accepted extension
  settings_.downEx &= ~downex::kHtml;
  EXPECT_EQ(resolve("http://host/dir/", "http://x/"), "");
}

TEST_F(AddLinkTest, BasesWithoutASlash) {
  // A relative link on a page without a path resolves against "http://".
  settings_.downEx |= downex::kCustom;
  settings_.extend = "host";
  EXPECT_EQ(resolve("x.gif", "http://host"), "http://|x.gif|gif");
  EXPECT_EQ(resolve("x.gif", ""), "");
  EXPECT_EQ(resolve("x.gif", "nohost"), "");
  EXPECT_EQ(resolve("/x.gif", "http://host"), "");  // no "/" after the host
  EXPECT_EQ(resolve("/x.gif", "ftp"), "");
  // An absolute link without a path gives the url "http://" and the host as file name.
  EXPECT_EQ(resolve("http://host", "http://x/"), "http://|host|host");
}

TEST(ResolveDotPath, PassesRemoveOneDirectoryEach) {
  std::string link = "../../x.htm", base = "http://host/a/b/page.htm";
  EXPECT_TRUE(resolveDotPath(link, base));
  EXPECT_EQ(base, "http://host/");
  EXPECT_EQ(link, "x.htm");

  // "./" and one-letter folders keep the folders the link names.
  struct Case {
    const char* link;
    const char* resolvedLink;
    const char* resolvedBase;
  };
  const std::string jpgInFolder =
      "\x89\xE6\x91\x9C/\x8E\xCA\x90\x5E.jpg";  // 画像/写真.jpg in CP932
  for (const Case& c : {Case{"./x/y.htm", "x/y.htm", "http://host/a/b/"},
                        Case{"./images/photo.jpg", "images/photo.jpg", "http://host/a/b/"},
                        Case{"././a.htm", "a.htm", "http://host/a/b/"},
                        Case{"./../a.htm", "a.htm", "http://host/a/"},
                        Case{"../x/y.htm", "x/y.htm", "http://host/a/"},
                        Case{"../../x/y/z.htm", "x/y/z.htm", "http://host/"},
                        Case{"./x.htm", "x.htm", "http://host/a/b/"}}) {
    link = c.link;
    base = "http://host/a/b/p.htm";
    EXPECT_TRUE(resolveDotPath(link, base)) << c.link;
    EXPECT_EQ(link, c.resolvedLink) << c.link;
    EXPECT_EQ(base, c.resolvedBase) << c.link;
  }
  link = "./" + jpgInFolder;
  base = "http://host/\x8E\x84/p.htm";  // a CP932 folder whose second byte is no "/"
  EXPECT_TRUE(resolveDotPath(link, base));
  EXPECT_EQ(link, jpgInFolder);
  EXPECT_EQ(base, "http://host/\x8E\x84/");

  link = "../../../../../x.htm";  // more ".." than directories: stays at the server's root
  base = "http://host/a/p.htm";
  EXPECT_TRUE(resolveDotPath(link, base));
  EXPECT_EQ(base, "http://host/");
  EXPECT_EQ(link, "x.htm");

  link = "../";  // the parent directory itself keeps its trailing "/"
  base = "http://host/a/b/p.htm";
  EXPECT_TRUE(resolveDotPath(link, base));
  EXPECT_EQ(base, "http://host/a/");
  EXPECT_EQ(link, "");

  link = ".x.htm";
  base = "http://host/a/p.htm";
  EXPECT_FALSE(resolveDotPath(link, base));
  link = "./";
  EXPECT_FALSE(resolveDotPath(link, base));
  link = "./x.htm";
  base = "nohost";
  EXPECT_FALSE(resolveDotPath(link, base));
}

}  // namespace
}  // namespace murlo
