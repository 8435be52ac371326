#include "analysis/tag-scanner.h"

#include <gtest/gtest.h>

#include "scan-test-helpers.h"

namespace murlo::test {
namespace {

TEST(TagScanner, ImageTagsInAnyLetterCase) {
  EXPECT_EQ(tagLinks(R"(<IMG SRC="a.gif"> <img src="b.gif">)"), (Links{"IMG a.gif", "IMG b.gif"}));
}

TEST(TagScanner, ImageKeywordMustFollowTheOpeningBracketClosely) {
  EXPECT_EQ(tagLinks(R"(<img border=0 src="a.gif">)"), Links{});
  EXPECT_EQ(tagLinks(R"(<img  src="a.gif">)"), Links{});
  EXPECT_EQ(tagLinks(R"(< img src="a.gif">)"), Links{"IMG a.gif"});
  EXPECT_EQ(tagLinks(R"(<  img src="a.gif">)"), Links{});
}

TEST(TagScanner, TestsRunOnlyWhenMoreThanElevenBytesFollowTheBracket) {
  EXPECT_EQ(tagLinks(R"(<img src="a">)"), Links{"IMG a"});  // 12 bytes after "<"
  EXPECT_EQ(tagLinks(R"(<img src="">)"), Links{});          // 11 bytes
}

TEST(TagScanner, EveryTagWordMayStandOneByteAfterTheBracket) {
  EXPECT_EQ(tagLinks(R"(< body background="bg.gif">< frame src="f.htm">< a href="x.htm">)"),
            (Links{"BODY bg.gif", "FRAME f.htm", "HREF x.htm"}));
}

TEST(TagScanner, AnchorAndAreaTags) {
  EXPECT_EQ(tagLinks(R"(<a name="top" href="x.htm">)"), Links{"HREF x.htm"});
  EXPECT_EQ(tagLinks(R"(<area shape="rect" href="m.htm">)"), Links{"HREF m.htm"});
  EXPECT_EQ(tagLinks(R"(<AREA SHAPE="rect" HREF="m.htm">)"), Links{"HREF m.htm"});
  // Mixed-case keywords are not found; a keyword 30 or more bytes into an "a" tag neither.
  EXPECT_EQ(tagLinks(R"(<a name="top" Href="x.htm">)"), Links{});
  EXPECT_EQ(tagLinks(R"(<a name="a-name-that-is-long-enough" href="x.htm">)"), Links{});
}

TEST(TagScanner, AnchorLinkBeginningWithAGivesTheNextAnchorToo) {
  EXPECT_EQ(tagLinks(R"(<A HREF="about.htm">About</A> <A HREF="b.htm">)"),
            (Links{"HREF about.htm", "HREF b.htm"}));
  // Without the "a" at the start of the taken link the second anchor is found by its own "<".
  EXPECT_EQ(tagLinks(R"(<A HREF="x.htm">About</A> <A HREF="b.htm">)"),
            (Links{"HREF x.htm", "HREF b.htm"}));
}

TEST(TagScanner, LowerCaseKeywordAnywhereLaterWinsOverTheUpperCaseOne) {
  // "href" exists further on, so the area tag's own "HREF" is never looked for.
  EXPECT_EQ(tagLinks(R"(<AREA SHAPE="rect" HREF="m.htm"><p class="x"><a href="z.htm">)"),
            (Links{"HREF z.htm"}));
}

TEST(TagScanner, BackgroundKeywordIsSearchedOverTheRestOfThePage) {
  EXPECT_EQ(tagLinks(R"(<body bgcolor="white"><img src="skipped.gif"><td background="bg.gif">)"
                     R"(<img src="after.gif">)"),
            (Links{"BODY bg.gif", "IMG after.gif"}));
}

TEST(TagScanner, FramesAndFramesets) {
  EXPECT_EQ(tagLinks(R"(<FRAMESET cols="1,2"><FRAME SRC="top.htm"><FRAME SRC="main.htm">)"),
            (Links{"FRAME top.htm", "FRAME main.htm"}));
  // The frameset finds the first "src" of the page, which is the second frame's.
  EXPECT_EQ(tagLinks(R"(<FRAMESET cols="1,2"><FRAME SRC="top.htm"><frame src="main.htm">)"),
            (Links{"FRAME main.htm"}));
}

TEST(TagScanner, UnquotedValueTakesTheNextQuotedText) {
  EXPECT_EQ(tagLinks(R"(<img src=a.gif><p><img src="b.gif">)"), Links{"IMG b.gif"});
  EXPECT_EQ(tagLinks(R"(<img src=a.gif> and no quote at all)"), Links{});
}

TEST(TagScanner, MissingClosingQuoteTakesTextUpToTheNextTagsQuote) {
  EXPECT_EQ(tagLinks(R"(<img src="a.gif><img src="b.gif">)"),
            (Links{"IMG a.gif><img src=", "IMG b.gif"}));
}

TEST(TagScanner, PassesOverOneClosingTagOnly) {
  // The closing tag right after a tag is not tested; a second one in a row is.
  EXPECT_EQ(tagLinks(R"(<b></img src="x.gif">)"), Links{});
  EXPECT_EQ(tagLinks(R"(<b></i></img src="y.gif">)"), Links{"IMG y.gif"});
}

TEST(TagScanner, LoneCarriageReturnEatsTheNextLinesFirstByte) {
  EXPECT_EQ(tagLinks("<img src=\"a.gif\">\r<img src=\"b.gif\">"), Links{"IMG a.gif"});
  EXPECT_EQ(tagLinks("<img src=\"a.gif\">\r\n<img src=\"b.gif\">"),
            (Links{"IMG a.gif", "IMG b.gif"}));
}

TEST(TagScanner, TextAfterANulByteIsNotScanned) {
  EXPECT_EQ(tagLinks(std::string("<img src=\"a.gif\">\0<img src=\"b.gif\">", 35)),
            Links{"IMG a.gif"});
}

TEST(TagScanner, EachTagBitEnablesItsTest) {
  const std::string page = R"(<body background="bg.gif"><img src="i.gif"><a href="h.htm">)"
                           R"(<frame src="f.htm">)";
  EXPECT_EQ(tagLinks(page, 0), Links{});
  EXPECT_EQ(tagLinks(page, tagbits::kImage), Links{"IMG i.gif"});
  EXPECT_EQ(tagLinks(page, tagbits::kAnchor), Links{"HREF h.htm"});
  EXPECT_EQ(tagLinks(page, tagbits::kBody), Links{"BODY bg.gif"});
  EXPECT_EQ(tagLinks(page, tagbits::kFrame), Links{"FRAME f.htm"});
  EXPECT_EQ(tagLinks(page, tagbits::kAllHttp), Links{});
}

TEST(TagScanner, ReadsTheTagBitsAtEveryTest) {
  AppSettings settings;
  std::vector<std::string> links;
  findTagLinks(preparePageText(R"(<img src="a.gif"><img src="b.gif"><a href="c.htm">)"), settings,
               [&](std::string_view link, std::string_view) {
                 links.emplace_back(link);
                 settings.tag &= ~tagbits::kImage;  // as if changed in the settings pages
               });
  EXPECT_EQ(links, (Links{"a.gif", "c.htm"}));
}

TEST(TagScanner, Cp932TrailBytesHideNothingButAreNeverTakenForMarkup) {
  // 0x81 is a CP932 lead byte: in a CP932 page the "<" after it is its trail byte.
  EXPECT_EQ(tagLinks("\x81<img src=\"a.gif\"> <img src=\"\x83\x5C.gif\">"),
            Links{"IMG \x83\x5C.gif"});
  // Nor is a quote that is a trail byte the end of a link.
  EXPECT_EQ(tagLinks("<img src=\"\x81\"a.gif\">"), Links{"IMG \x81\"a.gif"});
  // In a UTF-8 page every byte is searched: "あ" ends in 0x82, which CP932 would pair with "<".
  EXPECT_EQ(tagLinks("\xE3\x81\x82<img src=\"a.gif\">"), Links{"IMG a.gif"});
}

TEST(TagScanner, ManyTagsWithoutTheirKeywordStayLinear) {
  // Each body tag searches the rest of the page for "background" and "BACKGROUND": without
  // remembered searches this page takes minutes.
  std::string page;
  for (int i = 0; i < 200000; ++i) page += "<body class=\"k\">";
  page += R"(<img src="z.gif">)";
  EXPECT_EQ(tagLinks(page), Links{"IMG z.gif"});
}

}  // namespace
}  // namespace murlo::test
