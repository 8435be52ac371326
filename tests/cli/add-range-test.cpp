#include <gtest/gtest.h>

#include "cli-runner.h"
#include "sandbox.h"

namespace murlo::test {
namespace {

TEST(CliAddRange, MakesTheSeriesTheDialogMakes) {
  Sandbox box;
  CliResult r = runCli({"add", "http://h.jp/pics/top.htm", "--range", "1-3,7", "--format",
                        "img&.jpg", "--list", "l.mrl"},
                       box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = runCli({"add", "http://h.jp/p/", "--range", "1-10,100", "--format", "&.png", "--step", "3",
              "--digits", "2", "--list", "l.mrl"},
             box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = runCli({"add", "http://h.jp/p/", "--range", "10-5", "--format", "&.png", "--list", "l.mrl"},
             box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(runCli({"list", "l.mrl"}, box.dir()).out,
            "img1.jpg\thttp://h.jp/pics/\tADD\tjpg\t\t\n"
            "img2.jpg\thttp://h.jp/pics/\tADD\tjpg\t\t\n"
            "img3.jpg\thttp://h.jp/pics/\tADD\tjpg\t\t\n"
            "img7.jpg\thttp://h.jp/pics/\tADD\tjpg\t\t\n"
            "001.png\thttp://h.jp/p/\tADD\tpng\t\t\n"
            "004.png\thttp://h.jp/p/\tADD\tpng\t\t\n"
            "007.png\thttp://h.jp/p/\tADD\tpng\t\t\n"
            "010.png\thttp://h.jp/p/\tADD\tpng\t\t\n"
            "100.png\thttp://h.jp/p/\tADD\tpng\t\t\n");
}

TEST(CliAddRange, RefusesWhatTheDialogRefuses) {
  Sandbox box;
  struct Case {
    std::vector<std::string> options;
    const char* message;
  };
  const Case cases[] = {
      {{"--range", "5", "--format", "&.jpg"}, "数値範囲の書式が不正です"},
      {{"--range", "1-3"}, "ﾌｧｲﾙ書式が指定されていません"},
      {{"--range", "1-3", "--format", "&", "--step", "x"}, "整数を入力してください。"},
      {{"--range", "1-3", "--format", "&", "--digits", "11"},
       "0 から 10 までの整数を入力してください。"},
      {{"--format", "&"}, "使い方"},
      {{"--range"}, "使い方"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"add", "http://h.jp/p/"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    if (c.options.size() > 1) args.insert(args.end(), {"--list", "l.mrl"});
    const CliResult r = runCli(args, box.dir());
    EXPECT_EQ(r.exitCode, 2) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  const CliResult r =
      runCli({"add", "h.jp", "--range", "1-3", "--format", "&", "--list", "l.mrl"}, box.dir());
  EXPECT_NE(r.err.find("指定のｱﾄﾞﾚｽが不正です"), std::string::npos) << r.err;
  EXPECT_EQ(runCli({"list", "l.mrl"}, box.dir()).out, "");
}

TEST(CliAddRange, LargeSeriesNeedsAYes) {
  Sandbox box;
  const std::vector<std::string> args = {"add",      "http://h.jp/p/", "--range", "1-10001",
                                         "--format", "&.jpg",          "--list",  "l.mrl"};
  // Without a terminal the question is answered No and nothing is added.
  CliResult r = runCli(args, box.dir());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("10001 個のｱｲﾃﾑを追加します。よろしいですか？"), std::string::npos) << r.err;
  EXPECT_EQ(runCli({"list", "l.mrl"}, box.dir()).out, "");
  r = runCli(
      {"add", "http://h.jp/p/", "--range", "0-99999999999", "--format", "&", "--list", "l.mrl"},
      box.dir());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("一度に追加できるｱｲﾃﾑは 1000000 個までです"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace murlo::test
