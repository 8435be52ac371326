#include "analysis/link-rewriter.h"

#include <gtest/gtest.h>

#include "analysis/html-link-spans.h"
#include "analysis/tag-link-spans.h"

namespace murlo {
namespace {

std::string upperCased(std::string_view link) {
  std::string out(link);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

TEST(RewriteLinks, ChangesOnlyTheBytesOfEachSpanTakenInOffsetOrder) {
  const std::string content =
      "ab\x93\xFA<x>cd\x96\x7B"
      "ef";
  const LinkReplacement upper = [](const LinkSpan& span) { return upperCased(span.link); };
  // Given out of order, with one overlapping an earlier span and one past the end.
  EXPECT_EQ(rewriteLinks(content, {{11, 2, "ef"}, {0, 2, "ab"}, {1, 3, "b\x93\xFA"}, {13, 1, "z"}},
                         upper),
            "AB\x93\xFA<x>cd\x96\x7B"
            "EF");
  const LinkReplacement keepOne = [](const LinkSpan& span) -> std::optional<std::string> {
    const std::string_view link = span.link;
    if (link == "cd") return std::nullopt;
    return "<" + std::string(link) + ">";
  };
  EXPECT_EQ(rewriteLinks(content, {{7, 2, "cd"}, {4, 3, "<x>"}}, keepOne),
            "ab\x93\xFA<<x>>cd\x96\x7B"
            "ef");
  EXPECT_EQ(rewriteLinks("", {{0, 0, ""}}, upper), "");
}

// Each span as the text it covers in `content`.
std::vector<std::string> covered(const std::string& content) {
  std::vector<std::string> out;
  for (const LinkSpan& span : findTagLinkSpans(content)) {
    EXPECT_EQ(content.substr(span.offset, span.length), span.link);
    out.push_back(span.link);
  }
  return out;
}

TEST(FindTagLinkSpans, PlacesLinksInThePageBytesAfterLineBreaksTabsAndCp932Text) {
  // CR LF pairs, a lone CR and a CR CR LF shrink the scanned text; the places are the file's.
  EXPECT_EQ(covered("\x95\x5C\r\n<a href=\"\x95\x5C.htm\">\r\r\n\t<img src=\"i.gif\">\r"
                    "x<body background=\"bg.gif\"><frame src=\"f.htm\">"),
            (std::vector<std::string>{"\x95\x5C.htm", "i.gif", "bg.gif", "f.htm"}));
}

TEST(FindTagLinkSpans, TakesOnlyQuotedValuesOfLinkAttributes) {
  // The scanner takes the text up to the next quotes after an unquoted value, and a quoted
  // value with a line break in it is not in the file as found: neither is rewritten.
  EXPECT_EQ(covered("<img src=a.gif alt=\"a picture\"><a href=\"x\r\ny.htm\">"
                    "<a name=\"n\" href = \"z.htm\">"),
            (std::vector<std::string>{"z.htm"}));
  EXPECT_TRUE(covered("<a href=\"unterminated.htm").empty());
}

TEST(FindHtmlLinkSpans, PlacesEveryLinkAsWrittenAndRewritesReferencesWithReferences) {
  // After a byte order mark: two srcset candidates and a src written with character
  // references, and a data-src with a line break inside, which is a repeat of nothing.
  const std::string content =
      "\xEF\xBB\xBF<img srcset=\"a.jpg?x=1&amp;y=2 1x, b&#46;jpg 2x\" data-src='c\n.jpg' "
      "src=b&#46;jpg>";
  std::vector<std::string> places;
  for (const LinkSpan& span : findHtmlLinkSpans(content)) {
    places.push_back(content.substr(span.offset, span.length) + " = " + span.link +
                     (span.characterReferences ? " &" : ""));
  }
  EXPECT_EQ(places,
            (std::vector<std::string>{"a.jpg?x=1&amp;y=2 = a.jpg?x=1&y=2 &", "b&#46;jpg = b.jpg &",
                                      "c\n.jpg = c.jpg", "b&#46;jpg = b.jpg &"}));
  const LinkReplacement replace = [](const LinkSpan& span) -> std::optional<std::string> {
    const std::string_view link = span.link;
    if (link == "b.jpg") return std::nullopt;
    return "n/" + std::string(link) + "\"";
  };
  EXPECT_EQ(rewriteLinks(content, findHtmlLinkSpans(content), replace),
            "\xEF\xBB\xBF<img srcset=\"n/a.jpg?x=1&amp;y=2&quot; 1x, b&#46;jpg 2x\" "
            "data-src='n/c.jpg\"' src=b&#46;jpg>");
}

}  // namespace
}  // namespace murlo
