#include "logic/item-properties.h"

#include <gtest/gtest.h>

namespace murlo::gui {
namespace {

TEST(FileSizeText, BytesThenKilobytesThenMegabytesAboveFourFifths) {
  EXPECT_EQ(fileSizeText(0), "不明");
  EXPECT_EQ(fileSizeText(500), "500 ﾊﾞｲﾄ   (500 byte)");
  EXPECT_EQ(fileSizeText(819), "819 ﾊﾞｲﾄ   (819 byte)");
  EXPECT_EQ(fileSizeText(900), "0.88 KB   (900 byte)");
  EXPECT_EQ(fileSizeText(1024), "1.00 KB   (1024 byte)");
  EXPECT_EQ(fileSizeText(1000000), "0.95 MB   (1000000 byte)");
  // Sizes beyond 32 bits keep their value.
  EXPECT_EQ(fileSizeText(5LL << 30), "5120.00 MB   (5368709120 byte)");
}

TEST(ItemEdit, ExtensionFollowsTheNewNameAndUntouchedBytesStay) {
  ItemList list;
  list.AddItem("a.gif", "http://h.jp/", "ADD", "gif", "", "");
  applyItemEdit(list, 0, {"b.tar.gz", "http://h.jp/x/", "http://h.jp/"});
  EXPECT_EQ(list.text(0, kColExtension), "tar.gz");
  EXPECT_EQ(list.text(0, kColUrl), "http://h.jp/x/");
  EXPECT_EQ(list.text(0, kColReferrer), "http://h.jp/");
  applyItemEdit(list, 0, {"README", "http://h.jp/", ""});
  EXPECT_EQ(list.text(0, kColExtension), "README");
  applyItemEdit(list, 0, {"(index.htm)", "http://h.jp/", ""});
  EXPECT_EQ(list.text(0, kColExtension), "");

  const std::string cp932Name = "\x83\x65\x83\x58\x83\x67.txt";  // "テスト.txt" in CP932
  EXPECT_EQ(editedItemText(cp932Name, "テスト.txt"), cp932Name);
  EXPECT_EQ(editedItemText(cp932Name, "別.txt"), "別.txt");
}

}  // namespace
}  // namespace murlo::gui
