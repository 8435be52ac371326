// Cookie files in the Netscape format: what is taken, which lines are refused with their
// number, and the file the jar writes.
#include "net/cookie-jar.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "sandbox.h"

namespace murlo::test {
namespace {

TEST(CookieJarTest, TakesCookiesAndSkipsCommentsAndBlankLines) {
  const std::string text =
      "# Netscape HTTP Cookie File\r\n"
      "\r\n"
      "example.com\tFALSE\t/\tFALSE\t0\tsession\tabc\r\n"
      "#HttpOnly_.example.com\tTRUE\t/app\tTRUE\t2000000000\tid\t42\n"
      "example.com\tFALSE\t/\tFALSE\t0\tempty\t\n"
      "example.com\tFALSE\t/\tFALSE\t0\tnovalue";
  const CookieJar::Loaded loaded = CookieJar::parse(text, "c.txt");
  ASSERT_NE(loaded.jar, nullptr) << loaded.error;
  EXPECT_EQ(loaded.jar->lines(), (std::vector<std::string>{
                                     "example.com\tFALSE\t/\tFALSE\t0\tsession\tabc",
                                     "#HttpOnly_.example.com\tTRUE\t/app\tTRUE\t2000000000\tid\t42",
                                     "example.com\tFALSE\t/\tFALSE\t0\tempty\t",
                                     "example.com\tFALSE\t/\tFALSE\t0\tnovalue"}));
}

TEST(CookieJarTest, AMalformedLineIsRefusedWithItsNumberAndReason) {
  struct Case {
    const char* line;
    const char* reason;
  };
  const Case cases[] = {
      {"example.com FALSE / FALSE 0 name value", "ﾀﾌﾞで区切られた 7 つの項目がありません"},
      {"example.com\tFALSE\t/\tFALSE\t0\ta\tb\tc", "ﾀﾌﾞで区切られた 7 つの項目がありません"},
      {"\tFALSE\t/\tFALSE\t0\tname\tvalue", "ﾄﾞﾒｲﾝが正しくありません"},
      {"example.com\tYES\t/\tFALSE\t0\tname\tvalue", "TRUE か FALSE の項目が正しくありません"},
      {"example.com\tFALSE\t/\tno\t0\tname\tvalue", "TRUE か FALSE の項目が正しくありません"},
      {"example.com\tFALSE\tapp\tFALSE\t0\tname\tvalue", "ﾊﾟｽが / で始まっていません"},
      {"example.com\tFALSE\t/\tFALSE\tnever\tname\tvalue", "有効期限が数字ではありません"},
      {"example.com\tFALSE\t/\tFALSE\t99999999999999999999\tname\tvalue",
       "有効期限が数字ではありません"},
      {"example.com\tFALSE\t/\tFALSE\t0\t\tvalue", "ｸｯｷｰの名前がありません"},
  };
  for (const Case& c : cases) {
    const std::string text =
        std::string("# comment\nexample.com\tFALSE\t/\tFALSE\t0\tok\t1\n") + c.line + "\n";
    const CookieJar::Loaded loaded = CookieJar::parse(text, "/home/u/cookies.txt");
    EXPECT_EQ(loaded.jar, nullptr) << c.line;
    EXPECT_EQ(loaded.error, std::string("ｸｯｷｰ ﾌｧｲﾙ /home/u/cookies.txt の 3 行目が Netscape "
                                        "形式ではありません: ") +
                                c.reason)
        << c.line;
  }
  const CookieJar::Loaded binary = CookieJar::parse(std::string("a\0b\n", 4), "bin");
  EXPECT_EQ(binary.error,
            "ｸｯｷｰ ﾌｧｲﾙ bin の 1 行目が Netscape 形式ではありません: 制御文字が含まれています");
}

TEST(CookieJarTest, AMissingFileIsAnErrorAndASavedJarReadsBackAsTheUsersOwnFile) {
  Sandbox sandbox;
  EXPECT_EQ(CookieJar::load(sandbox.path("none.txt")).error,
            "ｸｯｷｰ ﾌｧｲﾙ " + sandbox.path("none.txt") + " を開けません");
  EXPECT_EQ(CookieJar::load(sandbox.dir()).jar, nullptr);

  CookieJar jar;
  jar.replace(
      {"example.com\tFALSE\t/\tFALSE\t0\ta\t1", "#HttpOnly_x.test\tFALSE\t/\tTRUE\t0\tb\t2"});
  ASSERT_TRUE(jar.save(sandbox.path("saved.txt")));
  const CookieJar::Loaded again = CookieJar::load(sandbox.path("saved.txt"));
  ASSERT_NE(again.jar, nullptr) << again.error;
  EXPECT_EQ(again.jar->lines(), jar.lines());
  struct stat info {};
  ASSERT_EQ(::stat(sandbox.path("saved.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace murlo::test
