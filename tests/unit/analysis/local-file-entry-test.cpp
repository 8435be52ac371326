#include "analysis/local-file-entry.h"

#include <gtest/gtest.h>

#include "items/item-info.h"
#include "text/cp932.h"
#include "text/disk-name.h"

namespace murlo {
namespace {

TEST(LocalFileEntry, FileNameIsTheTextAfterTheLastSlash) {
  EXPECT_EQ(fileNameOfPath("/home/u/dl/a.zip"), "a.zip");
  EXPECT_EQ(fileNameOfPath("a.zip"), "a.zip");
  EXPECT_EQ(fileNameOfPath("/home/u/"), "");
}

TEST(LocalFileEntry, ChecksRunInOrderAndOnlyResumeNeedsAnAddress) {
  EXPECT_EQ(resumeEntryError({"", "", ""}), "ﾌｧｲﾙが指定されていません");
  EXPECT_EQ(resumeEntryError({"/d/a.zip", "", ""}), "URLが指定されていません");
  EXPECT_EQ(resumeEntryError({"/d/a.zip", "localhost/readme", ""}), "不正な URL です");
  EXPECT_EQ(resumeEntryError({"/d/a.zip", "h.jp", ""}), "不正な URL です");
  EXPECT_EQ(resumeEntryError({"/d/a.zip", "http://h.jp/a.zip", ""}), "");

  EXPECT_EQ(localFileEntryError({"", "bare", ""}), "ﾛｰｶﾙﾌｧｲﾙが指定されていません");
  EXPECT_EQ(localFileEntryError({"/d/p.htm", "", ""}), "");
  EXPECT_EQ(localFileEntryError({"/d/p.htm", "bare", ""}), "不正な URL です");
  EXPECT_EQ(localFileEntryError({"/d/p.htm", "http://h.jp/p.htm", ""}), "");
}

TEST(LocalFileEntry, ResumeItemCarriesThePartialPath) {
  ItemList list;
  ASSERT_TRUE(addResumeItem(list, {"/d/a.zip", "http://h.jp/f/a.zip", "http://h.jp/"}));
  const ItemRecord& r = list.row(0);
  EXPECT_EQ(r.fileName, "a.zip");
  EXPECT_EQ(r.url, "http://h.jp/f/");
  EXPECT_EQ(r.tag, "RESUME");
  EXPECT_EQ(r.extension, "zip");
  EXPECT_EQ(r.info, std::string(kInfoResumeEntryPrefix) + "/d/a.zip");
  EXPECT_EQ(r.referrer, "http://h.jp/");
  EXPECT_TRUE(isFinishedInfo(r.info));
}

TEST(LocalFileEntry, ResumeItemTextIsOneEncodingAndGivesThePathBack) {
  // CP932 where it can say the path (the list's own encoding), else UTF-8 throughout.
  const struct {
    std::string path;
    bool cp932;
  } cases[] = {{"/home/u/ダウンロード/写真.jpg.part", true},
               {"/d/caf\xC3\xA9 \xF0\x9F\x98\x80.part", false}};
  for (const auto& c : cases) {
    ItemList list;
    ASSERT_TRUE(addResumeItem(list, {c.path, "http://h.jp/f/a.jpg", ""}));
    const std::string& info = list.row(0).info;
    EXPECT_EQ(isValidUtf8(info), !c.cp932) << c.path;
    EXPECT_EQ(displayText(info), "0 kb 完了 : " + c.path);
    EXPECT_TRUE(isFinishedInfo(info)) << c.path;
    EXPECT_EQ(diskPath(info.substr(info.find(':') + 2)), c.path);
  }
}

}  // namespace
}  // namespace murlo
