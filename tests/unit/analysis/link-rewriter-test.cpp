#include "analysis/link-rewriter.h"

#include <gtest/gtest.h>

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
  const LinkReplacement upper = [](std::string_view link) { return upperCased(link); };
  // Given out of order, with one overlapping an earlier span and one past the end.
  EXPECT_EQ(rewriteLinks(content, {{11, 2, "ef"}, {0, 2, "ab"}, {1, 3, "b\x93\xFA"}, {13, 1, "z"}},
                         upper),
            "AB\x93\xFA<x>cd\x96\x7B"
            "EF");
  const LinkReplacement keepOne = [](std::string_view link) -> std::optional<std::string> {
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

}  // namespace
}  // namespace murlo
