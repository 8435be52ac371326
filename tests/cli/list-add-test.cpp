#include <gtest/gtest.h>

#include "cli-runner.h"
#include "items/list-file.h"
#include "sandbox.h"

namespace murlo::test {
namespace {

TEST(CliHelp, WithoutArgumentsShowsUsage) {
  Sandbox box;
  const CliResult r = runCli({}, box.dir());
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("murlo-cli"), std::string::npos);
  EXPECT_EQ(runCli({"frobnicate"}, box.dir()).exitCode, 2);
}

TEST(CliAdd, CreatesTheListAndAppendsAsTheBarDoes) {
  Sandbox box;
  CliResult r = runCli(
      {"add", "  http://host.jp/dir/ \r\n", "http://host/a\tb.jpg", "--list", "l.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = runCli({"add", "http://host/x\x81\x40y.tar.gz", "--list", "l.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = runCli({"list", "l.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "(index.htm)\thttp://host.jp/dir/\tADD\t\t\t\n"
            "ab.jpg\thttp://host/\tADD\tjpg\t\t\n"
            "xy.tar.gz\thttp://host/\tADD\tgz\t\t\n");
}

TEST(CliAdd, RefusesTextWithoutADotAndKeepsTheRest) {
  Sandbox box;
  const CliResult r =
      runCli({"add", "localhost", "http://h.jp/a.gif", "--list", "l.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("入力された文字列はURLではありません"), std::string::npos);
  EXPECT_EQ(runCli({"list", "l.mrl"}, box.dir()).out, "a.gif\thttp://h.jp/\tADD\tgif\t\t\n");
}

TEST(CliAdd, NeverOverwritesAFileItCannotRead) {
  Sandbox box;
  box.write("notes.mrl", "my own notes, not a list");
  const CliResult r = runCli({"add", "http://h.jp/a.gif", "--list", "notes.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("指定のﾌｧｲﾙはMRLﾌｧｲﾙ形式ではありません"), std::string::npos);
  EXPECT_EQ(box.read("notes.mrl"), "my own notes, not a list");

  // A list whose count says 0 while a row follows is damaged, not empty.
  ItemList list;
  ASSERT_TRUE(list.AddItem("b.gif", "http://h.jp/", "ADD", "gif", "", ""));
  std::string damaged = serializeList(list);
  damaged.replace(damaged.find(std::string("\x01\0\0\0", 4)), 4, std::string(4, '\0'));
  box.write("damaged.mrl", damaged);
  const CliResult d = runCli({"add", "http://h.jp/a.gif", "--list", "damaged.mrl"}, box.dir());
  EXPECT_EQ(d.exitCode, 2);
  EXPECT_NE(d.err.find("damaged.mrl の最後のｱｲﾃﾑの後にﾃﾞｰﾀが残っています"), std::string::npos)
      << d.err;
  EXPECT_EQ(box.read("damaged.mrl"), damaged);
}

TEST(CliList, PrintsTextForTheTerminalOrRawBytesAndFailsOnBadFiles) {
  Sandbox box;
  ItemList list;
  ASSERT_TRUE(list.AddItem("\x93\xFA.jpg", "http://h/\x1b]0;x\x07", "IMG", "jpg",
                           "Error : ", "http://h/p.htm"));
  ASSERT_TRUE(WriteList(list, box.path("l.mrl")));
  CliResult r = runCli({"list", "l.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "日.jpg\thttp://h/\\x1b]0;x\\x07\tIMG\tjpg\tError : \thttp://h/p.htm\n");
  EXPECT_EQ(r.err, "");
  r = runCli({"list", "--raw", "l.mrl"}, box.dir());
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "\x93\xFA.jpg\thttp://h/\x1b]0;x\x07\tIMG\tjpg\tError : \thttp://h/p.htm\n");

  r = runCli({"list", "missing.mrl"}, box.dir());
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("missing.mrl"), std::string::npos);
  box.write("bad.mrl", "\x10MRL9_LIST_HEADER");
  EXPECT_NE(runCli({"list", "bad.mrl"}, box.dir()).exitCode, 0);
  EXPECT_NE(runCli({"list", "."}, box.dir()).exitCode, 0);
  EXPECT_NE(runCli({"list"}, box.dir()).exitCode, 0);

  // A truncated file still shows the rows before the cut, and fails.
  const std::string whole = box.read("l.mrl");
  box.write("cut.mrl", whole.substr(0, whole.size() - 2));
  ASSERT_TRUE(list.AddItem("b.gif", "http://h/", "", "", "", ""));
  r = runCli({"list", "cut.mrl"}, box.dir());
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("末尾以降にｱｸｾｽしようとしました"), std::string::npos);
}

}  // namespace
}  // namespace murlo::test
