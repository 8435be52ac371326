#include "analysis/local-file-entry.h"

#include <gtest/gtest.h>

#include "items/item-info.h"

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

}  // namespace
}  // namespace murlo
