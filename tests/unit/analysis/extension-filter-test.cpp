#include "analysis/extension-filter.h"

#include <gtest/gtest.h>

#include "items/page-type.h"

namespace murlo {
namespace {

TEST(AcceptExtension, DefaultClasses) {
  AppSettings s;
  EXPECT_TRUE(acceptExtension(s, "html", false));
  EXPECT_TRUE(acceptExtension(s, "JPG", false));
  EXPECT_FALSE(acceptExtension(s, "txt", false));
  EXPECT_FALSE(acceptExtension(s, "exe", false));
  EXPECT_TRUE(acceptExtension(s, "", true));
  s.downEx &= ~downex::kHtml;
  EXPECT_FALSE(acceptExtension(s, "", true));
}

TEST(AcceptExtension, CustomListIsComparedWholeWithoutTrimming) {
  AppSettings s;
  EXPECT_FALSE(acceptExtension(s, "tar.gz", false));
  s.downEx |= downex::kCustom;
  s.extend = "mid;wav;tar.gz";
  EXPECT_FALSE(acceptExtension(s, "song", false));
  EXPECT_TRUE(acceptExtension(s, "MID", false));
  EXPECT_TRUE(acceptExtension(s, "wav", false));
  EXPECT_TRUE(acceptExtension(s, "tar.gz", false));
  EXPECT_FALSE(acceptExtension(s, "mpg", false));  // "mpeg" class does not hold "mpg"
  s.extend = "mid; wav";
  EXPECT_FALSE(acceptExtension(s, "wav", false));
  s.extend = "";
  EXPECT_FALSE(acceptExtension(s, "mid", false));
  EXPECT_TRUE(acceptExtension(s, "", false));  // only the empty extension matches an empty list
  // A class that matches decides even when the custom list would accept.
  s.extend = "txt";
  EXPECT_FALSE(acceptExtension(s, "txt", false));
}

TEST(IsPageType, EmptyAndHtmlFamilyAndCgi) {
  for (const char* e : {"", "htm", "HTML", "shtml", "Cgi"}) EXPECT_TRUE(isPageType(e)) << e;
  for (const char* e : {"php", "htmlx", "jpg", "tar.gz"}) EXPECT_FALSE(isPageType(e)) << e;
}

TEST(PassesJfifCheck, LastThreeBytesOfTheFullAddressAreJpg) {
  for (const char* a : {"http://h/a.jpg", "http://h/A.JPG", "http://h/x?f=jpg", "jpg"}) {
    EXPECT_TRUE(passesJfifCheck(a)) << a;
  }
  for (const char* a : {"http://h/a.jpeg", "http://h/a.jpg?x", "http://h/dir/", "pg", ""}) {
    EXPECT_FALSE(passesJfifCheck(a)) << a;
  }
}

}  // namespace
}  // namespace murlo
