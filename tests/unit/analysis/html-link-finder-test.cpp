#include "analysis/html-link-finder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace murlo::test {
namespace {

using Links = std::vector<std::string>;

// Each reported link as "TAG address", with "*" after the tag for an image-only place and
// " <base>" when a base applies.
Links htmlLinks(const std::string& content, int tagBits = 15) {
  AppSettings settings;
  settings.tag = tagBits;
  Links out;
  findHtmlLinks(content, settings, [&](const HtmlLink& link) {
    std::string row = std::string(link.tag) + (link.imagePlace ? "* " : " ");
    row += link.address;
    if (!link.base.empty()) row += " <" + std::string(link.base) + ">";
    out.push_back(row);
  });
  return out;
}

TEST(HtmlLinkFinder, ImagesWhateverTheAttributeOrderQuotingAndCase) {
  EXPECT_EQ(htmlLinks(R"(<img class="hero" width=800 src="/a.jpg"><IMG ALT='x' SRC='b.png'>)"
                      R"(<img src=c.gif alt=""><img
    src = "d.jpg"><img data-x="<img src=no.jpg>" src="e.jpg">)"),
            (Links{"IMG* /a.jpg", "IMG* b.png", "IMG* c.gif", "IMG* d.jpg", "IMG* e.jpg"}));
  // The first of two equal attributes counts; a page cut inside a tag gives nothing of it.
  EXPECT_EQ(htmlLinks(R"(<img src="1.jpg" src="2.jpg"><img src="3.jpg")"), Links{"IMG* 1.jpg"});
}

TEST(HtmlLinkFinder, ResponsiveAndLazyImages) {
  // As a news site's article page writes them.
  const std::string page = R"html(
<picture>
  <source type="image/webp" srcset="/img/p-400.webp 400w, /img/p-800.webp 800w" media="(min-width: 600px)">
  <source data-srcset="/img/lazy-a.jpg 1x,/img/lazy-b.jpg 2x">
  <img src="data:image/gif;base64,R0lGODlhAQABAAAAACw=" data-src="/img/p.jpg"
       srcset="/img/p.jpg 1x, /img/p@2x.jpg 2x" loading="lazy" alt="">
</picture>
<img class="lazy" data-original="/o.jpg" data-lazy-src="/l.jpg" data-lazy-srcset="/ls.jpg 2x">
<video src="/clip.mp4" poster="/poster.jpg"></video>
<source srcset="/outside-picture.jpg">
<input type="IMAGE" src="/button.gif" name="go"><input type="text" src="/not.gif">
<svg viewBox="0 0 10 10"><image href="/svg.png"/><image xlink:href="/old-svg.png"></image></svg>
<image href="/html-image-is-no-svg.png">
<img srcset="data:image/png;base64,iVBORw0KGgo= 1x, /after-data.png 2x,/x,y.jpg 3x">
)html";
  EXPECT_EQ(htmlLinks(page),
            (Links{"IMG* /img/p-400.webp", "IMG* /img/p-800.webp", "IMG* /img/lazy-a.jpg",
                   "IMG* /img/lazy-b.jpg", "IMG* /img/p.jpg", "IMG* /img/p@2x.jpg", "IMG* /o.jpg",
                   "IMG* /l.jpg", "IMG* /ls.jpg", "IMG* /poster.jpg", "IMG* /button.gif",
                   "IMG* /svg.png", "IMG* /old-svg.png", "IMG* /after-data.png", "IMG* /x,y.jpg"}));
}

TEST(HtmlLinkFinder, IconsPreloadsAndPreviewImagesOfTheHead) {
  const std::string head = R"html(<head>
<meta charset="utf-8">
<link rel="stylesheet" href="/main.css">
<link rel="shortcut icon" href="/favicon.ico">
<link rel="apple-touch-icon" sizes="180x180" href="/apple-touch-icon.png">
<link rel="fluid-icon" href="https://github.com/fluidicon.png" title="GitHub">
<link rel="Alternate Icon" type="image/png" href="/alt-icon.png">
<link rel="alternate" href="/feed.xml">
<link rel=preload as=image href="/hero.jpg" imagesrcset="/hero-2x.jpg 2x">
<link rel="preload" as="font" href="/font.woff2">
<meta property="og:image" content="https://cdn.example.jp/og.jpg">
<meta name="twitter:image" content="https://cdn.example.jp/tw.jpg">
<meta name="description" content="/not-an-image.jpg">
</head>)html";
  EXPECT_EQ(htmlLinks(head),
            (Links{"IMG* /favicon.ico", "IMG* /apple-touch-icon.png",
                   "IMG* https://github.com/fluidicon.png", "IMG* /alt-icon.png", "IMG* /hero.jpg",
                   "IMG* /hero-2x.jpg", "IMG* https://cdn.example.jp/og.jpg",
                   "IMG* https://cdn.example.jp/tw.jpg"}));
}

TEST(HtmlLinkFinder, AnchorsAreasFramesAndBackgroundsByTheirBits) {
  const std::string page = R"html(<body background="bg.gif" style="background:url( 'body.png' )">
<a class=x href=/photos/1.jpg>1</a><map><area shape=rect coords="0,0,1,1" href="m.htm"></map>
<frameset><frame src="menu.htm"></frameset><iframe src="/embed.htm">
<a href="not-taken-inside-the-iframe.htm"></iframe>
<div style="background-image: url(/div.jpg), URL(&quot;/second.png&quot;)"></div>
<table background="table.gif"><td background="cell.gif"></td></table>
<style>/* url(commented.png) */ .hero { background: url("/css/hero.jpg") }</style>
)html";
  EXPECT_EQ(htmlLinks(page),
            (Links{"BODY* bg.gif", "BODY body.png", "HREF /photos/1.jpg", "HREF m.htm",
                   "FRAME menu.htm", "FRAME /embed.htm", "BODY /div.jpg", "BODY /second.png",
                   "BODY* table.gif", "BODY* cell.gif", "BODY /css/hero.jpg"}));
  EXPECT_EQ(htmlLinks(page, tagbits::kAnchor), (Links{"HREF /photos/1.jpg", "HREF m.htm"}));
  EXPECT_EQ(htmlLinks(page, tagbits::kFrame), (Links{"FRAME menu.htm", "FRAME /embed.htm"}));
  EXPECT_EQ(htmlLinks(R"(<img src="a.jpg"><a href="b.htm">)", tagbits::kAnchor | tagbits::kBody),
            Links{"HREF b.htm"});
}

TEST(HtmlLinkFinder, NoLinksFromCommentsScriptsOrText) {
  const std::string page = R"html(<!-- <img src="comment.jpg"> --><!--><img src="1.jpg">
<script>var s = '<img src="script.jpg">'; if (a</b) {}</script >
<SCRIPT type="text/template"><a href="template.htm"></SCRIPT>
<textarea><img src="textarea.jpg"></textarea><title><img src="title.jpg"></title>
<!DOCTYPE html><?xml version="1.0"?><![CDATA[ outside svg up to <img src="bogus.jpg"> ]]>
a < b and a<3 <img src="2.jpg"> </ img src="end.jpg"> </a href="end.htm">
<noscript><img src="3.jpg"></noscript><NOFRAMES><A HREF="4.htm">x</A></NOFRAMES>)html";
  EXPECT_EQ(htmlLinks(page), (Links{"IMG* 1.jpg", "IMG* 2.jpg", "IMG* 3.jpg", "HREF 4.htm"}));
  // An unclosed comment or script hides the rest of the page.
  EXPECT_EQ(htmlLinks(R"(<img src="a.jpg"><!-- <img src="b.jpg">)"), Links{"IMG* a.jpg"});
  EXPECT_EQ(htmlLinks(R"(<script><img src="b.jpg">)"), Links{});
}

TEST(HtmlLinkFinder, CharacterReferencesAreDecoded) {
  EXPECT_EQ(
      htmlLinks(R"(<img src="/p?w=800&amp;h=600"><a href="/q?a=1&copy=2&lt=3&amp">)"
                R"(<img src="&#47;n&#x2F;x&#X2f;&sol;y&period;jpg&unknown;">)"),
      (Links{"IMG* /p?w=800&h=600", "HREF /q?a=1&copy=2&lt=3&", "IMG* /n/x//y.jpg&unknown;"}));
  // Non-ASCII characters come out in the page's own character set.
  EXPECT_EQ(htmlLinks("<meta charset=\"shift_jis\"><img src=\"/&#x753B;.jpg\">"),
            Links{"IMG* /\x89\xE6.jpg"});
  EXPECT_EQ(htmlLinks("<meta charset=\"utf-8\"><img src=\"/&#x753B;.jpg\">"),
            Links{"IMG* /\xE7\x94\xBB.jpg"});
  EXPECT_EQ(htmlLinks("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">"
                      "<img src=\"/&#x753B;.jpg\">"),
            Links{"IMG* /\xB2\xE8.jpg"});
  EXPECT_EQ(htmlLinks("<script charset=utf-8></script><meta charset=iso-8859-1>"
                      "<img src=\"/caf&#233;.jpg\">"),
            Links{"IMG* /caf\xE9.jpg"});
}

TEST(HtmlLinkFinder, PagesInJapaneseCharacterSetsKeepTheirBytes) {
  // Shift_JIS "画像" as the link text and in a file name; "表" has the trail byte "\".
  EXPECT_EQ(htmlLinks("<a href=\"\x95\\\x8E\xA6.html\">\x89\xE6\x91\x9C</a>"
                      "<img alt=\"\x89\xE6\x91\x9C\" src=\"\x89\xE6.jpg\">"),
            (Links{"HREF \x95\\\x8E\xA6.html", "IMG* \x89\xE6.jpg"}));
  // UTF-8 with a byte order mark, and a UTF-16 page.
  EXPECT_EQ(htmlLinks("\xEF\xBB\xBF<img src=\"a.jpg\">"), Links{"IMG* a.jpg"});
  constexpr char kUtf16[] = "\xFF\xFE<\0a\0 \0h\0r\0e\0f\0=\0x\0.\0h\0t\0m\0>\0";
  const std::string utf16(kUtf16, sizeof kUtf16 - 1);
  EXPECT_EQ(htmlLinks(utf16), Links{"HREF x.htm"});
}

TEST(HtmlLinkFinder, AddressesAreCleanedAsBrowsersDo) {
  using namespace std::string_literals;
  EXPECT_EQ(
      htmlLinks("<img src=\"  /a\n.jpg \t\"><a href=\"\"><a href=\" \"><img src=\"x\0y.jpg\">"s
                "<img src=\"/same.jpg\" srcset=\"/same.jpg 1x, /big.jpg 2x\">"),
      (Links{"IMG* /a.jpg", "IMG* /same.jpg", "IMG* /big.jpg"}));
}

TEST(HtmlLinkFinder, BaseHrefGoesWithTheLinksAfterIt) {
  EXPECT_EQ(htmlLinks(R"(<img src="before.jpg"><base target="_top"><base href="https://cdn.jp/d/">)"
                      R"(<base href="/ignored/"><img src="after.jpg">)"),
            (Links{"IMG* before.jpg", "IMG* after.jpg <https://cdn.jp/d/>"}));
}

TEST(HtmlLinkFinder, MalformedMarkupNeverCrashes) {
  for (const std::string page :
       {"<", "<a", "<a href", "<a href=", "<a href='x", "</", "</a", "<!", "<!-", "<!--",
        "<style>url(", "<style>url('x", "<style>/*", "<img srcset=',,, ,'>", "<svg><![CDATA[",
        "<div style='url(\"'>", "&#", "<img src='&#xFFFFFFFFFF;&#0;&#x80;'>"}) {
    htmlLinks(page);
  }
  EXPECT_EQ(htmlLinks("<img src='&#x110000;&#0;&#x80;&#55296;.jpg'>"),
            Links{"IMG* \xEF\xBF\xBD\xEF\xBF\xBD\xE2\x82\xAC\xEF\xBF\xBD.jpg"});
}

TEST(HtmlLinkFinder, HugeTagsAndStylesAreReadInOnePass) {
  std::string manyAttributes = "<img ";
  for (int i = 0; i < 200000; ++i) manyAttributes += "a" + std::to_string(i) + " ";
  manyAttributes += "src=late.jpg><img src=next.jpg>";
  EXPECT_EQ(htmlLinks(manyAttributes), Links{"IMG* next.jpg"});

  std::string manyUrls = "<div style='";
  for (int i = 0; i < 200000; ++i) manyUrls += "url(" + std::to_string(i) + ".jpg)";
  manyUrls += "'>";
  EXPECT_EQ(htmlLinks(manyUrls).size(), 200000u);
}

}  // namespace
}  // namespace murlo::test
