#include "analysis/string-scanner.h"

#include <gtest/gtest.h>

#include "scan-test-helpers.h"

namespace murlo::test {
namespace {

TEST(StringScanner, LinkRunsToTheNextWhiteSpace) {
  EXPECT_EQ(httpStrings("<a href=\"http://host/x.htm\">X</a>\r\n"),
            Links{"ALL http://host/x.htm\">X</a>"});
  EXPECT_EQ(httpStrings("see http://h/a.gif\tand http://h/b.gif\nend"),
            (Links{"ALL http://h/a.gif", "ALL http://h/b.gif"}));
}

TEST(StringScanner, HttpsInPageOrderWithHttp) {
  EXPECT_EQ(httpStrings("https://a/1.htm http://b/2.htm https://c/3.htm "),
            (Links{"ALL https://a/1.htm", "ALL http://b/2.htm", "ALL https://c/3.htm"}));
  // Only the exact lower-case schemes are looked for.
  EXPECT_EQ(httpStrings("HTTP://a/1.htm Https://b/2.htm "), Links{});
}

TEST(StringScanner, AddressWithoutWhiteSpaceAfterItEndsTheScan) {
  EXPECT_EQ(httpStrings("http://h/a.gif http://h/b.gif"), Links{"ALL http://h/a.gif"});
  EXPECT_EQ(httpStrings("http://h/a.gif"), Links{});
}

TEST(StringScanner, NeedsMoreThanThreeBytesAfterTheScheme) {
  EXPECT_EQ(httpStrings("http://abc "), Links{"ALL http://abc"});
  EXPECT_EQ(httpStrings("http://ab "), Links{});
}

TEST(StringScanner, AnAddressInsideALinkIsTakenAgain) {
  EXPECT_EQ(httpStrings("go.cgi?http://http://x.htm "),
            (Links{"ALL http://http://x.htm", "ALL http://x.htm"}));
}

TEST(StringScanner, Cp932TrailByteIsNotTheStartOfAnAddress) {
  // 0x82 0x68 is one CP932 character; its trail byte is "h".
  EXPECT_EQ(httpStrings("\x82http://h/a.gif \x82\xA0http://h/b.gif "), Links{"ALL http://h/b.gif"});
  // A space after a lead byte is its trail byte: the link runs on to the next real space.
  EXPECT_EQ(httpStrings("http://h/\x81 a.gif b"), Links{"ALL http://h/\x81 a.gif"});
}

TEST(StringScanner, PageOfAddressesWithoutSpacesStaysBounded) {
  // 100,000 addresses and one space: each link would run to that space, 40 GB in all.
  std::string page;
  for (int i = 0; i < 100000; ++i) page += "http://a";
  page += ' ';
  std::size_t count = 0;
  std::size_t bytes = 0;
  findHttpStrings(preparePageText(page), [&](std::string_view link, std::string_view) {
    if (count == 0) {
      EXPECT_EQ(link.size(), page.size() - 1);
    }
    ++count;
    bytes += link.size();
  });
  EXPECT_GT(count, 0u);
  EXPECT_LE(bytes, page.size() * 16 + (1u << 20));
}

}  // namespace
}  // namespace murlo::test
